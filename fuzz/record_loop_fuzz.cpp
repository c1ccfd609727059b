// Fuzz target over the record loop. The first bytes choose the run's settings and separators, the
// rest is the input file. Beyond "no crash" it checks that no line is lost, duplicated or mangled:
// every line read leaves exactly its output line or its NR message, every log line is a message
// about a line read, in order, a rejected line is copied byte for byte, an accepted point ends with
// numbers of the run's decimals (byte for byte the 17-digit writer's where nothing converts them),
// tokens read as a full conversion reads them, and a full disk never ends as a complete run.
//
// Input layout: mode, direction, height direction, XY code, H code, shape, cap; then the delimiter
// bytes and the separator bytes the shape asks for; then the input file.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "driver/fields.h"
#include "driver/messages.h"
#include "driver/number_format.h"
#include "driver/records.h"
#include "driver/text_io.h"

namespace {

// The fuzzer and the replay both take an abort as a failure; the rule says which one broke.
void check(bool holds, const char* rule) {
    if (!holds) {
        (void)std::fprintf(stderr, "broken: %s\n", rule);  // aborting is the report
        std::abort();
    }
}

constexpr std::size_t HEADER_SIZE = 7;
constexpr std::size_t WRITER_BUFFER_SIZE = 256;  // the smallest, so that lines straddle flushes
constexpr std::size_t READ_CHUNKS[] = {1, 7, 1000, 4096};

// Every message that names a line.
constexpr const char* LINE_MESSAGES[] = {
    MSG_BAD_NR,         MSG_BAD_X,           MSG_BAD_Y,          MSG_BAD_H,
    MSG_EXTRA_FIELDS,   MSG_OUTSIDE_SKAWINA, MSG_OUTSIDE_COUNTY, MSG_H_OUTSIDE_SKAWINA,
    MSG_H_OUTSIDE_1965, MSG_H_OUTSIDE_2000,  MSG_H_RANGE,
};

struct FuzzRun {
    RunSettings settings{};
    std::string delimiters;
    std::string separator;
    std::size_t chunk = 0;  // bytes per read of the input
    std::uint8_t cap = 0;   // 0: no full-disk run; else bit 7 picks the log, bits 0-6 the share it takes
    std::string_view input;
};

// A line of the separators file ends at these, so neither separator can hold them.
bool ends_separator_line(char c) {
    return c == '\n' || c == '\r' || c == '\0' || c == '\x1A';
}

bool is_number_char(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

bool decode(const std::uint8_t* data, std::size_t size, FuzzRun& run) {
    if (size < HEADER_SIZE) {
        return false;
    }
    // Decimals codes -3 to 30: larger ones only write longer runs of zeros.
    const auto decimals_code = [](std::uint8_t b) { return static_cast<std::int32_t>(b % 34) - 3; };
    run.settings.TransformMode = data[0] % 4;  // 3 lies outside the list
    run.settings.Direction = data[1] % 6 - 1;  // so do -1 and 4
    run.settings.HeightDirection = data[2] % 3;
    run.settings.xy_decimals = decimals_code(data[3]) + 2;
    run.settings.h_decimals = decimals_code(data[4]) + 1;
    const std::size_t delimiter_count = data[5] & 3u;
    const std::size_t separator_size = ((data[5] >> 2) & 3u) + 1;
    run.chunk = READ_CHUNKS[(data[5] >> 4) & 3u];
    run.cap = data[6];
    if (size - HEADER_SIZE < delimiter_count + separator_size) {
        return false;
    }
    const char* at = reinterpret_cast<const char*>(data) + HEADER_SIZE;
    for (std::size_t i = 0; i < delimiter_count; ++i, ++at) {
        run.delimiters += ends_separator_line(*at) ? ' ' : *at;
    }
    // No digit, point or minus in the separator, so that numbers can be told from it.
    for (std::size_t i = 0; i < separator_size; ++i, ++at) {
        run.separator += ends_separator_line(*at) || is_number_char(*at) ? ';' : *at;
    }
    run.input = std::string_view(at, size - HEADER_SIZE - delimiter_count - separator_size);
    return true;
}

// The pieces the loop must see, with what the reader promises about them.
std::vector<std::string> read_pieces(std::string_view input) {
    MemorySource source(input);
    LineReader reader(source, 0);
    std::vector<std::string> pieces;
    std::string joined;
    std::string_view piece;
    while (reader.next(piece)) {
        const std::size_t lf = piece.find('\n');
        check(lf == std::string_view::npos || lf + 1 == piece.size(), "a line feed only ends a piece");
        check(piece.size() <= LINE_PIECE_MAX || piece.ends_with("\r\n"), "1000 bytes only with CR LF");
        check(pieces.empty() || pieces.back().ends_with('\n') || pieces.back().size() == LINE_PIECE_MAX,
              "a piece without its line end is 999 bytes long, unless it is the last");
        pieces.emplace_back(piece);
        joined += piece;
    }
    check(reader.state == LineReader::State::end, "memory never fails to read");
    check(joined == input.substr(0, input.find('\x1A')), "the pieces are the input up to its Ctrl-Z");
    return pieces;
}

// Takes bytes up to its room, then refuses, as a full disk does.
struct CappedSink final : ByteSink {
    std::string bytes;
    std::size_t room = std::string::npos;
    bool write(const char* data, std::size_t size) override {
        if (size > room - bytes.size()) {
            return false;
        }
        bytes.append(data, size);
        return true;
    }
};

struct LoopResult {
    RecordsEnd end;
    long long line_count;
    bool flushed;  // both writers wrote out everything
};

LoopResult run_loop(const FuzzRun& run, CappedSink& out_sink, CappedSink& log_sink) {
    MemorySource source(run.input, run.chunk);
    LineReader reader(source, 0);
    TextWriter out(out_sink, WRITER_BUFFER_SIZE);
    TextWriter log(log_sink, WRITER_BUFFER_SIZE);
    RecordLoop loop{run.settings, make_delimiter_set(run.delimiters), run.separator, out, log, 0, {}};
    const RecordsEnd end = process_records(loop, reader);
    const bool out_flushed = out.flush();
    const bool log_flushed = log.flush();
    return {end, loop.line_number, out_flushed && log_flushed};
}

// Written from the message text alone: "%d" and "%s" filled in, "\n" as CR LF.
std::string expected_message(std::string_view format, long long number, std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.substr(i, 2) == "%d") {
            result += std::to_string(number);
            ++i;
        } else if (format.substr(i, 2) == "%s") {
            result += text;
            ++i;
        } else {
            result += format[i] == '\n' ? std::string_view("\r\n") : format.substr(i, 1);
        }
    }
    return result;
}

