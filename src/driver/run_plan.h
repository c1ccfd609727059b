#pragma once
// What the five codes of the command line mean, decided once at start-up: the record loop and the
// log read the plan and never a code.
#include <cstdint>
#include <optional>

#include "driver/messages.h"
#include "geodesy/area.h"
#include "geodesy/height.h"
#include "geodesy/planar.h"

// Arguments 3 to 7 as given.
struct RunSettings {
    std::int32_t transform_mode;    // 0 X, Y and H; 1 X and Y only; 2 H only
    std::int32_t direction;         // 0 UL Skawina -> 2000, 1 back, 2 1965 -> 2000, 3 back
    std::int32_t height_direction;  // 0 forward, 1 inverse, other values leave H alone
    std::int32_t xy_decimals;       // argument 6 plus 2
    std::int32_t h_decimals;        // argument 7 plus 1
};

// Leading white space, one optional sign, then digits up to the first other character;
// no digits give 0. Values beyond 32 bits saturate instead of wrapping.
std::int32_t parse_int_argument(const char* text);

// Arguments 3 to 7, in that order. No value is rejected.
RunSettings parse_run_settings(const char* const arguments[5]);

struct RunPlan {
    const zelwan::AreaPolygon* gate = nullptr;            // nullptr: every point is accepted
    const char* outside_message = nullptr;                // rejects a point outside the gate
    const char* input_system = nullptr;                   // the gate's system, as the map names it
    const zelwan::PlanarParameters* planar = nullptr;     // nullptr: X and Y are written as read
    std::optional<zelwan::HeightCorrection> height;       // none: H is written as read
    const ParameterBlockText* parameter_block = nullptr;  // for the log header; nullptr: none
    std::int32_t xy_decimals = 2;
    std::int32_t h_decimals = 1;
};

// Values outside the lists leave coordinates or heights unchanged and gate nothing.
RunPlan make_run_plan(const RunSettings& settings);
