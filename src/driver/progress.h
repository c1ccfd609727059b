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

// The record loop looks at the clock only every this many lines.
inline constexpr long long PROGRESS_STRIDE = 4096;

ProgressLine make_progress_line(ByteSink& terminal, ProgressLine::Clock::time_point start);

// Redraws the line in place when it is due; before that, does nothing.
void show_progress(ProgressLine& progress, long long lines, ProgressLine::Clock::time_point now);
// The same at the clock's time: the one call in the record loop, which stays small that way.
void show_progress(ProgressLine& progress, long long lines);

// Blanks the line and puts the cursor back at its start, if anything was shown.
void clear_progress(ProgressLine& progress);
