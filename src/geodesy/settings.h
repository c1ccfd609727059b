#pragma once
// The five integers that steer a run, read from arguments 3 to 7.
#include <cstdint>

struct RunSettings {
    std::int32_t TransformMode;    // 0 X, Y and H; 1 X and Y only; 2 H only
    std::int32_t Direction;        // 0 UL Skawina -> 2000, 1 back, 2 1965 -> 2000, 3 back
    std::int32_t HeightDirection;  // 0 forward, 1 inverse, other values leave H alone
    std::int32_t xy_decimals;      // argument 6 plus 2
    std::int32_t h_decimals;       // argument 7 plus 1
};

// Leading white space, one optional sign, then digits up to the first other character;
// no digits give 0. Values beyond 32 bits saturate instead of wrapping.
std::int32_t parse_int_argument(const char* text);

// Arguments 3 to 7, in that order. No value is rejected: values outside the lists
// simply leave coordinates or heights unchanged further on.
RunSettings parse_run_settings(const char* const arguments[5]);
