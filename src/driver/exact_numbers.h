#pragma once
// Numbers a double holds exactly. The shortcuts of token reading and number writing rest on them:
// one correctly rounded operation on exact operands gives the same double as the full conversion.
#include <cstdint>

inline constexpr double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 2^53: every integer up to it is exact.
inline constexpr std::uint64_t EXACT_INTEGER_LIMIT = std::uint64_t{1} << 53;
