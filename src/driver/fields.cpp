#include "driver/fields.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "driver/exact_numbers.h"
#include "driver/text_io.h"

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The digits from at onward into mantissa (which wraps past 19 digits: the caller counts them).
const char* take_digits(const char* at, const char* end, std::uint64_t& mantissa) {
    for (; at != end; ++at) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*at) - '0');
        if (digit >= 10) {
            break;
        }
        mantissa = mantissa * 10 + digit;
    }
    return at;
}

// The common survey form, "-"?digits[.digits] with at most 19 digits, up to the first character
// that is none of these. nullptr unless it is a number whose shortcut is exact (value then set):
// when all its digits fit in an exact integer and the power of ten is exact too, one correctly
// rounded division gives the same double as a full conversion, at a fraction of its cost.
const char* short_number(const char* at, const char* end, double& value, char point) {
    const bool negative = at != end && *at == '-';
    at += negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    const char* const integer = at;
    at = take_digits(at, end, mantissa);
    std::ptrdiff_t digits = at - integer;
    std::ptrdiff_t decimals = 0;
    if (at != end && *at == point) {
        const char* const fraction = ++at;
        at = take_digits(at, end, mantissa);
        decimals = at - fraction;
        digits += decimals;
    }
    // 19 digits always fit in 64 bits; anything else, a longer number too, takes the full rules.
    if (digits == 0 || digits > 19 || mantissa > EXACT_INTEGER_LIMIT ||
        decimals >= static_cast<std::ptrdiff_t>(std::size(EXACT_POWERS_OF_TEN))) {
        return nullptr;
    }
    const double magnitude = static_cast<double>(mantissa) / EXACT_POWERS_OF_TEN[decimals];
    value = negative ? -magnitude : magnitude;
    return at;
}

}  // namespace

DelimiterSet make_delimiter_set(std::string_view delimiters, char decimal_point) {
    DelimiterSet set{};
    set.decimal_point = decimal_point;
    for (const char c : delimiters) {
        set.has[static_cast<unsigned char>(c)] = true;
        set.splits_numbers = set.splits_numbers || is_digit(c) || c == decimal_point || c == '-';
    }
    return set;
}

bool next_field(std::string_view& rest, const DelimiterSet& delimiters, std::string_view& field) {
    const auto is_delimiter = [&](char c) { return delimiters.has[static_cast<unsigned char>(c)]; };
    std::size_t start = 0;
    while (start < rest.size() && is_delimiter(rest[start])) {
        ++start;
    }
    if (start == rest.size()) {
        rest = {};
        return false;
    }
    std::size_t stop = start + 1;
    while (stop < rest.size() && !is_delimiter(rest[stop])) {
        ++stop;
    }
    field = rest.substr(start, stop - start);
    rest.remove_prefix(stop);
    return true;
}

bool is_number_token(std::string_view token, char point) {
    for (const char c : token) {
        if (!is_digit(c) && c != point && c != '-') {
            return false;
        }
    }
    return true;
}

bool token_value(std::string_view token, double& value, char point) {
    value = 0.0;
    std::size_t i = token.starts_with('-') ? 1 : 0;
    bool seen_point = false;
    bool seen_digit = false;
    bool integer_digits_zero = true;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (is_digit(c)) {
            seen_digit = true;
            integer_digits_zero = integer_digits_zero && (seen_point || c == '0');
        } else if (c == point && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }
    if (!seen_digit) {
        return true;  // "-", "." and the like
    }
    if (const char* const stop = token.data() + i; short_number(token.data(), stop, value, point) == stop) {
        return true;
    }
    std::string_view number = token.substr(0, i);
    char copy[LINE_PIECE_MAX];  // the full conversion knows only the point
    if (point != '.') {
        number = std::string_view(copy, number.copy(copy, sizeof copy));
        std::replace(copy, copy + number.size(), point, '.');
    }
    if (!read_fixed(number, value)) {
        // Out of range either way: only the digits before the point tell an overflow from an underflow.
        if (!integer_digits_zero) {
            return false;
        }
        value = token.starts_with('-') ? -0.0 : 0.0;
    }
    return true;
}

bool read_number(std::string_view token, double& value, char point) {
    const char* const end = token.data() + token.size();
    if (short_number(token.data(), end, value, point) == end) {
        return true;
    }
    return is_number_token(token, point) && token_value(token, value, point);
}

FieldNumber next_number(std::string_view& rest, const DelimiterSet& delimiters, double& value) {
    const char* at = rest.data();
    const char* const end = at + rest.size();
    const auto is_delimiter = [&](const char* c) { return delimiters.has[static_cast<unsigned char>(*c)]; };
    while (at != end && is_delimiter(at)) {
        ++at;
    }
    if (at == end) {
        rest = {};
        return FieldNumber::none;
    }
    // When no delimiter can stand inside a number, a short number that stops at a delimiter or at
    // the end is the whole field.
    if (!delimiters.splits_numbers) {
        const char* stop = short_number(at, end, value, delimiters.decimal_point);
        if (stop != nullptr && (stop == end || is_delimiter(stop))) {
            rest = std::string_view(stop, static_cast<std::size_t>(end - stop));
            return FieldNumber::number;
        }
    }
    std::string_view field;
    next_field(rest, delimiters, field);
    return read_number(field, value, delimiters.decimal_point) ? FieldNumber::number
                                                               : FieldNumber::not_number;
}
