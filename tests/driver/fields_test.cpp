#include "driver/fields.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

#include "support/random.h"

namespace {

Random numbers{2012};

// Short tokens take shortcuts; they must give the full conversion's double, digit for digit.
TEST(ReadNumber, ShortcutsAgreeWithAFullConversion) {
    for (int i = 0; i < 300000; ++i) {
        const std::string digits = std::to_string(numbers.next() % 10000000000000000ULL);
        const std::size_t point = numbers.next() % (digits.size() + 1);
        const std::string token = std::string(numbers.next() % 4 == 0 ? "-" : "") + digits.substr(0, point) +
                                  "." + digits.substr(point) + std::string(numbers.next() % 8, '0');
        double shortcut = 0, full = 0;
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
        for (std::uint64_t n = 1 + numbers.next() % 24; n > 0; --n) {
            token += alphabet[numbers.next() % (numbers.next() % 4 == 0 ? alphabet.size() : 12)];
        }
        double one_pass = -1, full = -1;
        const bool numeric = is_number_token(token) && token_value(token, full);
        ASSERT_EQ(read_number(token, one_pass), numeric) << token;
        ASSERT_TRUE(!numeric || (one_pass == full && std::signbit(one_pass) == std::signbit(full))) << token;
    }
}

// A field and its number in one pass, against finding the field and then reading it, whatever the
// delimiters: digits, points and minus signs among them too.
TEST(NextNumber, IsNextFieldThenReadNumber) {
    const std::string alphabet = "0123456789-.+e, ;\t";
    for (int i = 0; i < 100000; ++i) {
        std::string line, delimiters;
        for (std::uint64_t n = numbers.next() % 40; n > 0; --n) {
            line += alphabet[numbers.next() % alphabet.size()];
        }
        for (std::uint64_t n = 1 + numbers.next() % 3; n > 0; --n) {
            delimiters += alphabet[numbers.next() % 8 == 0 ? numbers.next() % 12 : 15 + numbers.next() % 3];
        }
        const DelimiterSet set = make_delimiter_set(delimiters);
        std::string_view one_pass = line, two_steps = line;
        for (bool found = true; found;) {
            double fused = -1, full = -1;
            std::string_view field;
            found = next_field(two_steps, set, field);
            const FieldNumber kind = next_number(one_pass, set, fused);
            const bool numeric = found && read_number(field, full);
            ASSERT_EQ(kind, !found    ? FieldNumber::none
                            : numeric ? FieldNumber::number
                                      : FieldNumber::not_number)
                << line << " split at '" << delimiters << "'";
            ASSERT_TRUE(!numeric || (fused == full && std::signbit(fused) == std::signbit(full))) << line;
            ASSERT_EQ(one_pass.data(), two_steps.data()) << line;
        }
    }
}

}  // namespace
