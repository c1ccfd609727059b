#include "driver/run.h"

#include <gtest/gtest.h>

#include <string>

#include "driver/messages.h"

namespace {

struct SeparatorsCase {
    const char* what;
    std::string file;
    const char* message;  // nullptr: accepted
    const char* delimiters;
    const char* separator;
};

const SeparatorsCase SEPARATORS_CASES[] = {
    {"CR LF", " \r\n;\r\n", nullptr, " ", ";"},
    {"LF, and a third line ignored", " \t\n; \nxyz\n", nullptr, " \t", "; "},
    {"empty first line", "\n;", nullptr, "", ";"},
    {"a CR inside ends the text", ";\rx\n|\ry\n", nullptr, ";", "|"},
    {"empty file", "", MSG_SEPARATORS_LINE_1, "", ""},
    {"only Ctrl-Z", "\x1A;\n;\n", MSG_SEPARATORS_LINE_1, "", ""},
    {"one line", " \r\n", MSG_SEPARATORS_LINE_2, "", ""},
    {"empty second line", " \r\n\r\n;\r\n", MSG_SEPARATORS_LINE_2, "", ""},
    {"second line cut to nothing by a CR", " \n\r;\n", MSG_SEPARATORS_LINE_2, "", ""},
};

TEST(ReadSeparators, TwoLinesOrTheirMessage) {
    for (const SeparatorsCase& c : SEPARATORS_CASES) {
        MemorySource source(c.file);
        Separators separators;
        EXPECT_EQ(read_separators(source, separators), c.message) << c.what;
        if (c.message == nullptr) {
            EXPECT_EQ(separators.input_delimiters, c.delimiters) << c.what;
            EXPECT_EQ(separators.output_separator, c.separator) << c.what;
        }
    }
}

struct ScriptedSource final : ByteSource {
    std::string bytes;
    bool fail_at_end = false;  // a read error instead of the end of the file
    long read(char* buffer, std::size_t size) override {
        if (bytes.empty()) {
            return fail_at_end ? -1 : 0;
        }
        const std::size_t n = bytes.copy(buffer, std::min<std::size_t>(size, 7));
        bytes.erase(0, n);
        return static_cast<long>(n);
    }
};

// Takes `room` bytes, then refuses; close() reports what the test says.
struct ScriptedSink final : ByteSink {
    std::string bytes;
    std::size_t room = std::string::npos;
    bool close_ok = true;
    bool write(const char* data, std::size_t size) override {
        if (size > room - bytes.size()) {
            return false;
        }
        bytes.append(data, size);
        return true;
    }
    bool close() override { return close_ok; }
};

struct ConvertResult {
    int status;
    std::string stdout_text;
    std::string out;
};

ConvertResult convert(ScriptedSource& input, ScriptedSink& out, ScriptedSink& log) {
    RunConfig config{};
    config.settings = RunSettings{1, 7, 0, 2, 1};
    config.separators = Separators{" ", ";"};
    config.input_path = "dane/punkty.txt";
    config.paths = build_output_paths(config.input_path, "-");
    LineReader reader(input, 0);
    testing::internal::CaptureStdout();
    const int status = convert_file(config, reader, out, log);
    return {status, testing::internal::GetCapturedStdout(), out.bytes};
}

std::string lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "1 100 200\n";
    }
    return text;
}

TEST(ConvertFile, ACompleteRunPrintsNothing) {
    ScriptedSource input;
    input.bytes = lines(3);
    ScriptedSink out;
    ScriptedSink log;
    const ConvertResult result = convert(input, out, log);
    EXPECT_EQ(result.status, EXIT_COMPLETE);
    EXPECT_EQ(result.stdout_text, "");
    EXPECT_EQ(result.out, "1;100.00;200.00\r\n1;100.00;200.00\r\n1;100.00;200.00\r\n");
}

TEST(ConvertFile, AReadErrorKeepsWhatWasConvertedAndFails) {
    ScriptedSource input;
    input.bytes = lines(2) + "3 300";
    input.fail_at_end = true;
    ScriptedSink out;
    ScriptedSink log;
    const ConvertResult result = convert(input, out, log);
    EXPECT_EQ(result.status, EXIT_FAILED);
    EXPECT_EQ(result.stdout_text, "Blad odczytu pliku dane/punkty.txt\n");
    EXPECT_EQ(result.out, "1;100.00;200.00\r\n1;100.00;200.00\r\n");
}

struct WriteFailureCase {
    const char* what;
    int line_count;
    std::size_t out_room;
    bool out_close_ok;
    std::size_t log_room;
    bool log_close_ok;
    int status;
    const char* stdout_text;
};

const WriteFailureCase WRITE_FAILURES[] = {
    {"output full during the run", 100000, 1000, true, std::string::npos, true, EXIT_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt\n"},
    {"output's last data lost at close", 3, 10, true, std::string::npos, true, EXIT_CLOSE_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt\n"},
    {"output's close fails", 3, std::string::npos, false, std::string::npos, true, EXIT_CLOSE_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt\n"},
    {"log full", 3, std::string::npos, true, 100, true, EXIT_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt.log\n"},
    {"log's close fails", 3, std::string::npos, true, std::string::npos, false, EXIT_FAILED,
     "Blad zapisu pliku dane/punkty_wynik.txt.log\n"},
};

TEST(ConvertFile, AFailedWriteIsNeverReportedAsSuccess) {
    for (const WriteFailureCase& c : WRITE_FAILURES) {
        ScriptedSource input;
        input.bytes = lines(c.line_count);
        ScriptedSink out;
        out.room = c.out_room;
        out.close_ok = c.out_close_ok;
        ScriptedSink log;
        log.room = c.log_room;
        log.close_ok = c.log_close_ok;
        const ConvertResult result = convert(input, out, log);
        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_EQ(result.stdout_text, c.stdout_text) << c.what;
    }
}

}  // namespace
