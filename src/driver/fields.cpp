#include "driver/fields.h"

#include <charconv>
#include <system_error>

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

DelimiterSet make_delimiter_set(std::string_view delimiters) {
    DelimiterSet set{};
    for (const char c : delimiters) {
        set[static_cast<unsigned char>(c)] = true;
    }
    return set;
}

bool next_field(std::string_view& rest, const DelimiterSet& delimiters, std::string_view& field) {
    const auto is_delimiter = [&](char c) { return delimiters[static_cast<unsigned char>(c)]; };
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

bool is_number_token(std::string_view token) {
    for (const char c : token) {
        if (!is_digit(c) && c != '.' && c != '-') {
            return false;
        }
    }
    return true;
}

bool token_value(std::string_view token, double& value) {
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
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }
    if (!seen_digit) {
        return true;  // "-", "." and the like
    }
    const char* first = token.data();
    const std::errc ec = std::from_chars(first, first + i, value, std::chars_format::fixed).ec;
    if (ec == std::errc::result_out_of_range) {
        // from_chars says the same for underflow to zero; only digits before the point tell them apart.
        if (!integer_digits_zero) {
            return false;
        }
        value = token.starts_with('-') ? -0.0 : 0.0;
    }
    return true;
}
