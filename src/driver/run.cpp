#include "driver/run.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include "driver/log_report.h"
#include "driver/messages.h"
#include "driver/paths.h"
#include "driver/records.h"
#include "geodesy/settings.h"

namespace {

// Large enough that reads and writes are few; allocated once per run.
constexpr std::size_t READ_BUFFER_SIZE = std::size_t{1} << 18;
constexpr std::size_t WRITE_BUFFER_SIZE = std::size_t{1} << 16;

struct FileCloser {
    void operator()(std::FILE* file) const {
        std::fclose(file);  // only for files whose close result does not matter
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Binary mode: line ends and Ctrl-Z are handled by our own text rules. Our buffers are the
// only ones, so the file's own is switched off.
FileHandle open_file(const std::string& path, const char* mode) {
    FileHandle file(std::fopen(path.c_str(), mode));
    if (file) {
        std::setvbuf(file.get(), nullptr, _IONBF, 0);
    }
    return file;
}

int startup_error(const char* format, const std::string& file_name) {
    std::printf(format, file_name.c_str());
    std::fflush(stdout);
    return EXIT_FAILED;  // a calling script must be able to tell a failed start from a full run
}

std::tm local_now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now)) {
        local = *converted;
    }
    return local;
}

// Closes the output and flushes the log once the loop is over, and tells the exit status.
int finish_run(RecordsEnd end, const char* input_path, const OutputPaths& paths, TextWriter& out,
               FileHandle output, TextWriter& log, FileHandle log_file) {
    if (end == RecordsEnd::read_failed) {
        out.flush();  // what was converted so far is kept
        log.flush();
        return startup_error(MSG_READ_FAILED, input_path);
    }
    if (end == RecordsEnd::write_failed) {
        const bool output_failed = out.failed;
        out.flush();
        log.flush();
        return startup_error(MSG_WRITE_FAILED, output_failed ? paths.output : paths.log);
    }
    const bool output_written = out.flush();
    const bool output_closed = std::fclose(output.release()) == 0;
    if (!output_written || !output_closed) {
        log.flush();
        startup_error(MSG_WRITE_FAILED, paths.output);
        return EXIT_CLOSE_FAILED;
    }
    const bool log_written = log.flush();
    if (!log_written || std::fclose(log_file.release()) != 0) {
        return startup_error(MSG_WRITE_FAILED, paths.log);
    }
    return EXIT_COMPLETE;
}

}  // namespace

const char* read_separators(ByteSource& source, Separators& separators) {
    LineReader reader(source, 0);
    std::string_view piece;
    if (!reader.next(piece)) {
        return reader.state == LineReader::State::failed ? MSG_CANNOT_CREATE : MSG_SEPARATORS_LINE_1;
    }
    separators.input_delimiters = line_content(piece);
    if (!reader.next(piece)) {
        return reader.state == LineReader::State::failed ? MSG_CANNOT_CREATE : MSG_SEPARATORS_LINE_2;
    }
    separators.output_separator = line_content(piece);
    return separators.output_separator.empty() ? MSG_SEPARATORS_LINE_2 : nullptr;
}

int run(int argc, char* argv[]) {
    const std::tm start_time = local_now();  // before anything else, however long start-up takes
    if (argc < 8) {
        std::fputs(USAGE_TEXT, stdout);
        return EXIT_USAGE;
    }
    const char* const input_path = argv[1];
    const RunSettings settings = parse_run_settings(argv + 3);

    Separators separators;
    {
        const FileHandle file = open_file(SEPARATORS_FILE_NAME, "rb");
        if (!file) {
            return startup_error(MSG_CANNOT_CREATE, SEPARATORS_FILE_NAME);
        }
        FileSource source(file.get());
        if (const char* message = read_separators(source, separators)) {
            return startup_error(message, SEPARATORS_FILE_NAME);
        }
    }

    const OutputPaths paths = build_output_paths(input_path, argv[2]);
    FileHandle log_file = open_file(paths.log, "wb");
    if (!log_file) {
        return startup_error(MSG_CANNOT_CREATE, paths.log);
    }
    const FileHandle input = open_file(input_path, "rb");
    FileSource input_source(input.get());
    LineReader reader(input_source, READ_BUFFER_SIZE);
    // A directory opens for reading on some systems and fails only at its first read.
    if (!input || !reader.prime()) {
        return startup_error(MSG_CANNOT_CREATE, input_path);
    }
    FileHandle output = open_file(paths.output, "wb");
    if (!output) {
        return startup_error(MSG_CANNOT_CREATE, paths.output);
    }

    FileSink log_sink(log_file.get());
    TextWriter log(log_sink, WRITE_BUFFER_SIZE);
    FileSink out_sink(output.get());
    TextWriter out(out_sink, WRITE_BUFFER_SIZE);
    write_log_header(log, start_time, settings.TransformMode, settings.Direction, input_path);

    RecordLoop loop{settings, make_delimiter_set(separators.input_delimiters), separators.output_separator,
                    out, log, 0, {}};
    const RecordsEnd end = process_records(loop, reader);
    return finish_run(end, input_path, paths, out, std::move(output), log, std::move(log_file));
}
