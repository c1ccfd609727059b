#include "driver/run.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <span>

#include "driver/advice.h"
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

// Words for whoever watches; a calling tool sees nothing of them.
void advise(Console& console, const std::string& text) {
    if (console.watcher != nullptr && !text.empty()) {
        console.watcher->note(text);
    }
}

// The message with the file's name: the name is data, never a format.
int failure(Console& console, std::string_view format, std::string_view file_name) {
    // A message that cannot be shown still leaves its status, and a calling script must be able
    // to tell a failed start from a full run.
    (void)tell(console, message_text(format, 0, file_name));
    return EXIT_FAILED;
}

// A file that could not be opened; a person is told why, from the error number the system gave.
int open_failure(Console& console, std::string_view file_name, int error) {
    advise(console, open_failure_advice(file_name, error));
    return failure(console, MSG_CANNOT_CREATE, file_name);
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

// A file of the run and its name, for the end of the run.
struct NamedWriter {
    TextWriter* writer;
    std::string_view name;
};

// After the loop: keeps what was written and closes the files in order, the output first, whose
// failed close alone gives 255.
int finish_run(RecordsEnd end, const RunConfig& config, std::span<const NamedWriter> files,
               Console& console) {
    if (end != RecordsEnd::complete) {
        const NamedWriter* failed = nullptr;
        for (const NamedWriter& file : files) {
            if (failed == nullptr && file.writer->failed) {
                failed = &file;
            }
            file.writer->flush();  // what was converted so far is kept
        }
        return end == RecordsEnd::read_failed || failed == nullptr
                   ? failure(console, MSG_READ_FAILED, config.input_path)
                   : failure(console, MSG_WRITE_FAILED, failed->name);
    }
    for (const NamedWriter& file : files) {
        const bool written = file.writer->flush();
        if (!file.writer->sink.close() || !written) {
            for (const NamedWriter& other : files) {
                (void)other.writer->flush();  // the others keep what they were given
            }
            const int status = failure(console, MSG_WRITE_FAILED, file.name);
            return &file == files.data() ? EXIT_CLOSE_FAILED : status;
        }
    }
    return EXIT_COMPLETE;
}

// Whether two names lead to one file that exists, however they are spelled ("./a.txt", a link).
bool same_file(const char* a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// Whether two names, spelled however, lead to one place, whether or not a file is there yet.
bool same_place(const char* a, const std::string& b) {
    std::error_code error_a;
    std::error_code error_b;
    const std::filesystem::path place_a = std::filesystem::absolute(a, error_a).lexically_normal();
    const std::filesystem::path place_b = std::filesystem::absolute(b, error_b).lexically_normal();
    return !error_a && !error_b && place_a == place_b;
}

// A file the run creates at `path` would overwrite one of its other files, named as text or as a
// file: the input, the result, the log, the separators file, or `also` (the map or the rejected).
// With `before_it_exists`, also a name that leads to a file the run has yet to create.
bool overwrites_run_file(const RunConfig& config, const char* path, const char* also, bool before_it_exists) {
    for (const std::string& file : {std::string(config.input_path), config.paths.output, config.paths.log,
                                    std::string(SEPARATORS_FILE_NAME), std::string(also ? also : "")}) {
        if (!file.empty() &&
            (path == file || same_file(path, file) || (before_it_exists && same_place(path, file)))) {
            return true;
        }
    }
    return false;
}

// A map spelled otherwise than the result or the log is refused only once they exist, after the run.
bool map_overwrites(const RunConfig& config) {
    return overwrites_run_file(config, config.options.map_path, config.options.rejected_path, false);
}

// The file of rejected lines is opened at the start: however spelled, it is refused before any file is.
bool rejected_overwrites(const RunConfig& config) {
    return overwrites_run_file(config, config.options.rejected_path, config.options.map_path, true);
}

// After a complete run: the map, from the points the loop placed. The output and the log exist
// now, so a map spelled otherwise than either is checked once more against them.
int write_map_file(const RunConfig& config, const MapPoints& points, long long bad_format, Console& console) {
    if (map_overwrites(config)) {
        return failure(console, MSG_CANNOT_CREATE, config.options.map_path);
    }
    FileSink file(open_file(config.options.map_path, "wb"));
    if (!file.file) {
        return open_failure(console, config.options.map_path, errno);
    }
    TextWriter out(file, WRITE_BUFFER_SIZE);
    write_map(out, points, config.plan, config.input_path, bad_format);
    const bool written = out.flush();
    if (!file.close() || !written) {
        return failure(console, MSG_WRITE_FAILED, config.options.map_path);
    }
    return EXIT_COMPLETE;
}

// Start-up from the opening of the files; everything after them is convert_file's.
int open_and_convert(RunConfig& config, Console& console) {
    // Log, input, output, rejected: each failure ends the run before the next file is touched.
    FileSink log(open_file(config.paths.log.c_str(), "wb"));
    if (!log.file) {
        return open_failure(console, config.paths.log, errno);
    }
    FileSource input_file(open_file(config.input_path, "rb"));
    if (!input_file.file) {
        return open_failure(console, config.input_path, errno);
    }
    LoneCrSource input_lines(input_file);
    LineReader input(input_lines, READ_BUFFER_SIZE);
    errno = 0;
    if (!input.prime()) {  // a directory opens for reading on some systems; its first read fails
        return open_failure(console, config.input_path, errno);
    }
    FileSink output(open_file(config.paths.output.c_str(), "wb"));
    if (!output.file) {
        return open_failure(console, config.paths.output, errno);
    }
    std::optional<FileSink> rejected;
    if (const char* path = config.options.rejected_path) {
        if (rejected_overwrites(config)) {  // a link to the result shows only now that the result exists
            return failure(console, MSG_CANNOT_CREATE, path);
        }
        rejected.emplace(open_file(path, "wb"));
        if (!rejected->file) {
            return open_failure(console, path, errno);
        }
    }
    return convert_file(config, input, output, log, console, rejected ? &*rejected : nullptr);
}

// The two lines of the separators file, or the options in their place; nullptr on success, else the
// start-up message. With both options the file is not read at all.
const char* take_separators(RunConfig& config, Console& console) {
    const RunOptions& options = config.options;
    if (options.delimiters == nullptr || options.separator == nullptr) {
        FileSource file(open_file(SEPARATORS_FILE_NAME, "rb"));
        if (!file.file) {
            const std::string why = open_failure_advice(SEPARATORS_FILE_NAME, errno);
            advise(console, why.empty() ? why : why + ADVICE_SEPARATORS);
            return MSG_CANNOT_CREATE;
        }
        if (const char* message = read_separators(file, config.separators, options.separator == nullptr)) {
            return message;
        }
    }
    if (options.delimiters != nullptr) {
        config.separators.input_delimiters = options.delimiters;
    }
    if (options.separator != nullptr) {
        config.separators.output_separator = options.separator;
    }
    return nullptr;
}

// With --decimal-comma a comma can be no delimiter nor stand in the separator: it names where one is.
const char* comma_clash(const RunConfig& config) {
    const RunOptions& options = config.options;
    if (!options.decimal_comma) {
        return nullptr;
    }
    if (config.separators.input_delimiters.find(',') != std::string::npos) {
        return options.delimiters ? "--delimiters" : SEPARATORS_FILE_NAME;
    }
    if (config.separators.output_separator.find(',') != std::string::npos) {
        return options.separator ? "--separator" : SEPARATORS_FILE_NAME;
    }
    return nullptr;
}

}  // namespace

const char* read_separators(ByteSource& source, Separators& separators, bool both_lines) {
    LineReader reader(source, 0);
    std::string_view piece;
    if (!reader.next(piece)) {
        return reader.state == LineReader::State::failed ? MSG_CANNOT_CREATE : MSG_SEPARATORS_LINE_1;
    }
    separators.input_delimiters = line_content(piece);
    if (!both_lines) {
        return nullptr;
    }
    if (!reader.next(piece)) {
        return reader.state == LineReader::State::failed ? MSG_CANNOT_CREATE : MSG_SEPARATORS_LINE_2;
    }
    separators.output_separator = line_content(piece);
    return separators.output_separator.empty() ? MSG_SEPARATORS_LINE_2 : nullptr;
}

int convert_file(const RunConfig& config, LineReader& input, ByteSink& output, ByteSink& log,
                 Console& console, ByteSink* rejected) {
    std::optional<ProgressSink> watched_output;
    if (console.watcher != nullptr) {
        watched_output.emplace(output, *console.watcher);
    }
    TextWriter log_writer(log, WRITE_BUFFER_SIZE);
    TextWriter out_writer(watched_output ? *watched_output : output, WRITE_BUFFER_SIZE);
    std::optional<TextWriter> rejected_writer;
    if (rejected != nullptr) {
        rejected_writer.emplace(*rejected, WRITE_BUFFER_SIZE);
    }
    write_log_header(log_writer, config.start_time, config.plan.parameter_block, config.input_path);
    std::optional<MapPoints> map;
    if (config.options.map_path != nullptr) {
        map.emplace();
    }
    const RunOptions& options = config.options;
    RecordLoop loop{config.plan,
                    make_delimiter_set(config.separators.input_delimiters, options.decimal_comma ? ',' : '.'),
                    config.separators.output_separator, out_writer, log_writer};
    loop.points = map ? &*map : nullptr;
    loop.rejected = rejected_writer ? &*rejected_writer : nullptr;
    loop.header = options.header;
    loop.keep_extra = options.keep_extra;
    if (watched_output) {
        watched_output->lines = &loop.line_number;
    }
    const RecordsEnd end = process_records(loop, input);
    if (watched_output) {
        watched_output->lines = nullptr;  // the last of the output, written below, tells no more
        console.watcher->finished({loop.line_number, loop.counts, config.paths.log});
        advise(console, comma_advice(loop.counts, loop.comma_lines));
    }
    const NamedWriter files[] = {
        {&out_writer, config.paths.output},
        {&log_writer, config.paths.log},
        {rejected_writer ? &*rejected_writer : nullptr, rejected ? options.rejected_path : ""}};
    int status = finish_run(end, config, std::span(files, rejected_writer ? 3 : 2), console);
    if (status == EXIT_COMPLETE && map) {
        status = write_map_file(config, *map, loop.counts.bad_format, console);
    }
    if (status == EXIT_COMPLETE && options.strict && loop.counts.rejected() > 0) {
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
        case CommandLine::Request::version: return answer(console, version_text());
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
    if (config.options.rejected_path != nullptr && rejected_overwrites(config)) {
        return usage_error(console,
                           message_text(USAGE_REJECTED_ONTO_RUN_FILE, 0, config.options.rejected_path));
    }
    const RunSettings settings = parse_run_settings(positional + 2);
    config.plan = make_run_plan(settings);
    if (const char* message = take_separators(config, console)) {
        return failure(console, message, SEPARATORS_FILE_NAME);
    }
    if (const char* where = comma_clash(config)) {
        return usage_error(console, message_text(USAGE_COMMA_SPLITS, 0, where));
    }
    if (console.watcher != nullptr) {  // words no calling tool would see are not made for it
        advise(console, code_advice(settings, config.plan));
        advise(console, output_folder_advice(positional[1], config.paths.output));
    }
    return open_and_convert(config, console);
}
