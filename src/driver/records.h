#pragma once
// The record loop: every line of the input file read, checked, converted and written.
#include <string_view>

#include "driver/fields.h"
#include "driver/text_io.h"
#include "geodesy/area.h"
#include "geodesy/settings.h"

// The run's settings and streams, and the context every per-line message is formed from.
struct RecordLoop {
    RunSettings settings;
    DelimiterSet delimiters;
    std::string_view output_separator;
    TextWriter& out;
    TextWriter& log;
    long long line_number = 0;      // pieces read so far, empty ones included
    std::string_view current_line;  // the line as read, without its line end
};

// One point line as parsed; everything starts afresh on every line.
struct PointRecord {
    std::string_view nr;
    Point point{0.0, 0.0, 0.0};
    bool has_h = false;
    bool h_is_zero = false;  // |H| below 0.0001: written as 0, no range check, no correction
};

enum class RecordsEnd { complete, read_failed, write_failed };

// Runs until the input ends, a read fails, or a write to the output or the log fails.
RecordsEnd process_records(RecordLoop& loop, LineReader& input);

// One piece as read, line end included.
void process_record(RecordLoop& loop, std::string_view piece);

// The message to the log, the line as read to the output; the line is done.
void reject_line(RecordLoop& loop, const char* message);
// The message to the log; the line goes on.
void warn_line(RecordLoop& loop, const char* message);
// NR, separator, X, separator, Y.
void write_point_xy(RecordLoop& loop, const PointRecord& record);
