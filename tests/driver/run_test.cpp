#include "driver/run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

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
// that fails after every write went through.
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
        EXPECT_EQ(convert_file(config_for("dane/punkty.txt"), input, output, log, console), c.status);
        EXPECT_EQ(out.bytes, c.message);
        EXPECT_EQ(output.bytes, "1;100.00;200.00\r\n1;100.00;200.00\r\n");
    }
}

// Half the input, then a pause of more than a second, then the rest: a run that a person watches.
struct SlowSource final : ByteSource {
    MemorySource first, rest;
    bool paused = false;
    SlowSource(std::string_view a, std::string_view b) : first(a), rest(b) {}
    long read(char* buffer, std::size_t size) override {
        if (first.bytes.empty() && !paused) {
            paused = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        }
        return (paused ? rest : first).read(buffer, size);
    }
};

TEST(ConvertFile, APersonWatchingSeesProgressThenTheSummary) {
    std::string lines;
    for (int i = 0; i < 10000; ++i) {
        lines += "1 100 200\n";  // 170 KB of output: buffers go out after the pause
    }
    const std::string rest = lines + "x\n";
    SlowSource source(lines, rest);
    LineReader input(source, 4096);
    MemorySink output, log, out, err;
    TerminalWatcher watcher(err);
    Console console{out, &watcher};
    EXPECT_EQ(convert_file(config_for("punkty.txt"), input, output, log, console), EXIT_COMPLETE);
    // Shown, then blanked and the cursor put back, then the one summary line.
    EXPECT_TRUE(err.bytes.starts_with("\rzelwan: ") && err.bytes.find(" linii/s") != std::string::npos)
        << err.bytes;
    EXPECT_TRUE(
        err.bytes.ends_with(" \rzelwan: linie 20001, zapisane 20000, odrzucone 1 (format 1, poza obszarem 0, "
                            "H 0), ostrzezenia 0, log punkty_wynik.txt.log\n"))
        << err.bytes;
}

}  // namespace
