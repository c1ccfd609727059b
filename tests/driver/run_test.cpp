#include "driver/run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver/progress.h"
#include "support/doubles.h"

namespace {

RunConfig config_for(const char* input_path) {
    RunConfig config{};
    config.plan = make_run_plan({1, 7, 0, 2, 1});  // X and Y rewritten with two decimals
    config.separators = Separators{" ", ";"};
    config.input_path = input_path;
    config.paths = build_output_paths(input_path, "-");
    return config;
}

// What a full disk cannot show end to end: a read error in the middle of the input, and a close
// that fails after every write went through. No map is drawn after any of them.
struct EndCase {
    const char* what;
    bool input_fails, output_closes, log_closes;
    int status;
    const char* message;
};

const EndCase END_CASES[] = {
    {"a read error keeps the whole lines before it", true, true, true, EXIT_FAILED,
     "Blad odczytu pliku dane/punkty.txt\n"},
    {"the output's close fails", false, false, true, EXIT_CLOSE_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt\n"},
    {"the log's close fails", false, true, false, EXIT_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt.log\n"},
};

TEST(ConvertFile, AFailureAtTheEndIsNeverReportedAsSuccess) {
    for (const EndCase& c : END_CASES) {
        SCOPED_TRACE(c.what);
        MemorySource input_source(c.input_fails ? "1 100 200\n1 100 200\n1 1" : "1 100 200\n1 100 200\n", 7);
        input_source.fails_at_end = c.input_fails;
        LineReader input(input_source, 0);
        MemorySink output, log, out;
        output.closes = c.output_closes;
        log.closes = c.log_closes;
        Console console{out};
        RunConfig config = config_for("dane/punkty.txt");
        config.options.map_path = ".";  // a folder: a map tried anyway would add its own message
        EXPECT_EQ(convert_file(config, input, output, log, console), c.status);
        EXPECT_EQ(out.bytes, c.message);
        EXPECT_EQ(output.bytes, "1;100.00;200.00\r\n1;100.00;200.00\r\n");
    }
}

// Whoever watches hears, as buffers of the output go out, how far the loop has read; then, once,
// what the run did.
struct RecordingWatcher final : RunWatcher {
    std::vector<long long> heard;
    void progress(long long lines) override { heard.push_back(lines); }
    void finished(const RunSummary& summary) override { heard.push_back(-summary.lines); }
};

TEST(ConvertFile, AWatcherHearsProgressThenTheSummary) {
    std::string lines;
    for (int i = 0; i < 20000; ++i) {
        lines += "1 100 200\n";  // 340 KB of output: buffers go out during the run
    }
    MemorySource source(lines);
    LineReader input(source, 4096);
    MemorySink output, log, out;
    RecordingWatcher watcher;
    Console console{out, &watcher};
    EXPECT_EQ(convert_file(config_for("punkty.txt"), input, output, log, console), EXIT_COMPLETE);
    ASSERT_GE(watcher.heard.size(), 2u);
    EXPECT_GT(watcher.heard.front(), 0);
    EXPECT_EQ(watcher.heard.back(), -20000) << "the summary, last";
}

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
    {"redrawn a quarter of a second later, not sooner, also after a longer pause",
     {{1000, 4096, "\rzelwan: 4096 linii, 4096 linii/s"}, {1249, 8192, ""},
      {1250, 12288, "\rzelwan: 12288 linii, 9830 linii/s"},
      {5000, 20000, "\rzelwan: 20000 linii, 4000 linii/s"}, {5249, 24000, ""}}, 33},
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