struct LogEntry {
    long long line;
    const char* message;
};

// The one message a log line is, filled with the number of a line read and that line's text.
LogEntry identify(std::string_view log_line, const std::vector<std::string>& pieces) {
    for (const char* message : LINE_MESSAGES) {
        const std::string_view format(message);
        const std::string_view prefix = format.substr(0, format.find("%d"));
        if (!log_line.starts_with(prefix)) {
            continue;
        }
        long long number = 0;
        std::from_chars(log_line.data() + prefix.size(), log_line.data() + log_line.size(), number);
        if (number < 1 || number > static_cast<long long>(pieces.size())) {
            continue;
        }
        const std::string_view text = line_content(pieces[static_cast<std::size_t>(number - 1)]);
        if (log_line == expected_message(format, number, text)) {
            return {number, message};
        }
    }
    check(false, "every log line is a message about a line that was read");
    return {0, nullptr};
}

std::vector<LogEntry> parse_log(std::string_view log, const std::vector<std::string>& pieces) {
    std::vector<LogEntry> entries;
    while (!log.empty()) {
        const std::size_t end = log.find("\r\n");
        check(end != std::string_view::npos, "every log line ends with CR LF");
        entries.push_back(identify(log.substr(0, end + 2), pieces));
        log.remove_prefix(end + 2);
        check(entries.size() < 2 || entries[entries.size() - 2].line <= entries.back().line,
              "line numbers in the log never go back");
    }
    return entries;
}

