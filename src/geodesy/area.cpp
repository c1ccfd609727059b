#include "geodesy/area.h"

#include <cmath>

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

bool near_a_vertex(const AreaPolygon& area, double x, double y) {
    for (std::int32_t k = 0; k < area.count; ++k) {
        const Point& vertex = area.vertices[k];
        if (std::fabs(vertex.x - x) < VERTEX_TOLERANCE && std::fabs(vertex.y - y) < VERTEX_TOLERANCE) {
            return true;
        }
    }
    return false;
}

// Even-odd count of the edges that cross the ray from (x, y) towards increasing X.
// An end exactly at the ray's Y counts as below it, so a vertex on the ray is counted once
// where the boundary crosses there and an even number of times where it only touches.
int crossing_parity(const AreaPolygon& area, double x, double y) {
    int result = 0;
    for (std::int32_t i = 0; i < area.count; ++i) {
        const Point& a = area.vertices[i];
        const Point& b = area.vertices[i == 0 ? area.count - 1 : i - 1];
        if ((y < a.y) == (y < b.y)) {
            continue;  // also every edge with equal Y at both ends: no zero divisor below
        }
        const double dy = y - a.y;
        const double dx = b.x - a.x;
        const double product = dy * dx;
        const double quotient = product / (b.y - a.y);
        const double x_crossing = quotient + a.x;
        if (x < x_crossing) {
            result ^= 1;
        }
    }
    return result;
}

// A metre beyond the box is far more than the vertex tolerance and than any rounding of a
// crossing: such a point is outside, and no edge crosses its ray an odd number of times.
bool far_outside_the_box(const AreaPolygon& area, double x, double y) {
    return x < area.min_x - 1.0 || x > area.max_x + 1.0 || y < area.min_y - 1.0 || y > area.max_y + 1.0;
}

// The polygon with its bounding box.
constexpr AreaPolygon with_box(const Point* vertices, std::int32_t count) noexcept {
    AreaPolygon area{vertices, count, vertices[0].x, vertices[0].x, vertices[0].y, vertices[0].y};
    for (std::int32_t k = 1; k < count; ++k) {
        area.min_x = vertices[k].x < area.min_x ? vertices[k].x : area.min_x;
        area.max_x = vertices[k].x > area.max_x ? vertices[k].x : area.max_x;
        area.min_y = vertices[k].y < area.min_y ? vertices[k].y : area.min_y;
        area.max_y = vertices[k].y > area.max_y ? vertices[k].y : area.max_y;
    }
    return area;
}

}  // namespace

const AreaPolygon AREA_SKAWINA_LOCAL = with_box(SKAWINA_LOCAL, SKAWINA_VERTEX_COUNT);
const AreaPolygon AREA_SKAWINA_2000 = with_box(SKAWINA_2000, SKAWINA_VERTEX_COUNT);
const AreaPolygon AREA_COUNTY_1965 = with_box(COUNTY_1965, COUNTY_VERTEX_COUNT);
const AreaPolygon AREA_COUNTY_2000 = with_box(COUNTY_2000, COUNTY_VERTEX_COUNT);

int point_in_area(const AreaPolygon& area, double x, double y) {
    if (far_outside_the_box(area, x, y)) {
        return 0;
    }
    if (near_a_vertex(area, x, y)) {
        return 1;
    }
    return crossing_parity(area, x, y);
}

}  // namespace zelwan
