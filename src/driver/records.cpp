#include "driver/records.h"

#include <cmath>

#include "driver/message_format.h"
#include "driver/messages.h"
#include "driver/number_format.h"

namespace {

// A height closer to zero than this is taken as "no height" and written as 0.
constexpr double ZERO_HEIGHT_LIMIT = 0.0001;
// Heights outside this range, both ends included, are rejected in every mode.
constexpr double LOWEST_HEIGHT = 100.0;
constexpr double HIGHEST_HEIGHT = 600.0;

// One point line as parsed; everything starts afresh on every line.
struct PointRecord {
    std::string_view nr;
    zelwan::Point point{0.0, 0.0, 0.0};
    bool has_h = false;
    bool h_is_zero = false;  // |H| below 0.0001: written as 0, no range check, no correction
    std::string_view extra;  // the fields after H and the delimiters between them, when kept
};

// The message to the log; the line goes on.
void warn_line(RecordLoop& loop, const char* message) {
    write_message(loop.log, message, loop.line_number, loop.current_line);
}

// A line as read, with a line end of the output's kind.
void copy_line(TextWriter& out, std::string_view line) {
    out.write(line);
    out.end_line();
}

// The message to the log, the line as read to the output or to the file of rejected lines; the
// line is done.
void reject_line(RecordLoop& loop, const char* message) {
    warn_line(loop, message);
    copy_line(*loop.rejected, loop.current_line);
}

bool is_digit_at(std::string_view text, std::size_t i) {
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

// Digits, a comma and digits: a number as a Polish spreadsheet writes it.
bool holds_decimal_comma(std::string_view line) {
    for (std::size_t at = line.find(','); at != std::string_view::npos; at = line.find(',', at + 1)) {
        if (at > 0 && is_digit_at(line, at - 1) && is_digit_at(line, at + 1)) {
            return true;
        }
    }
    return false;
}

// A format message: the line cannot be placed on a map.
void reject_format(RecordLoop& loop, const char* message) {
    ++loop.counts.bad_format;
    if (loop.delimiters.decimal_point == '.' && holds_decimal_comma(loop.current_line)) {
        ++loop.comma_lines;
    }
    reject_line(loop, message);
}

// A point placed, by what became of it, with X and Y as read; counted where it is decided.
void place(RecordLoop& loop, PointOutcome outcome, std::string_view nr, const zelwan::Point& as_read) {
    if (loop.points != nullptr) {
        loop.points->place(outcome, {as_read.x, as_read.y, loop.line_number, nr});
    }
}

// NR, separator, X, separator, Y.
void write_point_xy(RecordLoop& loop, const PointRecord& record) {
    const char point = loop.delimiters.decimal_point;
    loop.out.write(record.nr);
    loop.out.write(loop.output_separator);
    write_fixed(loop.out, record.point.x, loop.plan.xy_decimals, point);
    loop.out.write(loop.output_separator);
    write_fixed(loop.out, record.point.y, loop.plan.xy_decimals, point);
}

// The fields kept after H, each after a separator.
void write_extra(RecordLoop& loop, std::string_view extra) {
    for (std::string_view field; next_field(extra, loop.delimiters, field);) {
        loop.out.write(loop.output_separator);
        loop.out.write(field);
    }
}

// Separator and H, the fields kept after it, and the line end.
void write_height(RecordLoop& loop, const PointRecord& record, double h) {
    loop.out.write(loop.output_separator);
    write_fixed(loop.out, h, loop.plan.h_decimals, loop.delimiters.decimal_point);
    if (!record.extra.empty()) {
        write_extra(loop, record.extra);
    }
    loop.out.end_line();
}

// The next field as a coordinate; rejects the line with message when it is missing or no number.
bool read_coordinate(RecordLoop& loop, std::string_view& rest, double& value, const char* message) {
    if (next_number(rest, loop.delimiters, value) != FieldNumber::number) {
        reject_format(loop, message);
        return false;
    }
    return true;
}

// NR, X, Y and the optional H, in this order of checks. false when the line is done.
bool parse_point_line(RecordLoop& loop, PointRecord& record) {
    std::string_view rest = loop.current_line;
    if (!next_field(rest, loop.delimiters, record.nr)) {
        ++loop.counts.bad_format;
        warn_line(loop, MSG_BAD_NR);  // only delimiters: nothing to copy
        return false;
    }
    if (!read_coordinate(loop, rest, record.point.x, MSG_BAD_X) ||
        !read_coordinate(loop, rest, record.point.y, MSG_BAD_Y)) {
        return false;
    }
    const FieldNumber h = next_number(rest, loop.delimiters, record.point.h);
    if (h == FieldNumber::none) {
        return true;
    }
    record.has_h = true;
    if (h == FieldNumber::not_number) {
        reject_format(loop, MSG_BAD_H);
        return false;
    }
    record.h_is_zero = std::fabs(record.point.h) < ZERO_HEIGHT_LIMIT;
    if (loop.keep_extra) {
        record.extra = rest;
    } else if (std::string_view field; next_field(rest, loop.delimiters, field)) {
        ++loop.counts.warnings;
        warn_line(loop, MSG_EXTRA_FIELDS);
    }
    return true;
}

// On X and Y as read, in the system of the run's input. false when the line is done.
bool pass_area_gate(RecordLoop& loop, const PointRecord& record) {
    const zelwan::AreaPolygon* gate = loop.plan.gate;
    const zelwan::Point& point = record.point;
    if (gate == nullptr || zelwan::point_in_area(*gate, point.x, point.y) != 0) {
        return true;
    }
    ++loop.counts.outside;
    place(loop, PointOutcome::outside, record.nr, point);
    reject_line(loop, loop.plan.outside_message);
    return false;
}

// Zero passes as it is, 100 to 600 m is required, and only then is H corrected, at X and Y as they
// now stand. X and Y are written before the correction; a rejected line drops them. false when
// the line is rejected.
bool finish_height_line(RecordLoop& loop, PointRecord& record) {
    if (record.h_is_zero) {
        write_point_xy(loop, record);
        write_height(loop, record, 0.0);
        return true;
    }
    zelwan::Point& point = record.point;
    if (point.h < LOWEST_HEIGHT || point.h > HIGHEST_HEIGHT) {  // on H as read, in every mode
        reject_line(loop, MSG_H_RANGE);
        return false;
    }
    write_point_xy(loop, record);
    if (const zelwan::CoordinateSystemInfo* system = loop.plan.height_system) {
        point.h = zelwan::correct_height(*system, loop.plan.height_sense, point.x, point.y, point.h);
    }
    write_height(loop, record, point.h);
    return true;
}

// One piece as read, line end included.
void process_record(RecordLoop& loop, std::string_view piece) {
    ++loop.line_number;
    const std::string_view content = line_content(piece);
    if (content.empty()) {
        return;
    }
    loop.current_line = content;
    PointRecord record;
    if (!parse_point_line(loop, record) || !pass_area_gate(loop, record)) {
        return;
    }
    const zelwan::Point as_read = record.point;
    if (loop.plan.planar != nullptr) {
        record.point = zelwan::transform_point(*loop.plan.planar, record.point);
    }
    if (!record.has_h) {
        write_point_xy(loop, record);
        loop.out.end_line();
    } else if (!finish_height_line(loop, record)) {
        ++loop.counts.bad_height;
        place(loop, PointOutcome::bad_height, record.nr, as_read);
        return;
    }
    ++loop.counts.written;
    place(loop, PointOutcome::converted, record.nr, as_read);
}

}  // namespace

RecordsEnd process_records(RecordLoop& loop, LineReader& input) {
    loop.line_number = 0;
    loop.counts = {};
    if (loop.rejected == nullptr) {
        loop.rejected = &loop.out;
    }
    std::string_view piece;
    if (loop.header && input.next(piece)) {  // numbered like any line, and at the top of both files
        ++loop.line_number;
        copy_line(loop.out, line_content(piece));
        if (loop.rejected != &loop.out) {
            copy_line(*loop.rejected, line_content(piece));
        }
    }
    while (input.next(piece)) {
        process_record(loop, piece);
        if (loop.out.failed || loop.log.failed || loop.rejected->failed) {
            return RecordsEnd::write_failed;
        }
    }
    return input.state == LineReader::State::failed ? RecordsEnd::read_failed : RecordsEnd::complete;
}
