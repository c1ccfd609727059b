#include "geodesy/settings.h"

#include <limits>

namespace {

constexpr std::int64_t INT32_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t INT32_HIGH = std::numeric_limits<std::int32_t>::max();

bool is_leading_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::int32_t saturate(std::int64_t value) {
    if (value < INT32_LOW) {
        return static_cast<std::int32_t>(INT32_LOW);
    }
    if (value > INT32_HIGH) {
        return static_cast<std::int32_t>(INT32_HIGH);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t parse_int_argument(const char* text) {
    while (is_leading_space(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    // Accumulate past the 32-bit range only as far as needed to know it saturates.
    std::int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (magnitude <= INT32_HIGH + 1) {
            magnitude = magnitude * 10 + (*text - '0');
        }
    }
    return saturate(negative ? -magnitude : magnitude);
}

RunSettings parse_run_settings(const char* const arguments[5]) {
    RunSettings settings{};
    settings.TransformMode = parse_int_argument(arguments[0]);
    settings.Direction = parse_int_argument(arguments[1]);
    settings.HeightDirection = parse_int_argument(arguments[2]);
    settings.xy_decimals = saturate(std::int64_t{parse_int_argument(arguments[3])} + 2);
    settings.h_decimals = saturate(std::int64_t{parse_int_argument(arguments[4])} + 1);
    return settings;
}
