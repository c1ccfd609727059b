// Fuzz target over the record loop. Besides "no crash and no sanitizer report" it checks what must
// hold whatever the rules say about a line: no line is lost or doubled (every non-empty piece
// leaves one output line, or only the NR message), the log names lines in order, and a disk that
// fills up leaves the start of the full files and a failed run, never a mangled one.
//
// Input layout: mode (and, in its bits 2 to 5, the options header, keep-extra, rejected apart and
// decimal comma), direction, height direction, XY code, H code, shape, cap; then the delimiter
// bytes and the separator bytes the shape asks for; then the input file.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "driver/command_line.h"
#include "driver/messages.h"
#include "driver/records.h"
#include "support/doubles.h"

namespace {

// libFuzzer takes an abort as a failure; the rule says which one broke.
void check(bool holds, const char* rule) {
    if (!holds) {
        (void)std::fprintf(stderr, "broken: %s\n", rule);  // aborting is the report
        std::abort();
    }
}

constexpr std::size_t HEADER_SIZE = 7;

struct FuzzRun {
    RunSettings settings{};
    std::string delimiters, separator;
    std::size_t chunk = 0;  // bytes per read of the input
    std::uint8_t cap = 0;   // 0: no full-disk run; else bit 7 picks the log, bits 0-6 the share it takes
    bool header = false, keep_extra = false, rejected_apart = false, decimal_comma = false;
    std::string_view input;
};

bool decode(const std::uint8_t* data, std::size_t size, FuzzRun& run) {
    constexpr std::size_t READ_CHUNKS[] = {1, 7, 1000, 4096};
    // Decimals codes -3 to 30: larger ones only write longer runs of zeros.
    const auto decimals_code = [](std::uint8_t b) { return static_cast<std::int32_t>(b % 34) - 3; };
    if (size < HEADER_SIZE) {
        return false;
    }
    const std::size_t delimiters_end = HEADER_SIZE + (data[5] & 3u);
    const std::size_t input_start = delimiters_end + ((data[5] >> 2) & 3u) + 1;
    if (size < input_start) {
        return false;
    }
    run.settings = {data[0] % 4, data[1] % 6 - 1, data[2] % 3, decimals_code(data[3]) + 2,
                    decimals_code(data[4]) + 1};
    run.chunk = READ_CHUNKS[(data[5] >> 4) & 3u];
    run.cap = data[6];
    run.header = (data[0] & 4u) != 0;
    run.keep_extra = (data[0] & 8u) != 0;
    run.rejected_apart = (data[0] & 16u) != 0;
    run.decimal_comma = (data[0] & 32u) != 0;
    for (std::size_t i = HEADER_SIZE; i < input_start; ++i) {
        // A line of the separators file ends at these (and at NUL), so neither separator holds them.
        const char c = std::strchr("\n\r\x1A", data[i]) == nullptr ? static_cast<char>(data[i]) : ' ';
        (i < delimiters_end ? run.delimiters : run.separator) += c;
    }
    run.input = std::string_view(reinterpret_cast<const char*>(data) + input_start, size - input_start);
    return true;
}

RecordsEnd run_loop(const FuzzRun& run, MemorySink& out_sink, MemorySink& log_sink,
                    MemorySink& rejected_sink) {
    MemorySource source(run.input, run.chunk);
    LoneCrSource lines(source);
    LineReader reader(lines, 0);
    TextWriter out(out_sink, 256);  // the smallest buffer, so that lines straddle flushes
    TextWriter log(log_sink, 256);
    TextWriter rejected(rejected_sink, 256);
    const RunPlan plan = make_run_plan(run.settings);
    RecordLoop loop{
        plan, make_delimiter_set(run.delimiters, run.decimal_comma ? ',' : '.'), run.separator, out, log, 0,
        {}};
    loop.header = run.header;
    loop.keep_extra = run.keep_extra;
    loop.rejected = run.rejected_apart ? &rejected : nullptr;
    const RecordsEnd end = process_records(loop, reader);
    const bool out_flushed = out.flush();  // the run's close, where the last of a full disk shows
    const bool log_flushed = log.flush();
    (void)rejected.flush();
    return end == RecordsEnd::complete && !(out_flushed && log_flushed) ? RecordsEnd::write_failed : end;
}

// Every log line names its line in "w lini N" before any text of the input; the numbers never go
// down and never pass the pieces read. Returns how many messages are NR messages.
long long check_log(std::string_view log, long long pieces) {
    const std::string_view nr_message =
        std::string_view(MSG_BAD_NR)
            .substr(0, std::string_view(MSG_BAD_NR).find("%d"));  // "błędny format w lini "
    long long last = 0, nr_messages = 0;
    for (std::size_t end = log.find("\r\n"); end != std::string_view::npos; end = log.find("\r\n")) {
        const std::string_view line = log.substr(0, end);
        log.remove_prefix(end + 2);
        const std::size_t at = line.find(" w lini ");
        check(at != std::string_view::npos, "every log line is a message about a line");
        const std::string_view rest = line.substr(at + 8);
        long long number = -1;
        const char* digits_end = std::from_chars(rest.data(), rest.data() + rest.size(), number).ptr;
        const auto digits = static_cast<std::size_t>(digits_end - rest.data());
        check(number >= last && number <= pieces, "line numbers in order, never past the pieces read");
        last = number;
        nr_messages += line.starts_with(nr_message) && rest.substr(digits).starts_with(" NR '");
    }
    check(log.empty(), "the log ends with a line end");
    return nr_messages;
}

}  // namespace

// NOLINTNEXTLINE(readability-identifier-naming): libFuzzer's name
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzRun run;
    if (!decode(data, size, run)) {
        return 0;
    }
    MemorySink out, log, rejected;
    check(run_loop(run, out, log, rejected) == RecordsEnd::complete, "memory never fails");

    MemorySource source(run.input);
    LoneCrSource lines(source);
    LineReader reader(lines, 0);
    long long pieces = 0, non_empty = 0;
    for (std::string_view piece; reader.next(piece); ++pieces) {
        // The header is copied whatever it holds: to the output, and to the rejected lines' file.
        non_empty += run.header && pieces == 0 ? (run.rejected_apart ? 2 : 1) : !line_content(piece).empty();
    }
    const long long lines_written =
        std::ranges::count(out.bytes, '\n') + std::ranges::count(rejected.bytes, '\n');
    check(lines_written + check_log(log.bytes, pieces) == non_empty,
          "every non-empty piece leaves one output line or only the NR message");
    check(out.bytes.empty() || out.bytes.ends_with("\r\n"), "the output ends with a line end");

    if (run.cap != 0) {  // the same run on a disk that fills up
        MemorySink& full = run.cap & 0x80 ? log : out;
        const std::size_t room = full.bytes.size() * (run.cap & 0x7F) / 128;
        MemorySink capped_out, capped_log, capped_rejected;
        (run.cap & 0x80 ? capped_log : capped_out).room = room;
        const RecordsEnd end = run_loop(run, capped_out, capped_log, capped_rejected);
        check(end == (room < full.bytes.size() ? RecordsEnd::write_failed : RecordsEnd::complete),
              "a full disk fails the run");
        check(out.bytes.starts_with(capped_out.bytes) && log.bytes.starts_with(capped_log.bytes),
              "a full disk leaves the start of the full files");
    }
    return 0;
}
