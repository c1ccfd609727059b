#include "driver/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "support/doubles.h"

namespace {

using Writer = void (*)(TextWriter&, double, std::int32_t);

std::string fixed(double value, std::int32_t decimals, Writer writer) {
    MemorySink sink;
    TextWriter out(sink, 256);  // the smallest buffer: long numbers go out in several pieces
    writer(out, value, decimals);
    out.flush();
    return sink.bytes;
}

// The shortcut must give the 17-digit path's bytes everywhere, above all right at and around
// ties: k + 0.5 units of the last place, and the doubles just beside them, at every scale.
TEST(WriteFixed, ShortcutAgreesWithTheDigitPathAroundTies) {
    std::uint64_t state = 12345;
    const auto random = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    for (int i = 0; i < 200000; ++i) {
        const auto decimals = static_cast<std::int32_t>(random() % 23);
        const double unit = std::pow(10.0, -decimals);
        const double units = std::floor(std::pow(10.0, static_cast<double>(random() % 17)) *
                                        static_cast<double>(random() % 1000000) / 1e6);
        const double tie = (units + 0.5) * unit;
        for (double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300), -tie}) {
            ASSERT_EQ(fixed(value, decimals, write_fixed), fixed(value, decimals, write_fixed_by_digits))
                << value << " with " << decimals;
        }
    }
}

TEST(WriteFixed, ALongRunOfZerosStreamsThroughASmallBuffer) {
    const std::string many = fixed(1.5, 100000, write_fixed);
    EXPECT_EQ(many.size(), 100002u);
    EXPECT_EQ(many.find_first_not_of('0', 3), std::string::npos);
}

}  // namespace
