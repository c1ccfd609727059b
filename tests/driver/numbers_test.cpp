// Numbers read from tokens and written with a count of decimals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "driver/fields.h"
#include "driver/number_format.h"
#include "support/doubles.h"
#include "support/random.h"

namespace {

Random numbers{2012};

// Short tokens take shortcuts; they must give a full conversion's double, digit for digit, the C
// library's own as the reference. Up to 23 digits: past 19 the shortcut must step aside.
TEST(ReadNumber, ShortcutsAgreeWithAFullConversion) {
    for (int i = 0; i < 300000; ++i) {
        const std::string digits = std::to_string(numbers.next() % 10000000000000000ULL);
        const std::size_t point = numbers.next() % (digits.size() + 1);
        const std::string token = std::string(numbers.next() % 4 == 0 ? "-" : "") + digits.substr(0, point) +
                                  "." + digits.substr(point) + std::string(numbers.next() % 8, '0');
        double shortcut = 0;
        ASSERT_TRUE(read_number(token, shortcut)) << token;
        const double full = std::strtod(token.c_str(), nullptr);
        ASSERT_EQ(shortcut, full) << token;
        ASSERT_EQ(std::signbit(shortcut), std::signbit(full)) << token;
    }
}

// A field and its number in one pass, against finding the field, checking its characters and then
// taking its value, whatever the delimiters: digits, points and minus signs among them too.
TEST(NextNumber, IsNextFieldThenTheNumberCheckAndTheValue) {
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
            const bool numeric = found && is_number_token(field) && token_value(field, full);
            ASSERT_EQ(kind, !found    ? FieldNumber::none
                            : numeric ? FieldNumber::number
                                      : FieldNumber::not_number)
                << line << " split at '" << delimiters << "'";
            ASSERT_TRUE(!numeric || (fused == full && std::signbit(fused) == std::signbit(full))) << line;
            ASSERT_EQ(one_pass.data(), two_steps.data()) << line;
        }
    }
}

std::string fixed(double value, std::int32_t decimals,
                  void (*writer)(TextWriter&, double, std::int32_t, char)) {
    MemorySink sink;
    TextWriter out(sink, 256);  // the smallest buffer: long numbers go out in several pieces
    writer(out, value, decimals, '.');
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
