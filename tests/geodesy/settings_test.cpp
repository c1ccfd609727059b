#include "geodesy/settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t MIN32 = std::numeric_limits<std::int32_t>::min();

struct IntCase {
    const char* text;
    std::int32_t value;
};

const IntCase INT_CASES[] = {
    {"2", 2},
    {"2x", 2},
    {"1.5", 1},
    {"abc", 0},
    {"-3", -3},
    {"+5", 5},
    {"", 0},
    {"-", 0},
    {"+-5", 0},
    {"- 5", 0},
    {" \t\n\v\f\r7", 7},
    {"0x10", 0},
    {"007", 7},
    {"2147483647", MAX32},
    {"2147483648", MAX32},
    {"-2147483648", MIN32},
    {"-2147483649", MIN32},
    {"99999999999999999999999999", MAX32},
    {"-99999999999999999999999999", MIN32},
};

TEST(ParseIntArgument, ReadsLeadingDigitsAndSaturates) {
    for (const IntCase& c : INT_CASES) {
        EXPECT_EQ(parse_int_argument(c.text), c.value) << "argument '" << c.text << "'";
    }
}

TEST(ParseRunSettings, DecimalsSaturateInsteadOfOverflowing) {
    const char* const high[5] = {"0", "0", "0", "2147483647", "2147483647"};
    EXPECT_EQ(parse_run_settings(high).xy_decimals, MAX32);
    EXPECT_EQ(parse_run_settings(high).h_decimals, MAX32);
    const char* const low[5] = {"0", "0", "0", "-2147483648", "-99999999999"};
    EXPECT_EQ(parse_run_settings(low).xy_decimals, MIN32 + 2);
    EXPECT_EQ(parse_run_settings(low).h_decimals, MIN32 + 1);
}

}  // namespace
