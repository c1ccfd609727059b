#pragma once
// The random cases of the tests: a fixed seed, so every run and every platform sees the same ones.
#include <cstdint>

struct Random {
    std::uint64_t state;
    std::uint64_t next() {  // 53 bits
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    }
    double unit() { return static_cast<double>(next()) / 9007199254740992.0; }  // [0, 1)
};
