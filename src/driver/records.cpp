#include "driver/records.h"

#include <cmath>

#include "driver/area_gate.h"
#include "driver/height_rules.h"
#include "driver/log_report.h"
#include "driver/messages.h"
#include "driver/number_format.h"
#include "geodesy/planar.h"

namespace {

// A height closer to zero than this is taken as "no height" and written as 0.
constexpr double ZERO_HEIGHT_LIMIT = 0.0001;

// The next field as a coordinate; rejects the line with message when it is missing or no number.
bool read_coordinate(RecordLoop& loop, std::string_view& rest, double& value, const char* message) {
    std::string_view field;
    if (!next_field(rest, loop.delimiters, field) || !is_number_token(field) || !token_value(field, value)) {
        reject_line(loop, message);
        return false;
    }
    return true;
}

// NR, X, Y and the optional H, in this order of checks. false when the line is done.
bool parse_point_line(RecordLoop& loop, PointRecord& record) {
    std::string_view rest = loop.current_line;
    if (!next_field(rest, loop.delimiters, record.nr)) {
        warn_line(loop, MSG_BAD_NR);  // only delimiters: nothing to copy
        return false;
    }
    if (!read_coordinate(loop, rest, record.point.x, MSG_BAD_X) ||
        !read_coordinate(loop, rest, record.point.y, MSG_BAD_Y)) {
        return false;
    }
    std::string_view field;
    if (!next_field(rest, loop.delimiters, field)) {
        return true;
    }
    record.has_h = true;
    if (!is_number_token(field) || !token_value(field, record.point.h)) {
        reject_line(loop, MSG_BAD_H);
        return false;
    }
    record.h_is_zero = std::fabs(record.point.h) < ZERO_HEIGHT_LIMIT;
    if (next_field(rest, loop.delimiters, field)) {
        warn_line(loop, MSG_EXTRA_FIELDS);
    }
    return true;
}

}  // namespace

void reject_line(RecordLoop& loop, const char* message) {
    warn_line(loop, message);
    loop.out.write(loop.current_line);
    loop.out.end_line();
}

void warn_line(RecordLoop& loop, const char* message) {
    write_message(loop.log, message, loop.line_number, loop.current_line);
}

void write_point_xy(RecordLoop& loop, const PointRecord& record) {
    loop.out.write(record.nr);
    loop.out.write(loop.output_separator);
    write_fixed(loop.out, record.point.x, loop.settings.xy_decimals);
    loop.out.write(loop.output_separator);
    write_fixed(loop.out, record.point.y, loop.settings.xy_decimals);
}

void process_record(RecordLoop& loop, std::string_view piece) {
    ++loop.line_number;
    const std::string_view content = line_content(piece);
    if (content.empty()) {
        return;
    }
    loop.current_line = content;
    PointRecord record;
    if (!parse_point_line(loop, record)) {
        return;
    }
    if (const char* message = check_point_area(loop.settings, record.point)) {
        reject_line(loop, message);
        return;
    }
    if (loop.settings.TransformMode != 2) {  // heights only: X and Y stay as read
        transform_point(record.point.x, record.point.y, loop.settings.Direction);
    }
    if (!record.has_h) {
        write_point_xy(loop, record);
        loop.out.end_line();
        return;
    }
    finish_height_line(loop, record);
}

RecordsEnd process_records(RecordLoop& loop, LineReader& input) {
    loop.line_number = 0;
    std::string_view piece;
    while (input.next(piece)) {
        process_record(loop, piece);
        if (loop.out.failed || loop.log.failed) {
            return RecordsEnd::write_failed;
        }
    }
    return input.state == LineReader::State::failed ? RecordsEnd::read_failed : RecordsEnd::complete;
}
