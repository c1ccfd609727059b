#include "driver/map.h"

#include <gtest/gtest.h>

#include <string>

#include "support/doubles.h"

namespace {

// Past the limit a class keeps every k-th point in line order, k doubling each time its buffer
// fills: never more than the limit, and exactly the points whose number k divides.
TEST(MapPoints, ThinnedToEveryKthPointWithinTheLimit) {
    MapPoints points;
    for (int n = 0; n < 5 * static_cast<int>(MAP_POINT_LIMIT); ++n) {
        points.place(PointOutcome::outside, {static_cast<double>(n), 0, n + 1, "p"});
    }
    const MapSample& kept = points.classes[static_cast<int>(PointOutcome::outside)];
    EXPECT_EQ(kept.seen, 5 * static_cast<long long>(MAP_POINT_LIMIT));
    EXPECT_EQ(kept.step, 8);
    ASSERT_LE(kept.kept.size(), MAP_POINT_LIMIT);
    for (std::size_t i = 0; i < kept.kept.size(); ++i) {
        ASSERT_EQ(kept.kept[i].x, static_cast<double>(i * 8)) << i;
    }
    EXPECT_EQ(kept.kept.size(), (5 * MAP_POINT_LIMIT + 7) / 8);
}

// A point 10,000 km out is still drawn; only one beyond that, in X or in Y alone, is counted as too
// far to draw. A class thinned to every 2nd point says so.
TEST(WriteMap, LegendCountsFarPointsAndThinning) {
    MapPoints points;
    points.place(PointOutcome::converted, {1e7, -1e7, 1, "p"});
    points.place(PointOutcome::outside, {1e7 + 0.5, 0, 2, "q"});
    points.place(PointOutcome::outside, {0, 2e7, 3, "r"});
    for (std::size_t n = 0; n <= MAP_POINT_LIMIT; ++n) {
        points.place(PointOutcome::bad_height, {0, 0, 4, "s"});
    }
    MemorySink sink;
    TextWriter out(sink, 256);
    write_map(out, points, RunPlan{}, "punkty.txt", 0);
    out.flush();
    const std::string legend = sink.bytes.substr(sink.bytes.find("<g transform"));
    EXPECT_NE(legend.find("10 000 km): 2</text>"), std::string::npos) << legend;
    const std::string all = std::to_string(MAP_POINT_LIMIT + 1);
    EXPECT_NE(legend.find(" m: " + all + " (na mapie co 2-ty z " + all + ")</text>"), std::string::npos)
        << legend;
}

}  // namespace
