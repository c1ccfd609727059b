#include "geodesy/area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "geodesy/planar.h"
#include "support/random.h"

namespace {

using zelwan::AreaPolygon;
using zelwan::point_in_area;

struct AreaCase {
    const char* what;
    double x, y;
    int inside;
};

// A square with two edges of equal Y at both ends: no division by zero may ever happen, and a
// point on an edge is inside only where the interior lies towards greater X or Y. At a corner on
// whole metres a point can be exactly 0.02 m off, just outside the vertex tolerance.
constexpr zelwan::Point SQUARE_VERTICES[] = {{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 0}, {0, 0, 0}};

const AreaCase SQUARE_CASES[] = {
    {"centre", 5, 5, 1},
    {"beyond X = 10", 15, 5, 0},
    {"on edge X = 0", 0, 5, 1},
    {"on edge X = 10", 10, 5, 0},
    {"on edge Y = 0", 5, 0, 1},
    {"on edge Y = 10", 5, 10, 0},
    {"left of corner (0, 0) on its Y", -1, 0, 0},
    {"left of corner (0, 10) on its Y", -1, 10, 0},
    {"exactly 0.02 from a corner in X", -0.02, -0.01, 0},
    {"exactly 0.02 from a corner in Y", -0.01, -0.02, 0},
};

TEST(PointInArea, SquareWithHorizontalEdges) {
    for (const AreaCase& c : SQUARE_CASES) {
        EXPECT_EQ(point_in_area({SQUARE_VERTICES, 5}, c.x, c.y), c.inside) << c.what;
    }
    EXPECT_EQ(point_in_area({SQUARE_VERTICES, 0}, 0, 0), 0) << "no vertices";
}

// A mistyped digit among the 80 vertices moves a vertex by far more than the half metre within
// which each 2000 vertex is its partner's image.
TEST(AreaTables, EachVertexCarriedForwardLandsOnItsPartner) {
    const auto lands = [](const AreaPolygon& from, zelwan::Direction direction, const AreaPolygon& to) {
        for (std::int32_t k = 0; k < from.count; ++k) {
            const zelwan::Point image = zelwan::transform_point(direction, from.vertices[k]);
            EXPECT_NEAR(image.x, to.vertices[k].x, 0.5) << "vertex " << k << " of " << to.count;
            EXPECT_NEAR(image.y, to.vertices[k].y, 0.5) << "vertex " << k << " of " << to.count;
        }
    };
    lands(zelwan::AREA_SKAWINA_LOCAL, zelwan::Direction::from_skawina, zelwan::AREA_SKAWINA_2000);
    lands(zelwan::AREA_COUNTY_1965, zelwan::Direction::from_1965, zelwan::AREA_COUNTY_2000);
}

// The bands only spare walking the whole boundary: every answer must be the whole walk's, above all
// at the vertices, on and beside the edges, on the rays through vertices and at the bands' seams.
TEST(AreaTables, BandsGiveTheWholeBoundarysAnswer) {
    Random random{2000};
    long long compared = 0;
    for (const AreaPolygon* area : {&zelwan::AREA_SKAWINA_LOCAL, &zelwan::AREA_SKAWINA_2000,
                                    &zelwan::AREA_COUNTY_1965, &zelwan::AREA_COUNTY_2000}) {
        AreaPolygon whole = *area;
        whole.bands = nullptr;
        const auto same = [&](double x, double y) {
            ++compared;
            return point_in_area(*area, x, y) == point_in_area(whole, x, y);
        };
        for (std::int32_t i = 1; i < area->count; ++i) {
            const zelwan::Point& a = area->vertices[i];
            const zelwan::Point& b = area->vertices[i - 1];
            for (double dx = -0.05; dx <= 0.05; dx += 0.0025) {  // around each vertex
                for (double dy = -0.05; dy <= 0.05; dy += 0.0025) {
                    ASSERT_TRUE(same(a.x + dx, a.y + dy)) << a.x + dx << " " << a.y + dy;
                }
            }
            for (int k = 0; k <= 256; ++k) {  // on each edge, beside it, and on the ray's line of a vertex
                const double x = a.x + (b.x - a.x) * k / 256;
                const double y = a.y + (b.y - a.y) * k / 256;
                for (const double dx : {0.0, -1e-9, 1e-9, -0.001, 0.001, -0.5, 0.5}) {
                    ASSERT_TRUE(same(x + dx, y)) << x + dx << " " << y;
                    ASSERT_TRUE(same(x + dx * 1000, a.y)) << x + dx * 1000 << " " << a.y;
                }
            }
        }
        // The box's edges and a metre beyond them, where Y reaches the first and the last band.
        for (const double x : {area->min_x - 1, area->min_x, area->max_x, area->max_x + 1}) {
            for (const double y : {area->min_y - 1, area->min_y, area->max_y, area->max_y + 1}) {
                ASSERT_TRUE(same(x, y)) << x << " " << y;
            }
        }
        const double seam = (area->max_y - area->min_y + 2) / 64;  // bands over the box and a metre more
        for (int k = 0; k < 200000; ++k) {  // anywhere in and around the box, and on the seams
            const double x = area->min_x - 2 + (area->max_x - area->min_x + 4) * random.unit();
            const double y =
                k % 2 == 0 ? area->min_y - 2 + (area->max_y - area->min_y + 4) * random.unit()
                           : area->min_y - 1 + seam * std::floor(random.unit() * 65) + (k % 4 - 2) * 1e-9;
            ASSERT_TRUE(same(x, y)) << x << " " << y;
        }
    }
    EXPECT_GT(compared, 900000);
}

}  // namespace
