#include "driver/text_io.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string repeat(char c, std::size_t n) {
    return std::string(n, c);
}

// The pieces of an input, each cut to its content, as the record loop sees them.
std::vector<std::string> contents(const std::string& input, std::size_t chunk) {
    MemorySource source(input, chunk);
    LineReader reader(source, 0);
    std::vector<std::string> result;
    std::string_view piece;
    while (reader.next(piece)) {
        EXPECT_LE(piece.size(), 1000u);
        result.emplace_back(line_content(piece));
    }
    EXPECT_EQ(reader.state, LineReader::State::end);
    return result;
}

struct ReadCase {
    const char* what;
    std::string input;
    std::vector<std::string> contents;
};

const std::string A998 = repeat('a', 998);
const std::string A999 = repeat('a', 999);

// clang-format off
const ReadCase READ_CASES[] = {
    {"CR LF and LF", "1 2\r\n3 4\n5 6", {"1 2", "3 4", "5 6"}},
    {"empty lines count", "\r\n\n\r\nx", {"", "", "", "x"}},
    {"a CR inside cuts the line", "1 2 3\r4 5\r\n6", {"1 2 3", "6"}},
    {"CR CR LF", "a\r\r\nb", {"a", "b"}},
    {"a NUL ends the content", std::string("1 2\0 3\n4", 8), {"1 2", "4"}},
    {"Ctrl-Z ends the file", "1\n2\x1A" "3\n4\n", {"1", "2"}},
    {"Ctrl-Z at the start", "\x1A" "1\n", {}},
    {"a CR at the very end", "1 2\r", {"1 2"}},
    {"998 characters and CR LF", A998 + "\r\nb", {A998, "b"}},
    {"999 characters and CR LF", A999 + "\r\nb", {A999, "", "b"}},
    {"999 characters and LF", A999 + "\nb", {A999, "", "b"}},
    {"1000 characters", repeat('a', 1000) + "\r\nb", {A999, "a", "b"}},
    {"1200 characters", repeat('a', 1200) + "\n", {A999, repeat('a', 201)}},
    {"998 characters and a lone CR", A998 + "\rxy\n", {A998, "xy"}},
    {"2000 characters at the end", repeat('a', 2000), {A999, A999, "aa"}},
};
// clang-format on

TEST(LineReader, PiecesOfTextModeInput) {
    for (const ReadCase& c : READ_CASES) {
        for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
            EXPECT_EQ(contents(c.input, chunk), c.contents) << c.what << ", chunks of " << chunk;
        }
    }
}

struct FullSink final : ByteSink {
    std::size_t room;
    std::string bytes;
    bool write(const char* data, std::size_t size) override {
        if (size > room) {
            return false;
        }
        bytes.append(data, size);
        room -= size;
        return true;
    }
};

TEST(TextWriter, TheFirstFailedWriteSticks) {
    FullSink sink;
    sink.room = 300;
    TextWriter out(sink, 256);
    for (int i = 0; i < 100; ++i) {
        out.write("0123456789");
        out.end_line();
    }
    EXPECT_FALSE(out.flush());
    EXPECT_TRUE(out.failed);
    EXPECT_LE(sink.bytes.size(), 300u);
}

}  // namespace
