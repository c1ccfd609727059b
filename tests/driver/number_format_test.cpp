#include "driver/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

using Writer = void (*)(TextWriter&, double, std::int32_t);

std::string fixed(double value, std::int32_t decimals, Writer writer = write_fixed) {
    MemorySink sink;
    TextWriter out(sink, 256);
    writer(out, value, decimals);
    out.flush();
    return sink.bytes;
}

struct FixedCase {
    double value;
    std::int32_t decimals;
    const char* text;
};

const FixedCase FIXED_CASES[] = {
    // Exact ties round up in magnitude, unlike the C library's round-half-even.
    {0.125, 2, "0.13"},
    {-0.125, 2, "-0.13"},
    {5541276.125, 2, "5541276.13"},
    {2.5, 0, "3"},
    {0.5, 0, "1"},
    // Below a tie, but its 17 significant digits are the tie: rounded up all the same.
    {5541276.0055, 3, "5541276.006"},
    {5541276.0225, 3, "5541276.023"},
    // An exact tie in the 18th digit goes to even first: .625 -> ...62, .875 -> ...88.
    {123456789012345.625, 3, "123456789012345.620"},
    {123456789012345.625, 2, "123456789012345.62"},
    {123456789012345.875, 3, "123456789012345.880"},
    // Zeros and signs.
    {-0.001, 2, "-0.00"},
    {-0.0, 2, "0.00"},
    {0.0, 0, "0"},
    {0.0, 3, "0.000"},
    {-0.004, 0, "-0"},
    {0.006, 2, "0.01"},
    {0.05, 1, "0.1"},
    // Carries through nines into a new integer digit.
    {9.9999, 2, "10.00"},
    {-999.9996, 3, "-1000.000"},
    // Beyond the 17th significant digit only zeros are written.
    {1.0 / 3.0, 20, "0.33333333333333331000"},
    {-25401.583187410055, 20, "-25401.58318741005500000000"},
    {1e-20, 20, "0.00000000000000000001"},
    {1e-21, 20, "0.00000000000000000000"},
    {1e22, 1, "10000000000000000000000.0"},
    // A negative count of decimals writes six.
    {5538631.753906369, -1, "5538631.753906"},
    {5538631.753906369, std::numeric_limits<std::int32_t>::min(), "5538631.753906"},
    {302770.9345044297, 3, "302770.935"},
    {249.97, 2, "249.97"},
    {std::numeric_limits<double>::denorm_min(), 2, "0.00"},
};

TEST(WriteFixed, RoundsOnTheSeventeenDigitForm) {
    for (const FixedCase& c : FIXED_CASES) {
        EXPECT_EQ(fixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
    }
}

TEST(WriteFixed, LargestDoubleAndLongRunsOfZerosStreamThroughASmallBuffer) {
    const std::string largest = fixed(std::numeric_limits<double>::max(), 0);
    EXPECT_EQ(largest.size(), 309u);
    EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
    EXPECT_EQ(largest.find_first_not_of('0', 17), std::string::npos);

    const std::string many = fixed(1.5, 100000);
    EXPECT_EQ(many.size(), 100002u);
    EXPECT_EQ(many.substr(0, 4), "1.50");
    EXPECT_EQ(many.find_first_not_of('0', 3), std::string::npos);
}

// The shortcut must give the 17-digit path's bytes everywhere, above all right at and around
// ties: k + 0.5 units, and the doubles just beside them.
TEST(WriteFixed, ShortcutAgreesWithTheDigitPathAroundTies) {
    std::uint64_t state = 12345;
    const auto random = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    int compared = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::int32_t decimals = static_cast<std::int32_t>(random() % 12);
        const double unit = std::pow(10.0, -decimals);
        const double magnitude = std::pow(10.0, static_cast<double>(random() % 9)) * 10;
        const double tie =
            (static_cast<double>(random() % 1000000) / 1000000 * magnitude / unit + 0.5) * unit;
        for (double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300), -tie}) {
            ASSERT_EQ(fixed(value, decimals), fixed(value, decimals, write_fixed_by_digits))
                << value << " with " << decimals;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 800000);
}

}  // namespace
