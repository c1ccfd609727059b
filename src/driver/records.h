#pragma once
// The record loop: every line of the input file read, checked, converted and written.
#include <string_view>

#include "driver/fields.h"
#include "driver/run_plan.h"
#include "driver/summary.h"
#include "driver/text_io.h"

// What became of a point that could be placed (its X and Y were numbers).
enum class PointOutcome { converted, outside, bad_height };

struct PlacedPoint {
    double x;  // X and Y as read
    double y;
    long long line;  // as the log numbers it
    std::string_view nr;
};

// Where the loop tells each placed point: the map of the run.
struct PointListener {
    virtual ~PointListener() = default;
    virtual void place(PointOutcome outcome, const PlacedPoint& point) = 0;
};

// The run's plan and streams, and the context every per-line message is formed from.
struct RecordLoop {
    const RunPlan& plan;
    DelimiterSet delimiters;
    std::string_view output_separator;
    TextWriter& out;
    TextWriter& log;
    long long line_number = 0;        // pieces read so far, empty ones included
    std::string_view current_line{};  // the line as read, without its line end
    RecordCounts counts{};
    PointListener* points = nullptr;  // hears of every placed point, when a map is asked for
    TextWriter* rejected = nullptr;   // where rejected lines go; nullptr: the output, among the points
    bool header = false;              // the first line is copied as read, unchecked
    bool keep_extra = false;          // fields after H are written after it, with no warning
    long long comma_lines = 0;        // lines rejected for their format that hold a decimal comma
};

enum class RecordsEnd { complete, read_failed, write_failed };

// Runs until the input ends, a read fails, or a write to the output, the log or the file of
// rejected lines fails.
RecordsEnd process_records(RecordLoop& loop, LineReader& input);
