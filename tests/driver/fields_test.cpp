#include "driver/fields.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

std::uint64_t state = 2012;
std::uint64_t random_number() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return state >> 11;
}

// Short tokens take shortcuts; they must give the full conversion's double, digit for digit.
TEST(ReadNumber, ShortcutsAgreeWithAFullConversion) {
    for (int i = 0; i < 300000; ++i) {
        const std::string digits = std::to_string(random_number() % 10000000000000000ULL);
        const std::size_t point = random_number() % (digits.size() + 1);
        const std::string token = std::string(random_number() % 4 == 0 ? "-" : "") + digits.substr(0, point) +
                                  "." + digits.substr(point) + std::string(random_number() % 8, '0');
        double shortcut = 0;
        double full = 0;
        ASSERT_TRUE(read_number(token, shortcut)) << token;
        std::from_chars(token.data(), token.data() + token.size(), full, std::chars_format::fixed);
        ASSERT_EQ(shortcut, full) << token;
        ASSERT_EQ(std::signbit(shortcut), std::signbit(full)) << token;
    }
}

// The one-pass reading against the check and the value it stands for, on any mix of characters.
TEST(ReadNumber, IsTheNumberCheckAndTheValue) {
    const std::string alphabet = "0123456789-.+e,";
    for (int i = 0; i < 300000; ++i) {
        std::string token;
        for (std::uint64_t n = 1 + random_number() % 24; n > 0; --n) {
            token += alphabet[random_number() % (random_number() % 4 == 0 ? alphabet.size() : 12)];
        }
        double one_pass = -1;
        double full = -1;
        const bool numeric = is_number_token(token) && token_value(token, full);
        ASSERT_EQ(read_number(token, one_pass), numeric) << token;
        ASSERT_TRUE(!numeric || (one_pass == full && std::signbit(one_pass) == std::signbit(full))) << token;
    }
}

}  // namespace
