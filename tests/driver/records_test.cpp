#include "driver/records.h"
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "support/doubles.h"

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

TEST(ProcessRecords, NothingIsAllocatedPerLine) {
    std::string input;
    for (int i = 0; i < 20000; ++i) {
        input += i % 3 == 0 ? "1 5541000 7415000 250 x\n" : "2 0 0 250\n";  // converted, outside
    }
    MemorySource source(input);
    LineReader reader(source, 1 << 16);
    MemorySink out_sink, log_sink;
    out_sink.bytes.reserve(4 << 20);
    log_sink.bytes.reserve(4 << 20);
    TextWriter out(out_sink, 1 << 16);
    TextWriter log(log_sink, 1 << 16);
    const RunPlan plan = make_run_plan({0, 1, 0, 3, 2});  // to "UL Skawina", heights corrected
    RecordLoop loop{plan, make_delimiter_set(" "), ";", out, log, 0, {}};
    const long long before = allocations;
    EXPECT_EQ(process_records(loop, reader), RecordsEnd::complete);
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(loop.line_number, 20000);
}

}  // namespace