std::string_view take_output_line(std::string_view& out) {
    const std::size_t end = out.find("\r\n");
    check(end != std::string_view::npos, "an output line for every line read, ending with CR LF");
    const std::string_view line = out.substr(0, end);
    out.remove_prefix(end + 2);
    return line;
}

// Fields are counted from the line's end: NR may hold the separator, a number never does.
std::string_view take_last_field(std::string_view& line, std::string_view separator) {
    const std::size_t at = line.rfind(separator);
    check(at != std::string_view::npos, "an accepted point has its separators");
    const std::string_view field = line.substr(at + separator.size());
    line = line.substr(0, at);
    return field;
}

bool all_digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A number as written: "-"?, the integer part without leading zeros, then exactly the run's places.
// `from`, when given, is the value it was written from: the bytes are those of the writer that
// always goes by way of the 17-digit form, and rounded first to 17 significant digits and then to
// the places, the number is off by at most half a unit of each, and its sign is kept.
void check_number(std::string_view field, std::int32_t decimals, const double* from) {
    const std::size_t places = decimals < 0 ? 6 : static_cast<std::size_t>(decimals);
    std::string_view digits = field;
    const bool minus = digits.starts_with('-');
    if (minus) {
        digits.remove_prefix(1);
    }
    const std::size_t point = digits.find('.');
    const std::string_view integer = digits.substr(0, point);
    check(all_digits(integer) && (integer.size() == 1 || integer[0] != '0'), "an integer part as written");
    if (places == 0) {
        check(point == std::string_view::npos, "no decimal point without decimals");
    } else {
        check(point != std::string_view::npos && digits.size() - point - 1 == places &&
                  all_digits(digits.substr(point + 1)),
              "exactly the run's number of decimals");
    }
    double written = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), written);
    check(ec == std::errc() && end == field.data() + field.size(), "a written number reads back");
    if (from == nullptr) {
        return;
    }
    MemorySink reference;
    TextWriter reference_writer(reference, WRITER_BUFFER_SIZE);
    write_fixed_by_digits(reference_writer, *from, decimals);
    reference_writer.flush();
    check(field == reference.bytes, "the bytes of the 17-digit writer");
    check(minus == (*from < 0), "a minus sign exactly for a negative value");
    double unit = 1;
    for (std::size_t i = 0; i < places; ++i) {
        unit /= 10;
    }
    // The slack covers the rounding of the read-back and of this difference.
    check(std::fabs(written - *from) <= unit * 0.5000001 + std::fabs(*from) * 2e-16, "the value as read");
}

// The fields of a line as the loop splits them: NR, X, Y, H, and whether there is a fifth.
struct LineFields {
    std::string_view field[4];
    int count = 0;  // up to 5
};

LineFields split_fields(std::string_view content, const DelimiterSet& delimiters) {
    LineFields fields;
    std::string_view field;
    while (fields.count < 5 && next_field(content, delimiters, field)) {
        if (fields.count < 4) {
            fields.field[fields.count] = field;
        }
        ++fields.count;
    }
    return fields;
}

// A numeric token's value is that of its leading decimal number as a full conversion reads it:
// the token holds only digits, "." and "-", so strtod sees exactly that grammar.
void check_token_value(std::string_view token) {
    double value = 0;
    if (!is_number_token(token) || !token_value(token, value)) {
        return;
    }
    const std::string text(token);
    const double full = std::strtod(text.c_str(), nullptr);
    check(value == full && std::signbit(value) == std::signbit(full), "a token reads as a full conversion");
}

double value_of(std::string_view token) {
    double value = 0;
    check(token_value(token, value), "an accepted field has a value");
    return value;
}

