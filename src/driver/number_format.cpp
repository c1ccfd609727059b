#include "driver/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr int SIGNIFICANT = 17;

// The value's 17 significant digits, correctly rounded, and the power of ten of the first.
struct DecimalDigits {
    char digits[SIGNIFICANT];
    int exponent;
};

DecimalDigits seventeen_digits(double magnitude) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, SIGNIFICANT - 1);
    // "d.dddddddddddddddde+XX"
    DecimalDigits d{};
    d.digits[0] = text[0];
    std::memcpy(d.digits + 1, text + 2, SIGNIFICANT - 1);
    const char* exponent = text + SIGNIFICANT + 2;  // past the 'e'
    if (*exponent == '+') {
        ++exponent;  // from_chars takes no plus sign
    }
    std::from_chars(exponent, result.ptr, d.exponent);
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

void write_special(TextWriter& out, double value) {
    if (std::isnan(value)) {
        out.write("nan");
    } else {
        out.write(value < 0 ? "-inf" : "inf");
    }
}

}  // namespace

void write_fixed(TextWriter& out, double value, std::int32_t decimals) {
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
    out.put('.');
    // Only the places up to the last carried digit can differ from 0; the rest is a run of zeros.
    const long long last_carried = carried == 0 ? 0 : d.exponent - carried + 1;
    long long p = -1;
    for (; p >= -static_cast<long long>(decimals) && p >= last_carried; --p) {
        out.put(digit_at(p));
    }
    out.repeat('0', static_cast<std::size_t>(p + decimals + 1));
}
