#include "driver/run_plan.h"

#include <limits>

namespace {

using zelwan::CoordinateSystem;

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

// One row per direction code: the gate and the system whose height surface corrects H.
struct GateRow {
    const zelwan::AreaPolygon& gate;
    const char* outside_message;
    const char* input_system;
    CoordinateSystem height_system;
};

// The planar branch (every mode but 2): mode 0 corrects the height in the output system.
const GateRow PLANAR_ROWS[4] = {
    {zelwan::AREA_SKAWINA_LOCAL, MSG_OUTSIDE_SKAWINA, SYSTEM_SKAWINA, CoordinateSystem::zone7_2000},
    {zelwan::AREA_SKAWINA_2000, MSG_OUTSIDE_SKAWINA, SYSTEM_2000, CoordinateSystem::skawina_local},
    {zelwan::AREA_COUNTY_1965, MSG_OUTSIDE_COUNTY, SYSTEM_1965, CoordinateSystem::zone7_2000},
    {zelwan::AREA_COUNTY_2000, MSG_OUTSIDE_COUNTY, SYSTEM_2000, CoordinateSystem::county_1965},
};

// Heights only: the direction code names the system the coordinates are given in.
const GateRow HEIGHT_ONLY_ROWS[3] = {
    {zelwan::AREA_SKAWINA_LOCAL, MSG_H_OUTSIDE_SKAWINA, SYSTEM_SKAWINA, CoordinateSystem::skawina_local},
    {zelwan::AREA_COUNTY_1965, MSG_H_OUTSIDE_1965, SYSTEM_1965, CoordinateSystem::county_1965},
    {zelwan::AREA_COUNTY_2000, MSG_H_OUTSIDE_2000, SYSTEM_2000, CoordinateSystem::zone7_2000},
};

void take_row(RunPlan& plan, const GateRow& row, std::optional<zelwan::HeightSense> sense) {
    plan.gate = &row.gate;
    plan.outside_message = row.outside_message;
    plan.input_system = row.input_system;
    if (sense) {
        plan.height = zelwan::HeightCorrection{row.height_system, *sense};
    }
}

bool in_list(std::int32_t code, std::int32_t count) {
    return code >= 0 && code < count;
}

std::optional<zelwan::HeightSense> height_sense(std::int32_t height_direction) {
    switch (height_direction) {
        case 0: return zelwan::HeightSense::forward;
        case 1: return zelwan::HeightSense::inverse;
        default: return std::nullopt;  // H is written as read
    }
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
    settings.transform_mode = parse_int_argument(arguments[0]);
    settings.direction = parse_int_argument(arguments[1]);
    settings.height_direction = parse_int_argument(arguments[2]);
    settings.xy_decimals = saturate(std::int64_t{parse_int_argument(arguments[3])} + 2);
    settings.h_decimals = saturate(std::int64_t{parse_int_argument(arguments[4])} + 1);
    return settings;
}

RunPlan make_run_plan(const RunSettings& settings) {
    RunPlan plan;
    plan.xy_decimals = settings.xy_decimals;
    plan.h_decimals = settings.h_decimals;
    const std::int32_t direction = settings.direction;
    const std::optional<zelwan::HeightSense> sense = height_sense(settings.height_direction);
    if (settings.transform_mode == 2) {  // heights only: X and Y stay as read
        if (in_list(direction, 4)) {
            plan.parameter_block = &PARAMETER_BLOCKS[direction];  // although no point moves
        }
        if (in_list(direction, 3)) {
            take_row(plan, HEIGHT_ONLY_ROWS[direction], sense);
        }
        return plan;
    }
    if (in_list(direction, 4)) {
        const bool mode_0 = settings.transform_mode == 0;  // mode 1, and modes outside the list, keep H
        take_row(plan, PLANAR_ROWS[direction], mode_0 ? sense : std::nullopt);
        plan.planar = &zelwan::PLANAR_PARAMETERS[direction];
        if (mode_0) {  // and only mode 0 writes the block
            plan.parameter_block = &PARAMETER_BLOCKS[direction];
        }
    }
    return plan;
}
