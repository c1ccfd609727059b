#include "driver/progress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/doubles.h"

namespace {

struct ProgressStep {
    long long at_ms;  // since the start of the run
    long long lines;
    const char* shows;  // bytes written to the terminal by this step
};

struct ProgressCase {
    const char* what;
    std::vector<ProgressStep> steps;
    std::size_t cleared_width;  // clear_progress at the end: CR, this many spaces, CR
};

// clang-format off
const ProgressCase PROGRESS_CASES[] = {
    {"a run under a second shows nothing and clears nothing",
     {{0, 4096, ""}, {999, 8192, ""}}, 0},
    {"shown after a second, with lines per second since the start",
     {{500, 4096, ""}, {1000, 12288, "\rzelwan: 12288 linii, 12288 linii/s"}}, 34},
    {"redrawn a quarter of a second later, not sooner",
     {{1000, 4096, "\rzelwan: 4096 linii, 4096 linii/s"}, {1249, 8192, ""},
      {1250, 12288, "\rzelwan: 12288 linii, 9830 linii/s"}}, 33},
    {"a shorter line covers the end of the longer one before it",
     {{1000, 123456, "\rzelwan: 123456 linii, 123456 linii/s"}, {4000, 123456, "\rzelwan: 123456 linii, 30864 linii/s "}},
     36},
};
// clang-format on

TEST(ProgressLine, ShownLateRedrawnSeldomClearedAtTheEnd) {
    for (const ProgressCase& c : PROGRESS_CASES) {
        SCOPED_TRACE(c.what);
        MemorySink terminal;
        const ProgressLine::Clock::time_point start{};
        ProgressLine progress = make_progress_line(terminal, start);
        for (const ProgressStep& step : c.steps) {
            terminal.bytes.clear();
            show_progress(progress, step.lines, start + std::chrono::milliseconds(step.at_ms));
            EXPECT_EQ(terminal.bytes, step.shows) << "at " << step.at_ms << " ms";
        }
        terminal.bytes.clear();
        clear_progress(progress);
        clear_progress(progress);  // nothing is left to blank the second time
        EXPECT_EQ(terminal.bytes, c.cleared_width == 0 ? "" : '\r' + std::string(c.cleared_width, ' ') + '\r')
            << "cleared twice";
    }
}

}  // namespace
