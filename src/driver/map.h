#pragma once
// A map of a run as SVG: the boundary that gated the points, in the input system as the gate saw
// it, and the points as read, coloured by what became of them. X points up and Y right in every
// system: the map's metres are x = Y - Ymin and y = Xmax - X. Its bytes depend only on the run.
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "driver/records.h"
#include "driver/run_plan.h"
#include "driver/text_io.h"

// At most this many points of a class are kept, so that the map stays under 2 MB whatever the
// input: a point with its tooltip takes at most about 250 bytes.
inline constexpr std::size_t MAP_POINT_LIMIT = 2500;
// The tooltip of a point shows at most this much of its NR.
inline constexpr std::size_t MAP_NR_BYTES = 32;

struct MapPoint {
    double x;  // X and Y as read
    double y;
    long long line;  // as the log numbers it
    std::array<char, MAP_NR_BYTES> nr;
    std::size_t nr_size;
    std::string_view shown_nr() const { return {nr.data(), nr_size}; }
};

// The points of one class: every step-th in line order, the step doubling each time the buffer
// fills. Each class has its own buffer, so a few points outside are never thinned away by many
// inside.
struct MapSample {
    std::vector<MapPoint> kept;  // its room is taken once
    long long seen = 0;
    long long step = 1;
};

struct MapPoints final : PointListener {
    std::array<MapSample, 3> classes;  // by PointOutcome
    MapPoints();
    void place(PointOutcome outcome, const PlacedPoint& point) override;
};

// The whole SVG document; bad_format is the count of lines that could not be placed.
void write_map(TextWriter& out, const MapPoints& points, const RunPlan& plan, std::string_view input_name,
               long long bad_format);
