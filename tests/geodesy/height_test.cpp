#include "geodesy/height.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geodesy/area.h"
#include "geodesy/planar.h"

namespace {

struct SurfaceCase {
    const char* name;
    const HeightSurface& surface;
    double x;
    double y;
    double forward;
    double inverse;
};

const SurfaceCase SURFACE_CASES[] = {
    {"1965", HEIGHT_SURFACE_1965, 5410000.0, 4556000.0, 249.96492345235015, 250.03507654764985},
    {"2000", HEIGHT_SURFACE_2000, 5541000.0, 7415000.0, 249.967130805509, 250.032869194491},
};

TEST(ApplyHeightSurface, ReferenceValuesToTheLastBit) {
    for (const SurfaceCase& c : SURFACE_CASES) {
        EXPECT_EQ(apply_height_surface(c.surface, c.x, c.y, 250.0, false), c.forward) << c.name;
        EXPECT_EQ(apply_height_surface(c.surface, c.x, c.y, 250.0, true), c.inverse) << c.name;
    }
}

TEST(ApplyHeightSurface, ForwardThenInverseReturnsTheHeight) {
    for (const SurfaceCase& c : SURFACE_CASES) {
        for (double h = 100.0; h <= 600.0; h += 12.5) {
            const double there = apply_height_surface(c.surface, c.x, c.y, h, false);
            EXPECT_NEAR(apply_height_surface(c.surface, c.x, c.y, there, true), h, 1e-12) << c.name;
        }
    }
}

struct HeightCase {
    std::int32_t mode;
    std::int32_t direction;
    std::int32_t height_direction;
    double x;  // as read; mode 0 transforms it first, as a run does
    double y;
    double h_out;
};

const HeightCase HEIGHT_CASES[] = {
    {0, 2, 0, 5410000.0, 4556000.0, 249.96492348966126},
    {0, 3, 0, 5541000.0, 7415000.0, 249.967130729176},
    {0, 3, 1, 5541000.0, 7415000.0, 250.032869270824},
    {0, 0, 0, -23000.0, 302000.0, 249.96735528006366},
    {0, 1, 0, 5541000.0, 7415000.0, 249.97},
    {0, 1, 1, 5541000.0, 7415000.0, 250.03},
    {2, 0, 0, -23000.0, 302000.0, 249.97},
    {2, 0, 1, -23000.0, 302000.0, 250.03},
    {2, 1, 0, 5410000.0, 4556000.0, 249.96492345235015},
    {2, 2, 1, 5541000.0, 7415000.0, 250.032869194491},
    // Nothing to correct: unknown system, XY-only mode, or no height direction.
    {2, 3, 0, 5541000.0, 7415000.0, 250.0},
    {2, 7, 0, 5541000.0, 7415000.0, 250.0},
    {0, 4, 0, 5541000.0, 7415000.0, 250.0},
    {1, 2, 0, 5410000.0, 4556000.0, 250.0},
    {1, 1, 1, 5541000.0, 7415000.0, 250.0},
    {3, 2, 0, 5410000.0, 4556000.0, 250.0},
    {-1, 0, 0, -23000.0, 302000.0, 250.0},
    {0, 2, 2, 5410000.0, 4556000.0, 250.0},
    {2, 1, -1, 5410000.0, 4556000.0, 250.0},
};

TEST(TransformHeight, ModeDirectionAndHeightDirectionSelectTheCorrection) {
    for (const HeightCase& c : HEIGHT_CASES) {
        const RunSettings settings{c.mode, c.direction, c.height_direction, 2, 1};
        double x = c.x;
        double y = c.y;
        if (c.mode != 2) {
            transform_point(x, y, c.direction);
        }
        EXPECT_EQ(transform_height(settings, x, y, 250.0), c.h_out)
            << "mode " << c.mode << " direction " << c.direction << " height direction "
            << c.height_direction;
    }
}

double correction(const HeightSurface& surface, double x, double y) {
    return apply_height_surface(surface, x, y, 0.0, false);
}

// The two surfaces describe one field: at a county point and at its 2000 image they agree.
TEST(HeightSurfaces, AgreeAtACountyPointAndItsImage) {
    double worst = 0;
    int points_tried = 0;
    for (double x0 = 5383527; x0 <= 5434675; x0 += 2000) {
        for (double y0 = 4524665; y0 <= 4586463; y0 += 2000) {
            if (point_in_area(AREA_COUNTY_1965, x0, y0) == 0) {
                continue;
            }
            double x = x0;
            double y = y0;
            transform_point(x, y, 2);
            const double gap =
                correction(HEIGHT_SURFACE_1965, x0, y0) - correction(HEIGHT_SURFACE_2000, x, y);
            worst = std::max(worst, std::fabs(gap));
            ++points_tried;
        }
    }
    EXPECT_GT(points_tried, 300);
    EXPECT_LT(worst, 5e-7);
}

}  // namespace
