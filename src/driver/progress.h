#pragma once
// One line on the terminal for whoever watches a long run: the lines done and the lines per second.
// It goes to standard error only when that is a terminal, so a calling tool or a script sees
// nothing of it, and it never reaches standard output or a file.
#include <chrono>
#include <cstddef>

#include "driver/text_io.h"

struct ProgressLine {
    using Clock = std::chrono::steady_clock;
    ByteSink& terminal;
    Clock::time_point start;
    Clock::time_point next_show;  // a second after the start, then a few times a second
    std::size_t shown_width = 0;  // characters on the terminal now; 0 when nothing is shown
};

ProgressLine make_progress_line(ByteSink& terminal, ProgressLine::Clock::time_point start);

// Redraws the line in place when it is due; before that, does nothing.
void show_progress(ProgressLine& progress, long long lines, ProgressLine::Clock::time_point now);

// Blanks the line and puts the cursor back at its start, if anything was shown.
void clear_progress(ProgressLine& progress);

// The output file as the record loop writes it. Each time a buffer of it goes out (64 KiB, a couple
// of thousand lines) the progress line is redrawn if due, so that the loop itself never looks at
// the clock and costs not one instruction more per line.
struct ProgressSink final : ByteSink {
    ByteSink& sink;
    ProgressLine& progress;
    const long long* lines = nullptr;  // the record loop's count, once the loop is there
    ProgressSink(ByteSink& s, ProgressLine& p) : sink(s), progress(p) {}
    bool write(const char* data, std::size_t size) override;
    bool close() override { return sink.close(); }
};
