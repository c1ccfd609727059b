#include "driver/area_gate.h"

#include "driver/messages.h"

namespace {

struct AreaRule {
    const AreaPolygon* area;  // nullptr: no test, every point is accepted
    const char* message;
};

AreaRule planar_rule(std::int32_t direction) {
    switch (direction) {
        case 0: return {&AREA_SKAWINA_LOCAL, MSG_OUTSIDE_SKAWINA};
        case 1: return {&AREA_SKAWINA_2000, MSG_OUTSIDE_SKAWINA};
        case 2: return {&AREA_COUNTY_1965, MSG_OUTSIDE_COUNTY};
        case 3: return {&AREA_COUNTY_2000, MSG_OUTSIDE_COUNTY};
        default: return {nullptr, nullptr};
    }
}

// In the heights-only mode the direction names the system of the input coordinates.
AreaRule height_only_rule(std::int32_t direction) {
    switch (direction) {
        case 0: return {&AREA_SKAWINA_LOCAL, MSG_H_OUTSIDE_SKAWINA};
        case 1: return {&AREA_COUNTY_1965, MSG_H_OUTSIDE_1965};
        case 2: return {&AREA_COUNTY_2000, MSG_H_OUTSIDE_2000};
        default: return {nullptr, nullptr};
    }
}

}  // namespace

const char* check_point_area(const RunSettings& settings, const Point& point) {
    const AreaRule rule =
        settings.TransformMode == 2 ? height_only_rule(settings.Direction) : planar_rule(settings.Direction);
    if (rule.area == nullptr || point_in_area(*rule.area, point.x, point.y) != 0) {
        return nullptr;
    }
    return rule.message;
}
