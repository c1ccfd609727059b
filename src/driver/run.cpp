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

// The message's "%s" filled with the file name: the name is data, never a format.
int failure(Console& console, std::string_view format, std::string_view file_name) {
    const std::size_t at = format.find("%s");
    console.out.write(format.data(), at);
    console.out.write(file_name.data(), file_name.size());
    console.out.write(format.data() + at + 2, format.size() - at - 2);
    // A message that cannot be shown still leaves its status, and a calling script must be able
    // to tell a failed start from a full run.
    (void)console.out.close();
    return EXIT_FAILED;
}

// Fewer than seven arguments: a lone --help, -h or --version is answered with status 0, anything
// else gets the usage text and status 2. Neither reads the separators file nor touches any file.
int answer_short_call(int argc, char* argv[], Console& console) {
    const std::string_view option = argc == 2 ? argv[1] : "";
    const bool version = option == "--version";
    const std::string_view answer = version ? PROGRAM_VERSION : USAGE_TEXT;
    const bool written =
        console.out.write(answer.data(), answer.size()) && (!version || console.out.write("\n", 1));
    if (!version && option != "--help" && option != "-h") {
        return EXIT_USAGE;
    }
    return console.out.close() && written ? EXIT_COMPLETE : EXIT_FAILED;  // an answer lost on a full disk
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

// Start-up up to the opening of the three files; everything after them is convert_file's.
int open_and_convert(RunConfig& config, const char* output_directory, Console& console) {
    config.paths = build_output_paths(config.input_path, output_directory);
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
    ProgressLine progress = make_progress_line(console.err, ProgressLine::Clock::now());
    ProgressSink watched_output(output, progress);
    TextWriter log_writer(log, WRITE_BUFFER_SIZE);
    TextWriter out_writer(console.err_is_terminal ? static_cast<ByteSink&>(watched_output) : output,
                          WRITE_BUFFER_SIZE);
    write_log_header(log_writer, config.start_time, config.plan.parameter_block, config.input_path);
    RecordLoop loop{config.plan,
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
    return finish_run(end, config, out_writer, log_writer, console);
}

int run(int argc, char* argv[], Console& console) {
    RunConfig config{};
    config.start_time = local_now();  // before anything else, however long start-up takes
    if (argc < 8) {
        return answer_short_call(argc, argv, console);
    }
    config.input_path = argv[1];
    config.plan = make_run_plan(parse_run_settings(argv + 3));
    FileSource separators_file(open_file(SEPARATORS_FILE_NAME, "rb"));
    if (!separators_file.file) {
        return failure(console, MSG_CANNOT_CREATE, SEPARATORS_FILE_NAME);
    }
    if (const char* message = read_separators(separators_file, config.separators)) {
        return failure(console, message, SEPARATORS_FILE_NAME);
    }
    separators_file.file.reset();
    return open_and_convert(config, argv[2], console);
}

int run(int argc, char* argv[]) {
    StreamSink out(stdout);
    StreamSink err(stderr);
    Console console{out, err, is_terminal(stderr)};
    return run(argc, argv, console);
}
