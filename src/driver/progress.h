#pragma once
// For whoever watches a long run at a terminal: one line with the lines done and the lines per
// second, and at the end a summary of the run. Both go to standard error only when that is a
// terminal, so a calling tool or a script sees nothing of them; they never reach standard output
// or a file.
#include <chrono>
#include <cstddef>

#include "driver/text_io.h"
#include "driver/watcher.h"

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

// The summary line, and its line end.
void write_summary(ByteSink& terminal, const RunSummary& summary);

struct TerminalWatcher final : RunWatcher {
    ProgressLine line;
    explicit TerminalWatcher(ByteSink& terminal)
        : line(make_progress_line(terminal, ProgressLine::Clock::now())) {}
    void progress(long long lines) override { show_progress(line, lines, ProgressLine::Clock::now()); }
    void finished(const RunSummary& summary) override {
        clear_progress(line);
        write_summary(line.terminal, summary);
    }
    void note(std::string_view text) override {
        clear_progress(line);
        line.terminal.write(text.data(), text.size());  // a terminal that fails us costs nothing
    }
};

// The output file as the record loop writes it. Each time a buffer of it goes out (256 KiB, some
// thousands of lines) the watcher hears of the lines done, so that the loop itself never looks at
// the clock and costs not one instruction more per line.
struct ProgressSink final : ByteSink {
    ByteSink& sink;
    RunWatcher& watcher;
    const long long* lines = nullptr;  // the record loop's count, once the loop is there
    ProgressSink(ByteSink& s, RunWatcher& w) : sink(s), watcher(w) {}
    bool write(const char* data, std::size_t size) override;
    bool close() override { return sink.close(); }
};
