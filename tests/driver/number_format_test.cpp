#include "driver/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "support/doubles.h"
#include "support/random.h"

namespace {

std::string fixed(double value, std::int32_t decimals, void (*writer)(TextWriter&, double, std::int32_t)) {
    MemorySink sink;
    TextWriter out(sink, 256);  // the smallest buffer: long numbers go out in several pieces
    writer(out, value, decimals);
    out.flush();
    return sink.bytes;
}

// The shortcut must give the 17-digit path's bytes everywhere, above all right at and around
// ties: k + 0.5 units of the last place, and the doubles just beside them, at every scale.
TEST(WriteFixed, ShortcutAgreesWithTheDigitPathAroundTies) {
    Random random{12345};
    for (int i = 0; i < 200000; ++i) {
        const auto decimals = static_cast<std::int32_t>(random.next() % 23);
        const double unit = std::pow(10.0, -decimals);
        const double units = std::floor(std::pow(10.0, static_cast<double>(random.next() % 17)) *
                                        static_cast<double>(random.next() % 1000000) / 1e6);
        const double tie = (units + 0.5) * unit;
        for (double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300), -tie}) {
            ASSERT_EQ(fixed(value, decimals, write_fixed), fixed(value, decimals, write_fixed_by_digits))
                << value << " with " << decimals;
        }
    }
}

TEST(WriteFixed, ALongRunOfZerosStreamsThroughASmallBuffer) {
    EXPECT_EQ(fixed(1.5, 100000, write_fixed), "1.5" + std::string(99999, '0'));
}

}  // namespace
