#include "geodesy/area.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace zelwan {
namespace {

// Every vertex is a whole number of metres. Vertex k of a 2000 table is the image of vertex k
// of its partner table, to within half a metre.
// clang-format off
constexpr Point SKAWINA_LOCAL[SKAWINA_VERTEX_COUNT] = {
    {-23099, 306228, 0}, {-25398, 305153, 0}, {-26109, 302192, 0}, {-25489, 299594, 0},
    {-23583, 298298, 0}, {-21539, 298334, 0}, {-19106, 299607, 0}, {-19470, 303522, 0},
    {-20526, 305158, 0}, {-23099, 306228, 0},
};
constexpr Point SKAWINA_2000[SKAWINA_VERTEX_COUNT] = {
    {5538559, 7411639, 0}, {5540900, 7412620, 0}, {5541730, 7415550, 0}, {5541216, 7418171, 0},
    {5539364, 7419543, 0}, {5537321, 7419590, 0}, {5534838, 7418417, 0}, {5535043, 7414490, 0},
    {5536032, 7412813, 0}, {5538559, 7411639, 0},
};
constexpr Point COUNTY_1965[COUNTY_VERTEX_COUNT] = {
    {5410756, 4524665, 0}, {5421581, 4525130, 0}, {5425153, 4533988, 0}, {5432111, 4535789, 0},
    {5433030, 4538738, 0}, {5431284, 4546707, 0}, {5432339, 4560056, 0}, {5434675, 4569609, 0},
    {5430450, 4574596, 0}, {5423245, 4574466, 0}, {5417374, 4573816, 0}, {5414485, 4575157, 0},
    {5416910, 4578125, 0}, {5416590, 4583688, 0}, {5408079, 4586463, 0}, {5402831, 4577154, 0},
    {5403599, 4572873, 0}, {5407830, 4569408, 0}, {5407800, 4558097, 0}, {5407049, 4551096, 0},
    {5401065, 4549393, 0}, {5398071, 4552042, 0}, {5394630, 4560048, 0}, {5390322, 4561492, 0},
    {5385961, 4555635, 0}, {5383527, 4545640, 0}, {5391346, 4534631, 0}, {5400439, 4525856, 0},
    {5405387, 4528883, 0}, {5410756, 4524665, 0},
};
constexpr Point COUNTY_2000[COUNTY_VERTEX_COUNT] = {
    {5553528, 7393488, 0}, {5564355, 7393940, 0}, {5567938, 7402795, 0}, {5574900, 7404588, 0},
    {5575822, 7407537, 0}, {5574085, 7415509, 0}, {5575156, 7428859, 0}, {5577503, 7438410, 0},
    {5573284, 7443403, 0}, {5566078, 7443281, 0}, {5560205, 7442638, 0}, {5557317, 7443982, 0},
    {5559746, 7446948, 0}, {5559432, 7452512, 0}, {5550924, 7455297, 0}, {5545664, 7445993, 0},
    {5546427, 7441711, 0}, {5550655, 7438240, 0}, {5550612, 7426928, 0}, {5549852, 7419927, 0},
    {5543865, 7418231, 0}, {5540874, 7420884, 0}, {5537442, 7428895, 0}, {5533136, 7430344, 0},
    {5528767, 7424492, 0}, {5526321, 7414499, 0}, {5534127, 7403479, 0}, {5543211, 7394691, 0},
    {5548163, 7397713, 0}, {5553528, 7393488, 0},
};
// clang-format on

bool near_vertex(const Point& vertex, double x, double y) {
    return std::fabs(vertex.x - x) < VERTEX_TOLERANCE && std::fabs(vertex.y - y) < VERTEX_TOLERANCE;
}

// 1 when the edge from a to b crosses the ray from (x, y) towards increasing X. An end exactly at
// the ray's Y counts as below it, so a vertex on the ray is counted once where the boundary crosses
// there and an even number of times where it only touches.
int crosses(const Point& a, const Point& b, double x, double y) {
    if ((y < a.y) == (y < b.y)) {
        return 0;  // also every edge with equal Y at both ends: no zero divisor below
    }
    const double dy = y - a.y;
    const double dx = b.x - a.x;
    const double product = dy * dx;
    const double quotient = product / (b.y - a.y);
    const double x_crossing = quotient + a.x;
    return x < x_crossing ? 1 : 0;
}

// Every vertex first, then the even-odd count of all edges: vertex i with vertex i - 1, the
// first with the last (a repeat of it, so that edge never takes part).
int whole_boundary_test(const AreaPolygon& area, double x, double y) {
    for (std::int32_t k = 0; k < area.count; ++k) {
        if (near_vertex(area.vertices[k], x, y)) {
            return 1;
        }
    }
    int result = 0;
    for (std::int32_t i = 0; i < area.count; ++i) {
        result ^= crosses(area.vertices[i], area.vertices[i == 0 ? area.count - 1 : i - 1], x, y);
    }
    return result;
}

// A metre beyond the box is far more than the vertex tolerance and than any rounding of a
// crossing: such a point is outside, and no edge crosses its ray an odd number of times.
bool far_outside_the_box(const AreaPolygon& area, double x, double y) {
    return x < area.min_x - 1.0 || x > area.max_x + 1.0 || y < area.min_y - 1.0 || y > area.max_y + 1.0;
}

// The polygon with its bounding box.
constexpr AreaPolygon with_box(const Point* vertices, std::int32_t count, const AreaBands* bands) noexcept {
    AreaPolygon area{vertices, count, vertices[0].x, vertices[0].x, vertices[0].y, vertices[0].y, bands};
    for (std::int32_t k = 1; k < count; ++k) {
        area.min_x = vertices[k].x < area.min_x ? vertices[k].x : area.min_x;
        area.max_x = vertices[k].x > area.max_x ? vertices[k].x : area.max_x;
        area.min_y = vertices[k].y < area.min_y ? vertices[k].y : area.min_y;
        area.max_y = vertices[k].y > area.max_y ? vertices[k].y : area.max_y;
    }
    return area;
}

}  // namespace

