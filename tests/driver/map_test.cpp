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
        points.add(MapClass::outside, n, 0);
    }
    const MapSample& kept = points.classes[static_cast<int>(MapClass::outside)];
    EXPECT_EQ(kept.seen, 5 * static_cast<long long>(MAP_POINT_LIMIT));
    EXPECT_EQ(kept.step, 8);
    ASSERT_LE(kept.kept.size(), MAP_POINT_LIMIT);
    for (std::size_t i = 0; i < kept.kept.size(); ++i) {
        ASSERT_EQ(kept.kept[i][0], static_cast<double>(i * 8)) << i;
    }
    EXPECT_EQ(kept.kept.size(), (5 * MAP_POINT_LIMIT + 7) / 8);
}

// A point 10,000 km out is still drawn; only one beyond that, in X or in Y alone, is counted as too
// far to draw. A class thinned to every 2nd point says so.
TEST(WriteMap, LegendCountsFarPointsAndThinning) {
    MapPoints points;
    points.add(MapClass::accepted, 1e7, -1e7);
    points.add(MapClass::outside, 1e7 + 0.5, 0);
    points.add(MapClass::outside, 0, 2e7);
    for (std::size_t n = 0; n <= MAP_POINT_LIMIT; ++n) {
        points.add(MapClass::bad_height, 0, 0);
    }
    MemorySink sink;
    TextWriter out(sink, 256);
    write_map(out, points, RunPlan{}, "punkty.txt", 0);
    out.flush();
    const std::string legend = sink.bytes.substr(sink.bytes.find("<g "));
    EXPECT_NE(legend.find("10 000 km): 2</text>"), std::string::npos) << legend;
    EXPECT_NE(legend.find(" m: 20001 (na mapie co 2-ty z 20001)</text>"), std::string::npos) << legend;
}

}  // namespace
