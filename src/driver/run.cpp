#include "driver/run.h"

#include <filesystem>
#include <optional>

#include "driver/log_report.h"
#include "driver/map.h"
#include "driver/message_format.h"
#include "driver/messages.h"
#include "driver/progress.h"
#include "driver/records.h"
#include "proj/proj_text.h"

namespace {

// Large enough that reads and writes are few (a larger write buffer still saves system calls, a
// larger read buffer nothing); allocated once per run, and never touched beyond what a run uses.
constexpr std::size_t READ_BUFFER_SIZE = std::size_t{1} << 18;
constexpr std::size_t WRITE_BUFFER_SIZE = std::size_t{1} << 18;

// One text to the console, which is then closed; false when it could not all be written.
bool tell(Console& console, std::string_view text) {
    const bool written = console.out.write(text.data(), text.size());
    return console.out.close() && written;
}

// The message with the file's name: the name is data, never a format.
int failure(Console& console, std::string_view format, std::string_view file_name) {
    // A message that cannot be shown still leaves its status, and a calling script must be able
    // to tell a failed start from a full run.
    (void)tell(console, message_text(format, 0, file_name));
    return EXIT_FAILED;
}

// What was wrong, then the usage text.
int usage_error(Console& console, const std::string& error) {
    (void)tell(console, error + usage_text());  // the status tells it all the same
    return EXIT_USAGE;
}

// --help and --version: an answer lost on a full disk is a failure.
int answer(Console& console, const std::string& text) {
    return tell(console, text) ? EXIT_COMPLETE : EXIT_FAILED;
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
int finish_run(RecordsEnd end, const RunConfig& config, TextWriter& out, TextWriter& log, Console& console) {
    if (end == RecordsEnd::read_failed) {
        out.flush();  // what was converted so far is kept
        log.flush();
        return failure(console, MSG_READ_FAILED, config.input_path);
    }
    if (end == RecordsEnd::write_failed) {
        const bool output_failed = out.failed;
        out.flush();
        log.flush();
        return failure(console, MSG_WRITE_FAILED, output_failed ? config.paths.output : config.paths.log);
    }
    const bool output_written = out.flush();
    if (!out.sink.close() || !output_written) {
        log.flush();
        failure(console, MSG_WRITE_FAILED, config.paths.output);
        return EXIT_CLOSE_FAILED;
    }
    const bool log_written = log.flush();
    if (!log.sink.close() || !log_written) {
        return failure(console, MSG_WRITE_FAILED, config.paths.log);
    }
    return EXIT_COMPLETE;
}

// Whether two names lead to one file that exists, however they are spelled ("./a.txt", a link).
bool same_file(const char* a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// A map named like a file of the run would overwrite it; as text or as a file, it is refused.
bool map_overwrites(const RunConfig& config) {
    const char* map = config.options.map_path;
    for (const std::string& file : {std::string(config.input_path), config.paths.output, config.paths.log,
                                    std::string(SEPARATORS_FILE_NAME)}) {
        if (map == file || same_file(map, file)) {
            return true;
        }
    }
    return false;
}

// After a complete run: the map, from the points the loop placed. The output and the log exist
// now, so a map spelled otherwise than either is checked once more against them.
int write_map_file(const RunConfig& config, const MapPoints& points, long long bad_format, Console& console) {
    if (map_overwrites(config)) {
        return failure(console, MSG_CANNOT_CREATE, config.options.map_path);
    }
    FileSink file(open_file(config.options.map_path, "wb"));
    if (!file.file) {
        return failure(console, MSG_CANNOT_CREATE, config.options.map_path);
    }
    TextWriter out(file, WRITE_BUFFER_SIZE);
    write_map(out, points, config.plan, config.input_path, bad_format);
    const bool written = out.flush();
    if (!file.close() || !written) {
        return failure(console, MSG_WRITE_FAILED, config.options.map_path);
    }
    return EXIT_COMPLETE;
}

// Start-up from the opening of the three files; everything after them is convert_file's.
int open_and_convert(RunConfig& config, Console& console) {
    // Log, input, output: each failure ends the run before the next file is touched.
    FileSink log(open_file(config.paths.log.c_str(), "wb"));
    if (!log.file) {
        return failure(console, MSG_CANNOT_CREATE, config.paths.log);
    }
    FileSource input_file(open_file(config.input_path, "rb"));
    if (!input_file.file) {
        return failure(console, MSG_CANNOT_CREATE, config.input_path);
    }
    LineReader input(input_file, READ_BUFFER_SIZE);
    if (!input.prime()) {  // a directory opens for reading on some systems; its first read fails
        return failure(console, MSG_CANNOT_CREATE, config.input_path);
    }
    FileSink output(open_file(config.paths.output.c_str(), "wb"));
    if (!output.file) {
        return failure(console, MSG_CANNOT_CREATE, config.paths.output);
    }
    return convert_file(config, input, output, log, console);
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

int convert_file(const RunConfig& config, LineReader& input, ByteSink& output, ByteSink& log,
                 Console& console) {
    std::optional<ProgressSink> watched_output;
    if (console.watcher != nullptr) {
        watched_output.emplace(output, *console.watcher);
    }
    TextWriter log_writer(log, WRITE_BUFFER_SIZE);
    TextWriter out_writer(watched_output ? *watched_output : output, WRITE_BUFFER_SIZE);
    write_log_header(log_writer, config.start_time, config.plan.parameter_block, config.input_path);
    std::optional<MapPoints> map;
    if (config.options.map_path != nullptr) {
        map.emplace();
    }
    RecordLoop loop{config.plan, make_delimiter_set(config.separators.input_delimiters),
                    config.separators.output_separator, out_writer, log_writer};
    loop.points = map ? &*map : nullptr;
    if (watched_output) {
        watched_output->lines = &loop.line_number;
    }
    const RecordsEnd end = process_records(loop, input);
    if (watched_output) {
        watched_output->lines = nullptr;  // the last of the output, written below, tells no more
        console.watcher->finished({loop.line_number, loop.counts, config.paths.log});
    }
    int status = finish_run(end, config, out_writer, log_writer, console);
    if (status == EXIT_COMPLETE && map) {
        status = write_map_file(config, *map, loop.counts.bad_format, console);
    }
    if (status == EXIT_COMPLETE && config.options.strict && loop.counts.rejected() > 0) {
        status = EXIT_REJECTED;
    }
    return status;
}

int run(int argc, char* argv[], Console& console) {
    RunConfig config{};
    config.start_time = local_now();  // before anything else, however long start-up takes
    const CommandLine line = parse_command_line(argc, argv);
    switch (line.request) {
        case CommandLine::Request::help: return answer(console, usage_text());
        case CommandLine::Request::version: return answer(console, std::string(PROGRAM_VERSION) + '\n');
        case CommandLine::Request::proj: {
            const DirectionCode& code = direction_codes()[static_cast<std::size_t>(line.proj_direction)];
            return answer(console, zelwan::proj::pipeline(code.transformation) + '\n');
        }
        case CommandLine::Request::usage_error: return usage_error(console, line.error);
        case CommandLine::Request::run: break;
    }
    config.options = line.options;
    char* const* const positional = line.positional;
    config.input_path = positional[0];
    config.paths = build_output_paths(config.input_path, positional[1]);
    if (config.options.map_path != nullptr && map_overwrites(config)) {
        return usage_error(console, message_text(USAGE_MAP_ONTO_RUN_FILE, 0, config.options.map_path));
    }
    config.plan = make_run_plan(parse_run_settings(positional + 2));
    FileSource separators_file(open_file(SEPARATORS_FILE_NAME, "rb"));
    if (!separators_file.file) {
        return failure(console, MSG_CANNOT_CREATE, SEPARATORS_FILE_NAME);
    }
    if (const char* message = read_separators(separators_file, config.separators)) {
        return failure(console, message, SEPARATORS_FILE_NAME);
    }
    separators_file.file.reset();
    return open_and_convert(config, console);
}
