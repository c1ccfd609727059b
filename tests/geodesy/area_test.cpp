#include "geodesy/area.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/planar.h"

namespace {

struct AreaCase {
    const char* what;
    double x;
    double y;
    int inside;
};

const AreaCase SKAWINA_LOCAL_CASES[] = {
    {"vertex 6 itself", -19106, 299607, 1},
    {"0.019 beyond vertex 6 in X", -19105.981, 299607.0, 1},
    {"0.021 beyond vertex 6 in X", -19105.979, 299607.0, 0},
    {"0.019 beyond in X and Y", -19105.981, 299607.019, 1},
    {"0.019 in X, 0.021 in Y", -19105.981, 299607.021, 0},
    {"west edge 2-3 midpoint", -25799, 300893, 1},
    {"east edge 6-7 midpoint", -19288, 301564.5, 0},
    {"ray through vertex 6, crossing", -19116, 299607, 1},
    {"ray through vertex 4, touching below", -23593, 298298, 0},
    {"ray through vertex 0, touching above", -23109, 306228, 0},
    {"well inside", -22702, 302010, 1},
    {"far outside", 0, 0, 0},
};

TEST(PointInArea, SkawinaLocalEdgeCases) {
    for (const AreaCase& c : SKAWINA_LOCAL_CASES) {
        EXPECT_EQ(point_in_area(AREA_SKAWINA_LOCAL, c.x, c.y), c.inside) << c.what;
    }
}

// A square with two edges of equal Y at both ends: no division by zero may ever happen.
constexpr Point SQUARE_VERTICES[] = {{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 0}, {0, 0, 0}};
constexpr AreaPolygon SQUARE{SQUARE_VERTICES, 5};

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
};

TEST(PointInArea, SquareWithHorizontalEdges) {
    for (const AreaCase& c : SQUARE_CASES) {
        EXPECT_EQ(point_in_area(SQUARE, c.x, c.y), c.inside) << c.what;
    }
}

TEST(PointInArea, NoVerticesIsNeverInside) {
    EXPECT_EQ(point_in_area(AreaPolygon{SQUARE_VERTICES, 0}, 0, 0), 0);
    EXPECT_EQ(point_in_area(AreaPolygon{SQUARE_VERTICES, -3}, 5, 5), 0);
}

struct TableFacts {
    const char* name;
    const AreaPolygon& area;
    std::int32_t count;
    double enclosed;  // m^2
    double inside_x;
    double inside_y;
};

const TableFacts TABLES[] = {
    {"AREA_SKAWINA_LOCAL", AREA_SKAWINA_LOCAL, 10, 42896347.5, -22702, 302010},
    {"AREA_SKAWINA_2000", AREA_SKAWINA_2000, 10, 42894398.5, 5538334, 7415870},
    {"AREA_COUNTY_1965", AREA_COUNTY_1965, 30, 1802391825.5, 5411308, 4555974},
    {"AREA_COUNTY_2000", AREA_COUNTY_2000, 30, 1802859740, 5554117, 7424800},
};

// Twice the signed area with Y to the right and X up: negative when the vertices run clockwise.
double twice_signed_area(const AreaPolygon& area) {
    double sum = 0;
    for (std::int32_t k = 0; k + 1 < area.count; ++k) {
        const Point& a = area.vertices[k];
        const Point& b = area.vertices[k + 1];
        sum += a.y * b.x - b.y * a.x;
    }
    return sum;
}

TEST(AreaTables, ClosedClockwiseWithTheirAreasAndAnInsidePoint) {
    for (const TableFacts& t : TABLES) {
        const AreaPolygon& a = t.area;
        ASSERT_EQ(a.count, t.count) << t.name;
        EXPECT_EQ(a.vertices[0].x, a.vertices[a.count - 1].x) << t.name;
        EXPECT_EQ(a.vertices[0].y, a.vertices[a.count - 1].y) << t.name;
        for (std::int32_t k = 0; k + 2 < a.count; ++k) {
            EXPECT_NE(a.vertices[k].x, a.vertices[k + 1].x) << t.name << " vertex " << k;
            EXPECT_NE(a.vertices[k].y, a.vertices[k + 1].y) << t.name << " vertex " << k;
        }
        const double twice = twice_signed_area(a);
        EXPECT_LT(twice, 0) << t.name << " runs counter-clockwise";
        EXPECT_NEAR(-twice / 2, t.enclosed, 0.5) << t.name;
        EXPECT_EQ(point_in_area(a, t.inside_x, t.inside_y), 1) << t.name;
    }
}

struct PartnerTables {
    const AreaPolygon& from;
    const AreaPolygon& to;
    std::int32_t direction;
};

// One mistyped digit among the 80 vertices moves a vertex by far more than half a metre.
TEST(AreaTables, EachVertexCarriedForwardLandsOnItsPartner) {
    const PartnerTables pairs[] = {
        {AREA_SKAWINA_LOCAL, AREA_SKAWINA_2000, 0},
        {AREA_COUNTY_1965, AREA_COUNTY_2000, 2},
    };
    for (const PartnerTables& pair : pairs) {
        for (std::int32_t k = 0; k < pair.from.count; ++k) {
            double x = pair.from.vertices[k].x;
            double y = pair.from.vertices[k].y;
            transform_point(x, y, pair.direction);
            EXPECT_NEAR(x, pair.to.vertices[k].x, 0.5) << "direction " << pair.direction << " vertex " << k;
            EXPECT_NEAR(y, pair.to.vertices[k].y, 0.5) << "direction " << pair.direction << " vertex " << k;
        }
    }
}

// The box check only saves time: a walk across each box and a few metres beyond it gives the
// same answers with the box as without.
TEST(AreaTables, TheBoxChangesNoAnswer) {
    for (const TableFacts& t : TABLES) {
        const AreaPolygon without_box{t.area.vertices, t.area.count};
        const double margin = 3.0;
        for (double x = t.area.min_x - margin; x <= t.area.max_x + margin;
             x += (t.area.max_x - t.area.min_x) / 97) {
            for (double y = t.area.min_y - margin; y <= t.area.max_y + margin;
                 y += (t.area.max_y - t.area.min_y) / 997) {
                ASSERT_EQ(point_in_area(t.area, x, y), point_in_area(without_box, x, y))
                    << t.name << " " << x << " " << y;
            }
        }
    }
}

TEST(AreaTables, SkawinaLiesInsideTheCounty) {
    for (std::int32_t k = 0; k < AREA_SKAWINA_2000.count; ++k) {
        const Point& v = AREA_SKAWINA_2000.vertices[k];
        EXPECT_EQ(point_in_area(AREA_COUNTY_2000, v.x, v.y), 1) << "vertex " << k;
    }
    for (double x = 5534000; x <= 5542000; x += 250) {
        for (double y = 7411000; y <= 7420000; y += 250) {
            if (point_in_area(AREA_SKAWINA_2000, x, y) != 0) {
                EXPECT_EQ(point_in_area(AREA_COUNTY_2000, x, y), 1) << x << " " << y;
            }
        }
    }
}

}  // namespace