// An accepted point: NR as read, then X, Y, and H when the line had one.
void check_point_line(const FuzzRun& run, const LineFields& fields, std::string_view line) {
    const RunSettings& s = run.settings;
    if (fields.count >= 4) {
        double h = value_of(fields.field[3]);
        const bool zero = std::fabs(h) < 1e-4;
        if (zero) {
            h = 0.0;  // written as a positive zero, in every mode
        } else {
            check(h >= 100 && h <= 600, "an accepted height lies within 100 to 600 m");
        }
        const bool unchanged = zero || s.HeightDirection == 2 || s.TransformMode == 1 || s.TransformMode == 3;
        check_number(take_last_field(line, run.separator), s.h_decimals, unchanged ? &h : nullptr);
    }
    const bool xy_unchanged = s.TransformMode == 2 || s.Direction < 0 || s.Direction > 3;
    for (const std::string_view token : {fields.field[2], fields.field[1]}) {  // Y, then X
        const double value = value_of(token);
        check_number(take_last_field(line, run.separator), s.xy_decimals, xy_unchanged ? &value : nullptr);
    }
    check(line == fields.field[0], "an accepted point starts with its NR as read");
}

// Walks the lines read in order, each with its log entries and its output line.
void check_lines(const FuzzRun& run, const std::vector<std::string>& pieces, std::string_view out,
                 const std::vector<LogEntry>& entries) {
    const DelimiterSet delimiters = make_delimiter_set(run.delimiters);
    std::size_t next_entry = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const long long line_number = static_cast<long long>(i) + 1;
        std::vector<const char*> messages;
        for (; next_entry < entries.size() && entries[next_entry].line == line_number; ++next_entry) {
            messages.push_back(entries[next_entry].message);
        }
        const std::string_view content = line_content(pieces[i]);
        if (content.empty()) {
            check(messages.empty(), "an empty line leaves nothing");
            continue;
        }
        const LineFields fields = split_fields(content, delimiters);
        for (int k = 1; k < fields.count && k < 4; ++k) {
            check_token_value(fields.field[k]);
        }
        if (fields.count == 0) {
            check(messages.size() == 1 && messages[0] == MSG_BAD_NR, "only delimiters: the NR message alone");
            continue;
        }
        const bool warned = !messages.empty() && messages[0] == MSG_EXTRA_FIELDS;
        check(!warned || fields.count == 5, "the extra fields warning only for a fifth field");
        const std::size_t rejections = messages.size() - (warned ? 1 : 0);
        check(rejections <= 1, "at most the warning and one rejection for a line");
        const std::string_view line = take_output_line(out);
        if (rejections == 1) {
            check(messages.back() != MSG_BAD_NR && messages.back() != MSG_EXTRA_FIELDS, "a rejection");
            check(line == content, "a rejected line is copied byte for byte");
        } else {
            check_point_line(run, fields, line);
        }
    }
    check(next_entry == entries.size(), "no message is out of order");
    check(out.empty(), "nothing else is written to the output");
}

// A disk that fills up: what reached it is the start of the full file, and the loop says it failed.
void check_full_disk(const FuzzRun& run, const std::string& full_out, const std::string& full_log) {
    CappedSink out;
    CappedSink log;
    const bool log_capped = (run.cap & 0x80u) != 0;
    CappedSink& capped = log_capped ? log : out;
    const std::string& full = log_capped ? full_log : full_out;
    capped.room = full.size() * (run.cap & 0x7Fu) / 128;
    const LoopResult result = run_loop(run, out, log);
    check(full.starts_with(capped.bytes), "what was written is the start of the full file");
    check(capped.bytes.size() == full.size() || result.end == RecordsEnd::write_failed || !result.flushed,
          "a lost write is never a complete run");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzRun run;
    if (!decode(data, size, run)) {
        return 0;
    }
    const std::vector<std::string> pieces = read_pieces(run.input);
    CappedSink out;
    CappedSink log;
    const LoopResult result = run_loop(run, out, log);
    check(result.end == RecordsEnd::complete && result.flushed, "a run without faults is complete");
    check(result.line_count == static_cast<long long>(pieces.size()), "every piece counts as a line");
    check_lines(run, pieces, out.bytes, parse_log(log.bytes, pieces));
    if (run.cap != 0) {
        check_full_disk(run, out.bytes, log.bytes);
    }
    return 0;
}
