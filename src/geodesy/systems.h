#pragma once
// One definition of each coordinate system and of each planar transformation between them. Every
// reader (the run, the log, the map, the page, the PROJ files) asks these rows; nothing else knows
// which boundary, surface or axes belong to which system.
#include "area.h"  // same folder, in the sources and where the core is installed
#include "height.h"
#include "planar.h"

namespace zelwan {

struct CoordinateSystemInfo {
    const char* name;                     // as the log and the map write it
    bool axes_turned;                     // about half a turn against "2000 S7 21": north is roughly down
    const AreaPolygon& boundary;          // where a height given in this system is corrected
    const HeightSurface* height_surface;  // N(x, y) over this system; nullptr: SKAWINA_HEIGHT_SHIFT
};

inline constexpr CoordinateSystemInfo SYSTEM_SKAWINA_LOCAL{"UL Skawina", true, AREA_SKAWINA_LOCAL, nullptr};
inline constexpr CoordinateSystemInfo SYSTEM_COUNTY_1965{"1965 pow krakowski", false, AREA_COUNTY_1965,
                                                         &HEIGHT_SURFACE_1965};
// The boundary of a height given in "2000 S7 21" is the county's, which holds Skawina.
inline constexpr CoordinateSystemInfo SYSTEM_ZONE7_2000{"2000 S7 21", false, AREA_COUNTY_2000,
                                                        &HEIGHT_SURFACE_2000};

// The system of the enum that the core's first version took.
constexpr const CoordinateSystemInfo& coordinate_system(CoordinateSystem system) {
    switch (system) {
        case CoordinateSystem::skawina_local: return SYSTEM_SKAWINA_LOCAL;
        case CoordinateSystem::county_1965: return SYSTEM_COUNTY_1965;
        case CoordinateSystem::zone7_2000: break;
    }
    return SYSTEM_ZONE7_2000;
}

// h corrected at (x, y), metres in the system: forward adds N(x, y) and subtracts the Skawina
// constant, inverse the other way round.
double correct_height(const CoordinateSystemInfo& system, HeightSense sense, double x, double y, double h);

struct PlanarTransformation {
    Direction direction;  // its parameters: planar_parameters(direction)
    const CoordinateSystemInfo& from;
    const CoordinateSystemInfo& to;
    // Its input is converted only inside this boundary, in the input system: "2000 S7 21" is taken
    // to "UL Skawina" only from inside Skawina, to "1965 pow krakowski" from inside the county.
    const AreaPolygon& gate;
};

// In the order of Direction.
inline constexpr PlanarTransformation PLANAR_TRANSFORMATIONS[] = {
    {Direction::from_skawina, SYSTEM_SKAWINA_LOCAL, SYSTEM_ZONE7_2000, AREA_SKAWINA_LOCAL},
    {Direction::to_skawina, SYSTEM_ZONE7_2000, SYSTEM_SKAWINA_LOCAL, AREA_SKAWINA_2000},
    {Direction::from_1965, SYSTEM_COUNTY_1965, SYSTEM_ZONE7_2000, AREA_COUNTY_1965},
    {Direction::to_1965, SYSTEM_ZONE7_2000, SYSTEM_COUNTY_1965, AREA_COUNTY_2000},
};

constexpr const PlanarTransformation& planar_transformation(Direction direction) {
    return PLANAR_TRANSFORMATIONS[static_cast<int>(direction)];
}

static_assert(
    [] {
        int k = 0;
        for (const PlanarTransformation& t : PLANAR_TRANSFORMATIONS) {
            if (static_cast<int>(t.direction) != k++) {
                return false;
            }
        }
        return true;
    }(),
    "PLANAR_TRANSFORMATIONS follows Direction");

}  // namespace zelwan
