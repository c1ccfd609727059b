#include "geodesy/area.h"

#include <gtest/gtest.h>

#include "geodesy/planar.h"

namespace {

using zelwan::AreaPolygon;
using zelwan::Point;

struct AreaCase {
    const char* what;
    double x;
    double y;
    int inside;
};

// A square with two edges of equal Y at both ends: no division by zero may ever happen, and a
// point on an edge is inside only where the interior lies towards greater X or Y.
constexpr Point SQUARE_VERTICES[] = {{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 0}, {0, 0, 0}};

const AreaCase SQUARE_CASES[] = {
    {"centre", 5, 5, 1},
    {"beyond X = 10", 15, 5, 0},
    {"on edge X = 0", 0, 5, 1},
    {"on edge X = 10", 10, 5, 0},
    {"on edge Y = 0", 5, 0, 1},
    {"on edge Y = 10", 5, 10, 0},
    {"left of corner (0, 0) on its Y", -1, 0, 0},
    {"left of corner (0, 10) on its Y", -1, 10, 0},
    {"within tolerance of a corner, outside", -0.01, -0.01, 1},
    {"0.03 from a corner", -0.03, 0, 0},
    {"exactly 0.02 from a corner in X", -0.02, -0.01, 0},
    {"exactly 0.02 from a corner in Y", -0.01, -0.02, 0},
};

TEST(PointInArea, SquareWithHorizontalEdges) {
    const AreaPolygon square{SQUARE_VERTICES, 5};
    for (const AreaCase& c : SQUARE_CASES) {
        EXPECT_EQ(zelwan::point_in_area(square, c.x, c.y), c.inside) << c.what;
    }
    EXPECT_EQ(zelwan::point_in_area(AreaPolygon{SQUARE_VERTICES, 0}, 0, 0), 0) << "no vertices";
}

// A mistyped digit among the 80 vertices moves a vertex by far more than the half metre within
// which each 2000 vertex is its partner's image.
TEST(AreaTables, EachVertexCarriedForwardLandsOnItsPartner) {
    struct Partners {
        const AreaPolygon& from;
        const AreaPolygon& to;
        zelwan::Direction direction;
    };
    const Partners pairs[] = {
        {zelwan::AREA_SKAWINA_LOCAL, zelwan::AREA_SKAWINA_2000, zelwan::Direction::from_skawina},
        {zelwan::AREA_COUNTY_1965, zelwan::AREA_COUNTY_2000, zelwan::Direction::from_1965},
    };
    for (const Partners& pair : pairs) {
        for (std::int32_t k = 0; k < pair.from.count; ++k) {
            const Point image = zelwan::transform_point(pair.direction, pair.from.vertices[k]);
            EXPECT_NEAR(image.x, pair.to.vertices[k].x, 0.5) << "vertex " << k;
            EXPECT_NEAR(image.y, pair.to.vertices[k].y, 0.5) << "vertex " << k;
        }
    }
}

}  // namespace
