#pragma once
// What a run does, decided once at start-up from the command line: the record loop, the log and
// the map read the plan and never a code.
#include <cstdint>

#include "geodesy/systems.h"

struct ParameterBlockText;  // the log's words for a transformation (messages.h)

struct RunPlan {
    const zelwan::AreaPolygon* gate = nullptr;                    // nullptr: every point is accepted
    const char* outside_message = nullptr;                        // rejects a point outside the gate
    const zelwan::CoordinateSystemInfo* input_system = nullptr;   // the gate's system
    const zelwan::PlanarParameters* planar = nullptr;             // nullptr: X and Y are written as read
    const zelwan::CoordinateSystemInfo* height_system = nullptr;  // corrects H there; nullptr: H as read
    zelwan::HeightSense height_sense = zelwan::HeightSense::forward;
    const ParameterBlockText* parameter_block = nullptr;  // for the log header; nullptr: none
    std::int32_t xy_decimals = 2;
    std::int32_t h_decimals = 1;
};
