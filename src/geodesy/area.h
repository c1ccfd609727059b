#pragma once
// Area boundaries of Skawina and Kraków county, and the test whether a point lies inside one.
#include <cstdint>
#include <limits>

namespace zelwan {

// Metres: x is X (northing), y is Y (easting), h the height (zero and unused for vertices).
struct Point {
    double x;
    double y;
    double h;
};

// Bands of Y, each listing the few edges and vertices that a point in it can meet (area.cpp).
struct AreaBands;

// Vertices in boundary order, the first repeated as the last; count includes the repeat.
// The box and the bands, when known, only save time: a point far outside skips the test, and a
// point inside the box walks the edges and vertices of its band alone. The answer is the same.
struct AreaPolygon {
    const Point* vertices;
    std::int32_t count;
    double min_x = -std::numeric_limits<double>::infinity();
    double max_x = std::numeric_limits<double>::infinity();
    double min_y = -std::numeric_limits<double>::infinity();
    double max_y = std::numeric_limits<double>::infinity();
    const AreaBands* bands = nullptr;
};

// A point this close to a vertex in both X and Y counts as inside, whatever the boundary does there.
inline constexpr double VERTEX_TOLERANCE = 0.02;

inline constexpr std::int32_t SKAWINA_VERTEX_COUNT = 10;
inline constexpr std::int32_t COUNTY_VERTEX_COUNT = 30;

extern const AreaPolygon AREA_SKAWINA_LOCAL;  // "UL Skawina"
extern const AreaPolygon AREA_SKAWINA_2000;   // "2000 S7 21"
extern const AreaPolygon AREA_COUNTY_1965;    // "1965 pow krakowski"
extern const AreaPolygon AREA_COUNTY_2000;    // "2000 S7 21"

// 1 when (x, y), in the polygon's own system, counts as inside, 0 otherwise.
int point_in_area(const AreaPolygon& area, double x, double y);

}  // namespace zelwan