// An edge takes part for a point only when the point's Y lies between its ends, and a vertex
// counts only within 0.02 m of it in Y. So the box's Y, a metre wider on each side, is cut into
// bands, and each band lists every edge and vertex that any Y within a metre of it can meet: the
// same edges in the same arithmetic give the same answer, and a Y that rounding puts into the next
// band finds its edges there too.
constexpr int BAND_COUNT = 64;
constexpr int BAND_LIST_SIZE = 32;  // more than the 30 vertices of the largest table

struct AreaBand {
    std::uint8_t edge_count = 0;
    std::uint8_t vertex_count = 0;
    std::uint8_t edges[BAND_LIST_SIZE] = {};  // edge i joins vertex i to vertex i - 1
    std::uint8_t vertices[BAND_LIST_SIZE] = {};
};

struct AreaBands {
    double low_y;
    double bands_per_metre;
    AreaBand bands[BAND_COUNT];
};

namespace {

template <std::size_t N>
constexpr AreaBands make_bands(const Point (&v)[N]) {
    double min_y = v[0].y;
    double max_y = v[0].y;
    for (const Point& vertex : v) {
        min_y = vertex.y < min_y ? vertex.y : min_y;
        max_y = vertex.y > max_y ? vertex.y : max_y;
    }
    const double height = (max_y - min_y + 2.0) / BAND_COUNT;
    AreaBands result{min_y - 1.0, 1.0 / height, {}};
    for (int k = 0; k < BAND_COUNT; ++k) {
        const double low = result.low_y + k * height - 1.0;
        const double high = low + height + 2.0;
        AreaBand& band = result.bands[k];
        for (std::size_t i = 1; i < N; ++i) {
            const double a = v[i].y < v[i - 1].y ? v[i].y : v[i - 1].y;
            const double b = v[i].y < v[i - 1].y ? v[i - 1].y : v[i].y;
            if (a < b && b >= low && a <= high) {
                band.edges[band.edge_count++] = static_cast<std::uint8_t>(i);
            }
        }
        for (std::size_t i = 0; i < N; ++i) {
            if (v[i].y >= low && v[i].y <= high) {
                band.vertices[band.vertex_count++] = static_cast<std::uint8_t>(i);
            }
        }
    }
    return result;
}

constexpr AreaBands SKAWINA_LOCAL_BANDS = make_bands(SKAWINA_LOCAL);
constexpr AreaBands SKAWINA_2000_BANDS = make_bands(SKAWINA_2000);
constexpr AreaBands COUNTY_1965_BANDS = make_bands(COUNTY_1965);
constexpr AreaBands COUNTY_2000_BANDS = make_bands(COUNTY_2000);

int banded_test(const AreaPolygon& area, double x, double y) {
    const AreaBands& bands = *area.bands;
    const auto index = static_cast<int>((y - bands.low_y) * bands.bands_per_metre);
    const AreaBand& band = bands.bands[index < 0 ? 0 : index >= BAND_COUNT ? BAND_COUNT - 1 : index];
    for (int k = 0; k < band.vertex_count; ++k) {
        if (near_vertex(area.vertices[band.vertices[k]], x, y)) {
            return 1;
        }
    }
    int result = 0;
    for (int k = 0; k < band.edge_count; ++k) {
        const int i = band.edges[k];
        result ^= crosses(area.vertices[i], area.vertices[i - 1], x, y);
    }
    return result;
}

}  // namespace

const AreaPolygon AREA_SKAWINA_LOCAL = with_box(SKAWINA_LOCAL, SKAWINA_VERTEX_COUNT, &SKAWINA_LOCAL_BANDS);
const AreaPolygon AREA_SKAWINA_2000 = with_box(SKAWINA_2000, SKAWINA_VERTEX_COUNT, &SKAWINA_2000_BANDS);
const AreaPolygon AREA_COUNTY_1965 = with_box(COUNTY_1965, COUNTY_VERTEX_COUNT, &COUNTY_1965_BANDS);
const AreaPolygon AREA_COUNTY_2000 = with_box(COUNTY_2000, COUNTY_VERTEX_COUNT, &COUNTY_2000_BANDS);

int point_in_area(const AreaPolygon& area, double x, double y) {
    if (far_outside_the_box(area, x, y)) {
        return 0;
    }
    return area.bands != nullptr ? banded_test(area, x, y) : whole_boundary_test(area, x, y);
}

}  // namespace zelwan
