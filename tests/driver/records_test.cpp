#include "driver/records.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

// Counts every allocation of this test program, to show that the loop makes none per line.
namespace {
long long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

struct LoopResult {
    RecordsEnd end;
    std::string out;
    std::string log;
};

LoopResult run_loop(const RunSettings& settings, const std::string& input, ByteSource* source = nullptr) {
    MemorySource memory(input, 5);
    LineReader reader(source != nullptr ? *source : memory, 0);
    MemorySink out_sink;
    MemorySink log_sink;
    TextWriter out(out_sink, 256);
    TextWriter log(log_sink, 256);
    RecordLoop loop{settings, make_delimiter_set(" "), ";", out, log, 0, {}};
    const RecordsEnd end = process_records(loop, reader);
    out.flush();
    log.flush();
    return {end, out_sink.bytes, log_sink.bytes};
}

constexpr RunSettings SKAWINA_FROM_2000{0, 1, 0, 3, 2};  // mode 0, direction 1, codes 1 and 1
constexpr RunSettings UNCHANGED{1, 7, 0, 2, 1};          // XY only, no such direction

struct LoopCase {
    const char* what;
    RunSettings settings;
    std::string input;
    std::string out;
    std::string log;
};

// clang-format off
const LoopCase LOOP_CASES[] = {
    {"the worked example", SKAWINA_FROM_2000, "12 5541000.00 7415000.00 250.00\r\n",
     "12;-25401.583;302770.935;249.97\r\n", ""},
    {"an empty line still counts", UNCHANGED, "1 100 200\r\n\r\n3 x 5\r\n",
     "1;100.00;200.00\r\n3 x 5\r\n", "b\xB3\xEA" "dny format w lini 3 X '3 x 5'\r\n"},
    {"only delimiters: message, no output line", UNCHANGED, "   \n",
     "", "b\xB3\xEA" "dny format w lini 1 NR '   '\r\n"},
    {"a bad H before a fifth field: only the H message", UNCHANGED, "7 1 2 x 5\n",
     "7 1 2 x 5\r\n", "b\xB3\xEA" "dny format w lini 1 H '7 1 2 x 5'\r\n"},
    {"a fifth field warns, then the point is converted", SKAWINA_FROM_2000,
     "12 5541000 7415000 250 kod\n", "12;-25401.583;302770.935;249.97\r\n",
     "dane poza H zostan\xB9 opuszczone w lini 1 '12 5541000 7415000 250 kod'\r\n"},
    {"warning, then outside: two log lines and a copy", SKAWINA_FROM_2000, "1 0 0 250 x\n", "1 0 0 250 x\r\n",
     "dane poza H zostan\xB9 opuszczone w lini 1 '1 0 0 250 x'\r\n"
     "punkt w lini 1 '1 0 0 250 x' poza Skawin\xB9\r\n"},
    {"a percent sign is data", UNCHANGED, "%s%d%n 1\n", "%s%d%n 1\r\n",
     "b\xB3\xEA" "dny format w lini 1 Y '%s%d%n 1'\r\n"},
    {"the range check sees H as read and drops the converted XY", SKAWINA_FROM_2000,
     "9 5541000 7415000 99.99\n", "9 5541000 7415000 99.99\r\n", "H <100.0 lub >600.0 w lini 1 '9 5541000 7415000 99.99'\r\n"},
};
// clang-format on

TEST(ProcessRecords, OrderOfChecksAndWhatEachLineLeaves) {
    for (const LoopCase& c : LOOP_CASES) {
        const LoopResult result = run_loop(c.settings, c.input);
        EXPECT_EQ(result.end, RecordsEnd::complete) << c.what;
        EXPECT_EQ(result.out, c.out) << c.what;
        EXPECT_EQ(result.log, c.log) << c.what;
    }
}

// Hands out its bytes, then fails instead of reporting the end.
struct BrokenSource final : ByteSource {
    std::string bytes;
    long read(char* buffer, std::size_t size) override {
        if (bytes.empty()) {
            return -1;
        }
        const std::size_t n = bytes.copy(buffer, size);
        bytes.erase(0, n);
        return static_cast<long>(n);
    }
};

TEST(ProcessRecords, AReadErrorEndsTheLoopAsAFailure) {
    BrokenSource source;
    source.bytes = "1 100 200\n2 300 400\n";
    const LoopResult result = run_loop(UNCHANGED, "", &source);
    EXPECT_EQ(result.end, RecordsEnd::read_failed);
}

struct RefusingSink final : ByteSink {
    bool write(const char*, std::size_t) override { return false; }
};

TEST(ProcessRecords, AFailedWriteStopsTheLoop) {
    std::string input;
    for (int i = 0; i < 1000; ++i) {
        input += "1 100 200\n";
    }
    MemorySource source(input);
    LineReader reader(source, 0);
    RefusingSink refusing;
    MemorySink log_sink;
    TextWriter out(refusing, 256);
    TextWriter log(log_sink, 256);
    RecordLoop loop{UNCHANGED, make_delimiter_set(" "), ";", out, log, 0, {}};
    EXPECT_EQ(process_records(loop, reader), RecordsEnd::write_failed);
    EXPECT_LT(loop.line_number, 1000);
}

TEST(ProcessRecords, NothingIsAllocatedPerLine) {
    std::string input;
    for (int i = 0; i < 20000; ++i) {
        input += i % 3 == 0 ? "1 5541000 7415000 250 x\n" : "2 0 0 250\n";  // converted, outside
    }
    MemorySource source(input, 4096);
    LineReader reader(source, 1 << 16);
    MemorySink out_sink;
    MemorySink log_sink;
    out_sink.bytes.reserve(4 << 20);
    log_sink.bytes.reserve(4 << 20);
    TextWriter out(out_sink, 1 << 16);
    TextWriter log(log_sink, 1 << 16);
    RecordLoop loop{SKAWINA_FROM_2000, make_delimiter_set(" "), ";", out, log, 0, {}};
    const long long before = allocations;
    EXPECT_EQ(process_records(loop, reader), RecordsEnd::complete);
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(loop.line_number, 20000);
}

}  // namespace
