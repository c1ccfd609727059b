#pragma once
// The record loop: every line of the input file read, checked, converted and written.
#include <string_view>

#include "driver/fields.h"
#include "driver/map.h"
#include "driver/run_plan.h"
#include "driver/text_io.h"

// What became of the lines, for the summary of a run.
struct RecordCounts {
    long long written = 0;     // points written converted
    long long bad_format = 0;  // format messages, the NR one included
    long long outside = 0;     // outside the area
    long long bad_height = 0;  // H outside 100 to 600 m
    long long warnings = 0;    // extra fields dropped
    long long rejected() const { return bad_format + outside + bad_height; }
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
    MapPoints* map = nullptr;  // where each placed point goes, as read, when a map is asked for
};

enum class RecordsEnd { complete, read_failed, write_failed };

// Runs until the input ends, a read fails, or a write to the output or the log fails.
RecordsEnd process_records(RecordLoop& loop, LineReader& input);
