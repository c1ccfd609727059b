#include "driver/run.h"

#include <cstdio>

#include "driver/log_report.h"
#include "driver/messages.h"
#include "driver/progress.h"
#include "driver/records.h"

namespace {

// Large enough that reads and writes are few; allocated once per run.
constexpr std::size_t READ_BUFFER_SIZE = std::size_t{1} << 18;
constexpr std::size_t WRITE_BUFFER_SIZE = std::size_t{1} << 16;

int failure(const char* format, const std::string& file_name) {
    std::printf(format, file_name.c_str());
    // A message that cannot be shown still leaves its status, and a calling script must be able
    // to tell a failed start from a full run.
    (void)std::fflush(stdout);
    return EXIT_FAILED;
}

// Fewer than seven arguments: a lone --help, -h or --version is answered with status 0, anything
// else gets the usage text and status 2. Neither reads the separators file nor touches any file.
int answer_short_call(int argc, char* argv[]) {
    const std::string_view option = argc == 2 ? argv[1] : "";
    const bool version = option == "--version";
    if (version) {
        std::printf("%s\n", PROGRAM_VERSION);
    } else {
        (void)std::fputs(USAGE_TEXT, stdout);  // checked below, with the flush, where it matters
    }
    if (!version && option != "--help" && option != "-h") {
        return EXIT_USAGE;
    }
    return std::fflush(stdout) == 0 ? EXIT_COMPLETE : EXIT_FAILED;  // an answer lost on a full disk
}

std::tm local_now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now)) {
        local = *converted;
    }
    return local;
}

// After the loop: keeps what was written, closes the output and then the log.
int finish_run(RecordsEnd end, const RunConfig& config, TextWriter& out, TextWriter& log) {
    if (end == RecordsEnd::read_failed) {
        out.flush();  // what was converted so far is kept
        log.flush();
        return failure(MSG_READ_FAILED, config.input_path);
    }
    if (end == RecordsEnd::write_failed) {
        const bool output_failed = out.failed;
        out.flush();
        log.flush();
        return failure(MSG_WRITE_FAILED, output_failed ? config.paths.output : config.paths.log);
    }
    const bool output_written = out.flush();
    if (!out.sink.close() || !output_written) {
        log.flush();
        failure(MSG_WRITE_FAILED, config.paths.output);
        return EXIT_CLOSE_FAILED;
    }
    const bool log_written = log.flush();
    if (!log.sink.close() || !log_written) {
        return failure(MSG_WRITE_FAILED, config.paths.log);
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

int convert_file(const RunConfig& config, LineReader& input, ByteSink& output, ByteSink& log) {
    StreamSink terminal(stderr);
    ProgressLine progress = make_progress_line(terminal, ProgressLine::Clock::now());
    ProgressSink watched_output(output, progress);
    TextWriter log_writer(log, WRITE_BUFFER_SIZE);
    TextWriter out_writer(config.show_progress ? static_cast<ByteSink&>(watched_output) : output,
                          WRITE_BUFFER_SIZE);
    const RunSettings& settings = config.settings;
    write_log_header(log_writer, config.start_time, settings.TransformMode, settings.Direction,
                     config.input_path);
    RecordLoop loop{settings,
                    make_delimiter_set(config.separators.input_delimiters),
                    config.separators.output_separator,
                    out_writer,
                    log_writer,
                    0,
                    {}};
    watched_output.lines = &loop.line_number;
    const RecordsEnd end = process_records(loop, input);
    watched_output.lines = nullptr;  // the last of the output, written below, must not draw it again
    clear_progress(progress);        // before any message on standard output, maybe the same terminal
    return finish_run(end, config, out_writer, log_writer);
}

int run(int argc, char* argv[]) {
    RunConfig config{};
    config.start_time = local_now();  // before anything else, however long start-up takes
    if (argc < 8) {
        return answer_short_call(argc, argv);
    }
    config.input_path = argv[1];
    config.show_progress = is_terminal(stderr);
    config.settings = parse_run_settings(argv + 3);
    {
        FileSource separators_file(open_file(SEPARATORS_FILE_NAME, "rb"));
        if (!separators_file.file) {
            return failure(MSG_CANNOT_CREATE, SEPARATORS_FILE_NAME);
        }
        if (const char* message = read_separators(separators_file, config.separators)) {
            return failure(message, SEPARATORS_FILE_NAME);
        }
    }
    config.paths = build_output_paths(config.input_path, argv[2]);

    // Log, input, output: each failure ends the run before the next file is touched.
    FileSink log(open_file(config.paths.log.c_str(), "wb"));
    if (!log.file) {
        return failure(MSG_CANNOT_CREATE, config.paths.log);
    }
    FileSource input_file(open_file(config.input_path, "rb"));
    if (!input_file.file) {
        return failure(MSG_CANNOT_CREATE, config.input_path);
    }
    LineReader input(input_file, READ_BUFFER_SIZE);
    if (!input.prime()) {  // a directory opens for reading on some systems; its first read fails
        return failure(MSG_CANNOT_CREATE, config.input_path);
    }
    FileSink output(open_file(config.paths.output.c_str(), "wb"));
    if (!output.file) {
        return failure(MSG_CANNOT_CREATE, config.paths.output);
    }
    return convert_file(config, input, output, log);
}
