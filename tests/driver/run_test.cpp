#include "driver/run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "driver/progress.h"
#include "support/doubles.h"

namespace {

// What a full disk cannot show end to end: a read error in the middle of the input, and a close
// that fails after every write went through.
struct EndCase {
    const char* what;
    bool input_fails;
    bool output_closes;
    bool log_closes;
    int status;
    const char* message;
    const char* output;
};

const EndCase END_CASES[] = {
    {"a read error keeps the whole lines before it", true, true, true, EXIT_FAILED,
     "Blad odczytu pliku dane/punkty.txt\n", "1;100.00;200.00\r\n1;100.00;200.00\r\n"},
    {"the output's close fails", false, false, true, EXIT_CLOSE_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt\n", "1;100.00;200.00\r\n1;100.00;200.00\r\n"},
    {"the log's close fails", false, true, false, EXIT_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt.log\n", "1;100.00;200.00\r\n1;100.00;200.00\r\n"},
};

TEST(ConvertFile, AFailureAtTheEndIsNeverReportedAsSuccess) {
    for (const EndCase& c : END_CASES) {
        RunConfig config{};
        config.plan = make_run_plan({1, 7, 0, 2, 1});  // X and Y rewritten with two decimals
        config.separators = Separators{" ", ";"};
        config.input_path = "dane/punkty.txt";
        config.paths = build_output_paths(config.input_path, "-");
        MemorySource input_source(c.input_fails ? "1 100 200\n1 100 200\n1 1" : "1 100 200\n1 100 200\n", 7);
        input_source.fails_at_end = c.input_fails;
        LineReader input(input_source, 0);
        MemorySink output;
        output.closes = c.output_closes;
        MemorySink log;
        log.closes = c.log_closes;
        MemorySink out;
        Console console{out};
        EXPECT_EQ(convert_file(config, input, output, log, console), c.status) << c.what;
        EXPECT_EQ(out.bytes, c.message) << c.what;
        EXPECT_EQ(output.bytes, c.output) << c.what;
    }
}

// Half the input, then a pause of more than a second, then the rest: a run that a person watches.
struct SlowSource final : ByteSource {
    MemorySource first;
    MemorySource rest;
    bool paused = false;
    SlowSource(std::string_view a, std::string_view b) : first(a), rest(b) {}
    long read(char* buffer, std::size_t size) override {
        if (!first.bytes.empty()) {
            return first.read(buffer, size);
        }
        if (!paused) {
            paused = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        }
        return rest.read(buffer, size);
    }
};

TEST(ConvertFile, APersonWatchingSeesProgressThenTheSummary) {
    std::string lines;
    for (int i = 0; i < 10000; ++i) {
        lines += "1 100 200\n";  // 170 KB of output: buffers go out after the pause
    }
    RunConfig config{};
    config.plan = make_run_plan({1, 7, 0, 2, 1});
    config.separators = Separators{" ", ";"};
    config.input_path = "punkty.txt";
    config.paths = build_output_paths(config.input_path, "-");
    const std::string rest = lines + "x\n";
    SlowSource source(lines, rest);
    LineReader input(source, 4096);
    MemorySink output;
    MemorySink log;
    MemorySink out;
    MemorySink err;
    TerminalWatcher watcher(err);
    Console console{out, &watcher};
    EXPECT_EQ(convert_file(config, input, output, log, console), EXIT_COMPLETE);
    // Shown, then blanked and the cursor put back, then the one summary line.
    EXPECT_TRUE(err.bytes.starts_with("\rzelwan: ") && err.bytes.find(" linii/s") != std::string::npos)
        << err.bytes;
    EXPECT_TRUE(
        err.bytes.ends_with(" \rzelwan: linie 20001, zapisane 20000, odrzucone 1 (format 1, poza obszarem 0, "
                            "H 0), ostrzezenia 0, log punkty_wynik.txt.log\n"))
        << err.bytes;
}

}  // namespace
