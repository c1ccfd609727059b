#include "driver/progress.h"

#include <string>

#include "driver/messages.h"

namespace {

// A run shorter than this shows nothing; a longer one is redrawn this often.
constexpr std::chrono::milliseconds FIRST_SHOWN_AFTER{1000};
constexpr std::chrono::milliseconds REDRAWN_EVERY{250};

void append_number(std::string& text, long long number) {
    char digits[INTEGER_TEXT_SIZE];
    text.append(integer_text(number, digits));
}

}  // namespace

ProgressLine make_progress_line(ByteSink& terminal, ProgressLine::Clock::time_point start) {
    return ProgressLine{terminal, start, start + FIRST_SHOWN_AFTER};
}

void show_progress(ProgressLine& progress, long long lines, ProgressLine::Clock::time_point now) {
    if (now < progress.next_show) {
        return;
    }
    progress.next_show = now + REDRAWN_EVERY;
    const long long elapsed_ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - progress.start).count();
    std::string text = "\r";
    text += PROGRESS_PREFIX;
    append_number(text, lines);
    text += PROGRESS_LINES;
    append_number(text, elapsed_ms > 0 ? lines * 1000 / elapsed_ms : 0);
    text += PROGRESS_RATE;
    const std::size_t width = text.size() - 1;
    if (width < progress.shown_width) {
        text.append(progress.shown_width - width, ' ');  // covers the end of a longer line before
    } else {
        progress.shown_width = width;
    }
    progress.terminal.write(text.data(), text.size());  // a terminal that fails us costs nothing
}

void clear_progress(ProgressLine& progress) {
    if (progress.shown_width == 0) {
        return;
    }
    std::string blank(progress.shown_width + 2, ' ');
    blank.front() = '\r';
    blank.back() = '\r';
    progress.terminal.write(blank.data(), blank.size());
    progress.shown_width = 0;
}

void write_summary(ByteSink& terminal, const RunSummary& summary) {
    const std::string text = summary_text(summary) + '\n';
    terminal.write(text.data(), text.size());  // a terminal that fails us costs nothing
}

bool ProgressSink::write(const char* data, std::size_t size) {
    if (lines != nullptr) {
        watcher.progress(*lines);
    }
    return sink.write(data, size);
}
