#include "geodesy/planar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

struct PlanarCase {
    std::int32_t direction;
    double x;
    double y;
    double x_out;
    double y_out;
};

const PlanarCase PLANAR_CASES[] = {
    // The input origin lands exactly on the output origin plus the shifts.
    {0, -25645.59375, 301968.10625, 5541276.3621643605, 7415792.2407132145},
    {2, 5410037.1898, 4556931.698, 5552847.602292087, 7425759.9002740765},
    {0, -23000.0, 302000.0, 5538631.753906369, 7415867.68149857},
    {0, -21000.0, 300000.0, 5536714.610930377, 7417947.083164611},
    {1, 5541000.0, 7415000.0, -25401.583187410055, 302770.9345044297},
    {1, 5538000.0, 7416000.0, -22363.373818381042, 301893.41351346375},
    {1, 5536000.0, 7418000.0, -20283.799948682008, 299976.1165004416},
    {2, 5410000.0, 4556000.0, 5552809.30776888, 7424828.130499425},
    {2, 5420000.0, 4540000.0, 5562791.749845736, 7408814.156172827},
    {2, 5395000.0, 4550000.0, 5537800.344841098, 7418845.242721182},
    {3, 5541000.0, 7415000.0, 5398203.868664855, 4546159.0632830225},
    {3, 5560000.0, 7440000.0, 5417172.012707327, 4571178.452796183},
    {3, 5535000.0, 7410000.0, 5392210.638160415, 4541152.474115302},
};

TEST(TransformPoint, ReferenceValuesToTheLastBit) {
    for (const PlanarCase& c : PLANAR_CASES) {
        double x = c.x;
        double y = c.y;
        transform_point(x, y, c.direction);
        EXPECT_EQ(x, c.x_out) << "direction " << c.direction << " at " << c.x << " " << c.y;
        EXPECT_EQ(y, c.y_out) << "direction " << c.direction << " at " << c.x << " " << c.y;
    }
}

TEST(TransformPoint, DirectionOutsideTheListChangesNothing) {
    const std::int32_t directions[] = {-1, 4, 7, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max()};
    for (std::int32_t direction : directions) {
        double x = 5541000.25;
        double y = -7415000.5;
        transform_point(x, y, direction);
        EXPECT_EQ(x, 5541000.25) << direction;
        EXPECT_EQ(y, -7415000.5) << direction;
    }
}

TEST(TransformPoints, TransformsExactlyTheFirstCountPointsAndKeepsHeights) {
    Point points[4] = {{5410000.0, 4556000.0, 1.5},
                       {5420000.0, 4540000.0, 2.5},
                       {5395000.0, 4550000.0, 3.5},
                       {5410000.0, 4556000.0, 4.5}};
    transform_points(points, 0, 2);
    EXPECT_EQ(points[0].x, 5410000.0);
    transform_points(points, -1, 2);
    EXPECT_EQ(points[0].x, 5410000.0);

    transform_points(points, 3, 2);
    EXPECT_EQ(points[0].x, 5552809.30776888);
    EXPECT_EQ(points[1].y, 7408814.156172827);
    EXPECT_EQ(points[2].x, 5537800.344841098);
    EXPECT_EQ(points[3].x, 5410000.0);
    EXPECT_EQ(points[3].y, 4556000.0);
    const double heights[4] = {1.5, 2.5, 3.5, 4.5};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(points[i].h, heights[i]);
    }
}

struct RoundTrip {
    const AreaPolygon& area;
    std::int32_t there;
    std::int32_t back;
    double step;       // m between grid points
    double tolerance;  // m; a wrong sign or coefficient misses by far more
};

// Walks a grid over the area's bounding box and returns the worst miss of points inside it.
double worst_round_trip(const RoundTrip& trip, int& points_tried) {
    const Point* v = trip.area.vertices;
    const auto by_x = [](const Point& a, const Point& b) { return a.x < b.x; };
    const auto by_y = [](const Point& a, const Point& b) { return a.y < b.y; };
    const auto [min_x, max_x] = std::minmax_element(v, v + trip.area.count, by_x);
    const auto [min_y, max_y] = std::minmax_element(v, v + trip.area.count, by_y);
    double worst = 0;
    for (double x0 = min_x->x; x0 <= max_x->x; x0 += trip.step) {
        for (double y0 = min_y->y; y0 <= max_y->y; y0 += trip.step) {
            if (point_in_area(trip.area, x0, y0) == 0) {
                continue;
            }
            double x = x0;
            double y = y0;
            transform_point(x, y, trip.there);
            transform_point(x, y, trip.back);
            worst = std::max({worst, std::fabs(x - x0), std::fabs(y - y0)});
            ++points_tried;
        }
    }
    return worst;
}

TEST(TransformPoint, ThereAndBackComesHome) {
    const RoundTrip trips[] = {
        {AREA_SKAWINA_LOCAL, 0, 1, 100, 1e-6},
        {AREA_SKAWINA_2000, 1, 0, 100, 1e-6},
        {AREA_COUNTY_1965, 2, 3, 500, 7e-6},
        {AREA_COUNTY_2000, 3, 2, 500, 7e-6},
    };
    for (const RoundTrip& trip : trips) {
        int points_tried = 0;
        const double worst = worst_round_trip(trip, points_tried);
        EXPECT_GT(points_tried, 1000) << "direction " << trip.there;
        EXPECT_LT(worst, trip.tolerance) << "direction " << trip.there << " then " << trip.back;
    }
}

}  // namespace
