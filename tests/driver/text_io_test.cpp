#include "driver/text_io.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/doubles.h"
#include "support/random.h"

namespace {

// The pieces of a point file, each cut to its content, as the record loop sees them.
std::vector<std::string> contents(const std::string& input, std::size_t chunk) {
    MemorySource source(input, chunk);
    LoneCrSource lines(source);
    LineReader reader(lines, 0);
    std::vector<std::string> result;
    for (std::string_view piece; reader.next(piece);) {
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

const std::string A998(998, 'a');
const std::string A999(999, 'a');

// clang-format off
const ReadCase READ_CASES[] = {
    {"CR LF and LF", "1 2\r\n3 4\n5 6", {"1 2", "3 4", "5 6"}},
    {"CR CR LF", "a\r\r\nb", {"a", "b"}},
    {"Ctrl-Z at the start", "\x1A" "1\n", {}},
    {"a CR at the very end", "1 2\r", {"1 2"}},
    {"998 characters and CR LF", A998 + "\r\nb", {A998, "b"}},
    {"999 characters and CR LF", A999 + "\r\nb", {A999, "", "b"}},
    {"999 characters and LF", A999 + "\nb", {A999, "", "b"}},
    {"1000 characters", std::string(1000, 'a') + "\r\nb", {A999, "a", "b"}},
    {"998 characters and a lone CR", A998 + "\rxy\n", {A998, "xy"}},
    {"999 characters and a lone CR", A999 + "\rx", {A999, "", "x"}},
    {"lone CRs end lines, two of them an empty one", "1\r2\r\r3\r", {"1", "2", "", "3"}},
    {"a stray CR inside a CR LF line", "1 2\r3 4\r\n5", {"1 2", "3 4", "5"}},
    {"a run of CRs, then LF: one line end", "a\r\r\r\r\r\nb", {"a", "b"}},
    {"a run cut by the 999th character, then LF", A998 + "\r\r\r\nb", {A998, "", "b"}},
    {"2000 characters at the end", std::string(2000, 'a'), {A999, A999, "aa"}},
};
// clang-format on

TEST(LineReader, PiecesOfTextModeInputAcrossRefills) {
    for (const ReadCase& c : READ_CASES) {
        for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
            EXPECT_EQ(contents(c.input, chunk), c.contents) << c.what << ", chunks of " << chunk;
        }
    }
}

// Eight bytes at a time against one at a time: bytes just above and below the cut ones, high bytes,
// at every place in a word.
TEST(LineContent, WordsAtATimeCutWhereBytesAtATimeDo) {
    const std::string bytes("a 5.-\x0E\x0F\x0B\x0C\x80\xFF\x8D\x8A\r\n\0", 15);
    Random random{999};
    for (int i = 0; i < 200000; ++i) {
        std::string piece(random.next() >> 47, 'x');  // up to 63 bytes
        for (char& c : piece) {
            const std::uint64_t draw = random.next();
            c = (draw >> 49) < 12 ? piece[0] : bytes[(draw >> 22) % bytes.size()];
        }
        const std::size_t cut = piece.find_first_of(std::string_view("\n\r\0", 3));
        ASSERT_EQ(line_content(piece), std::string_view(piece).substr(0, cut)) << i;
    }
}

// A sink that refuses one write and takes the next: the writer must not go on after the gap.
TEST(TextWriter, TheFirstFailedWriteSticks) {
    MemorySink sink;
    sink.room = 300;
    sink.refuses_once = true;
    TextWriter out(sink, 256);
    for (int i = 0; i < 100; ++i) {
        out.write("0123456789");
        out.end_line();
    }
    EXPECT_FALSE(out.flush());
    EXPECT_EQ(sink.bytes.size(), 21u * 12) << "only the first buffer, 21 whole lines, went out";
}

}  // namespace
