#include "driver/fields.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// Short tokens take a shortcut; it must give the full conversion's double, digit for digit.
TEST(TokenValue, ShortcutAgreesWithAFullConversion) {
    std::uint64_t state = 2012;
    const auto random = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    for (int i = 0; i < 300000; ++i) {
        const std::string digits = std::to_string(random() % 10000000000000000ULL);
        const std::size_t point = random() % (digits.size() + 1);
        const std::string token = std::string(random() % 4 == 0 ? "-" : "") + digits.substr(0, point) + "." +
                                  digits.substr(point) + std::string(random() % 8, '0');
        double shortcut = 0;
        double full = 0;
        ASSERT_TRUE(token_value(token, shortcut)) << token;
        std::from_chars(token.data(), token.data() + token.size(), full, std::chars_format::fixed);
        ASSERT_EQ(shortcut, full) << token;
        ASSERT_EQ(std::signbit(shortcut), std::signbit(full)) << token;
    }
}

}  // namespace
