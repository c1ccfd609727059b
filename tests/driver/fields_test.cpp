#include "driver/fields.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

struct TokenCase {
    std::string token;
    bool numeric;  // passes is_number_token and has a value within range
    double value;
};

const std::string ZEROS_400(400, '0');

const TokenCase TOKEN_CASES[] = {
    {"5541276.40", true, 5541276.40},
    {"12.5.3", true, 12.5},
    {"1-2", true, 1},
    {"-.5", true, -0.5},
    {"5.", true, 5},
    {"-", true, 0},
    {".", true, 0},
    {"--5", true, 0},
    {"..5", true, 0},
    {"-5-", true, -5},
    {"+5", false, 0},
    {"1e5", false, 0},
    {"5541276,40", false, 0},
    {"12a", false, 0},
    {"0x10", false, 0},
    // Overflow is no number; underflow reads as the nearest double.
    {"1" + ZEROS_400, false, 0},
    {"-1" + ZEROS_400 + ".5", false, 0},
    {"17976931348623158" + std::string(292, '0'), true, std::numeric_limits<double>::max()},
    {"17976931348623159" + std::string(292, '0'), false, 0},
    {"." + ZEROS_400 + "1", true, 0},
    {"000." + ZEROS_400 + "1", true, 0},
    {"0." + std::string(320, '0') + "1", true, 1e-321},
};

TEST(NumberTokens, CheckAndValue) {
    for (const TokenCase& c : TOKEN_CASES) {
        const std::string shown = c.token.substr(0, 24);
        double value = -1;
        const bool numeric = is_number_token(c.token) && token_value(c.token, value);
        EXPECT_EQ(numeric, c.numeric) << shown;
        if (c.numeric) {
            EXPECT_EQ(value, c.value) << shown;
        }
    }
}

TEST(NumberTokens, NegativeUnderflowIsANegativeZero) {
    double value = 1;
    ASSERT_TRUE(token_value("-0." + ZEROS_400 + "7", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
}

// Short tokens take a shortcut; it must give the full conversion's double, digit for digit.
TEST(NumberTokens, ShortcutAgreesWithAFullConversion) {
    std::uint64_t state = 2012;
    const auto random = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    for (int i = 0; i < 300000; ++i) {
        const std::string digits = std::to_string(random() % 10000000000ULL);
        const std::size_t point = random() % (digits.size() + 1);
        const std::string token = std::string(random() % 4 == 0 ? "-" : "") + digits.substr(0, point) + "." +
                                  digits.substr(point) +
                                  std::string(random() % 12, static_cast<char>('0' + random() % 10));
        double shortcut = 0;
        double full = 0;
        ASSERT_TRUE(token_value(token, shortcut)) << token;
        std::from_chars(token.data(), token.data() + token.size(), full, std::chars_format::fixed);
        ASSERT_EQ(shortcut, full) << token;
        ASSERT_EQ(std::signbit(shortcut), std::signbit(full)) << token;
    }
}

}  // namespace
