#include "driver/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

#include "driver/exact_numbers.h"

namespace {

constexpr int SIGNIFICANT = 17;

// The value's 17 significant digits, correctly rounded, and the power of ten of the first.
struct DecimalDigits {
    char digits[SIGNIFICANT];
    int exponent;
};

DecimalDigits seventeen_digits(double magnitude) {
    char text[32];
    const char* const end = scientific_17(magnitude, text, text + sizeof text);  // "d.dddddddddddddddde+XX"
    DecimalDigits d{};
    d.digits[0] = text[0];
    std::memcpy(d.digits + 1, text + 2, SIGNIFICANT - 1);
    const char* exponent = text + SIGNIFICANT + 2;  // past the 'e'
    if (*exponent == '+') {
        ++exponent;  // from_chars takes no plus sign
    }
    std::from_chars(exponent, end, d.exponent);
    return d;
}

// Cuts the digits after `kept` of them and rounds up when the first digit cut is 5 or more.
// Returns how many digits now carry the value (positions beyond are zeros).
int cut_and_round(DecimalDigits& d, long long kept) {
    if (kept >= SIGNIFICANT) {
        return SIGNIFICANT;
    }
    if (kept < 0) {
        return 0;  // even the first digit lies beyond the last place written
    }
    const int n = static_cast<int>(kept);
    const bool round_up = d.digits[n] >= '5';
    if (round_up) {
        int i = n - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i--] = '0';
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {  // 9.99 -> 10.0: one more integer digit
            std::memmove(d.digits + 1, d.digits, SIGNIFICANT - 1);
            d.digits[0] = '1';
            ++d.exponent;
            return n + 1;
        }
    }
    return n;
}

// The last place written, counted in units of it, or false when this cannot be settled cheaply.
// Rounding the 17-digit form and rounding the exact value differ only when the exact value lies
// just below a tie and its 17-digit form is the tie itself. So when the scaled value's fraction is
// clearly away from one half - beyond the product's own error and the 17-digit step - the exact
// value decides, and the rest is integer work. Everything written then lies within 16 digits.
bool rounded_units(double magnitude, std::int32_t decimals, std::uint64_t& units) {
    if (decimals >= static_cast<std::int32_t>(std::size(EXACT_POWERS_OF_TEN))) {
        return false;
    }
    const double scaled = magnitude * EXACT_POWERS_OF_TEN[decimals];
    if (!(scaled < static_cast<double>(EXACT_INTEGER_LIMIT))) {
        return false;
    }
    // Below 2^53 the integer conversion truncates exactly, and costs less than a call of floor().
    const double whole = static_cast<double>(static_cast<std::uint64_t>(scaled));
    const double fraction = scaled - whole;  // exact
    // Both errors stay below 2e-16 of the value; 1e-300 covers the coarse steps of subnormals.
    const double margin = scaled * 4e-16 + 1e-300;
    if (std::fabs(fraction - 0.5) <= margin) {
        return false;
    }
    units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

// Two digits at a time, from a table: half the divisions of one digit at a time.
constexpr char DIGIT_PAIRS[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// 10^0 to 10^16 as integers, so that digit_count compares without a conversion.
constexpr std::array<std::uint64_t, 17> integer_powers_of_ten() {
    std::array<std::uint64_t, 17> powers{1};
    for (std::size_t i = 1; i < powers.size(); ++i) {
        powers[i] = powers[i - 1] * 10;
    }
    return powers;
}
constexpr std::array<std::uint64_t, 17> INTEGER_POWERS_OF_TEN = integer_powers_of_ten();

// How many digits units has, 1 to 16 (it stays below 2^53): the bit length times log10(2)
// gives the count or one less, and one comparison tells which.
std::int32_t digit_count(std::uint64_t units) {
    const auto guess = static_cast<std::size_t>((std::bit_width(units | 1) * 1233) >> 12);
    return static_cast<std::int32_t>(guess) + 1 - ((units | 1) < INTEGER_POWERS_OF_TEN[guess] ? 1 : 0);
}

// Units of the last place, as the integer digits (at least one), a point and exactly `decimals`
// digits, written straight into the writer's buffer from the last digit back; the point falls
// into place with no division by a power of ten that is not known at compile time.
void write_units(TextWriter& out, bool negative, std::uint64_t units, std::int32_t decimals, char point) {
    const std::int32_t digits = std::max(digit_count(units), decimals + 1);
    const std::size_t length = static_cast<std::size_t>(digits) + (decimals > 0 ? 1 : 0) + (negative ? 1 : 0);
    char* const start = out.reserve(length);
    char* at = start + length;
    const auto put_pair = [&at](std::uint64_t pair) {
        *--at = DIGIT_PAIRS[2 * pair + 1];
        *--at = DIGIT_PAIRS[2 * pair];
    };
    std::int32_t left = decimals;
    for (; left >= 2; left -= 2, units /= 100) {
        put_pair(units % 100);
    }
    if (left == 1) {
        *--at = static_cast<char>('0' + units % 10);
        units /= 10;
    }
    if (decimals > 0) {
        *--at = point;
    }
    for (; units >= 100; units /= 100) {
        put_pair(units % 100);
    }
    if (units >= 10) {
        put_pair(units);
    } else {
        *--at = static_cast<char>('0' + units);
    }
    if (negative) {
        *--at = '-';
    }
    out.used += length;
}

void write_special(TextWriter& out, double value) {
    if (std::isnan(value)) {
        out.write("nan");
    } else {
        out.write(value < 0 ? "-inf" : "inf");
    }
}

}  // namespace

void write_fixed(TextWriter& out, double value, std::int32_t decimals, char point) {
    if (decimals < 0) {
        decimals = 6;
    }
    std::uint64_t units = 0;
    if (rounded_units(std::fabs(value), decimals, units)) {  // false also for infinities and NaN
        write_units(out, value < 0, units, decimals, point);
        return;
    }
    write_fixed_by_digits(out, value, decimals, point);
}

void write_fixed_by_digits(TextWriter& out, double value, std::int32_t decimals, char point) {
    if (decimals < 0) {
        decimals = 6;
    }
    if (!std::isfinite(value)) {
        write_special(out, value);
        return;
    }
    if (value < 0) {
        out.put('-');
    }
    DecimalDigits d{};
    int carried = 0;  // digits that carry the value; none for a zero
    if (value != 0) {
        d = seventeen_digits(std::fabs(value));
        carried = cut_and_round(d, static_cast<long long>(d.exponent) + 1 + decimals);
    }
    // The digit at power of ten p is digits[exponent - p] while that index is below `carried`.
    const auto digit_at = [&](long long p) {
        const long long i = d.exponent - p;
        return (i >= 0 && i < carried) ? d.digits[i] : '0';
    };
    if (carried == 0 || d.exponent < 0) {
        out.put('0');
    } else {
        for (long long p = d.exponent; p >= 0; --p) {
            out.put(digit_at(p));
        }
    }
    if (decimals == 0) {
        return;
    }
    out.put(point);
    // Only the places up to the last carried digit can differ from 0; the rest is a run of zeros.
    const long long last_carried = carried == 0 ? 0 : d.exponent - carried + 1;
    long long p = -1;
    for (; p >= -static_cast<long long>(decimals) && p >= last_carried; --p) {
        out.put(digit_at(p));
    }
    out.repeat('0', static_cast<std::size_t>(p + decimals + 1));
}
