#pragma once
// Numbers a double holds exactly, and the two full conversions between doubles and decimals. The
// shortcuts of token reading and number writing rest on the exact numbers: one correctly rounded
// operation on exact operands gives the same double as the full conversion.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

inline constexpr double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 2^53: every integer up to it is exact.
inline constexpr std::uint64_t EXACT_INTEGER_LIMIT = std::uint64_t{1} << 53;

// Where the C++ library lacks floating-point to_chars and from_chars (libc++ in the WebAssembly
// build), printf and strtod stand in: both are exact too, and the program never leaves the "C"
// locale. Digit for digit the same, as the digest check of the web build shows.

// The 17 significant digits of a double as "d.dddddddddddddddde+XX"; the end of the text.
inline char* scientific_17(double value, char* first, char* last) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, value, std::chars_format::scientific, 16).ptr;
#else
    return first + std::snprintf(first, static_cast<std::size_t>(last - first), "%.16e", value);
#endif
}

// The double nearest to "-"?digits[.digits]. false when it lies beyond the range of a double,
// and also, on some libraries, when it is too small for one.
inline bool read_fixed(std::string_view number, double& value) {
#if defined(__cpp_lib_to_chars)
    const char* first = number.data();
    return std::from_chars(first, first + number.size(), value, std::chars_format::fixed).ec == std::errc{};
#else
    char text[1024];  // a token is a piece of a line: at most 999 characters
    text[number.copy(text, sizeof text - 1)] = '\0';
    value = std::strtod(text, nullptr);
    return !std::isinf(value);
#endif
}
