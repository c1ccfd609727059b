#include "geodesy/planar.h"

namespace {

// Outputs are compared to the last bit, so the order of these products and sums is part of
// the result: one step per statement, sums left to right.
void transform_degree2(const PlanarParameters& p, Point& point) {
    const double x = point.x - p.xbp;
    const double y = point.y - p.ybp;
    const double e = x * x - y * y;
    const double xy = y * x;  // p in the formula
    double x_out = p.x_shift + p.a3 * x;
    x_out -= p.a4 * y;
    x_out += p.a5 * e;
    x_out -= (2.0 * p.a6) * xy;
    double y_out = p.a6 * e + p.a3 * y;
    y_out += p.a4 * x;
    y_out += (2.0 * p.a5) * xy;
    y_out += p.y_shift;
    point.x = x_out;
    point.y = y_out;
}

void transform_degree3(const PlanarParameters& p, Point& point, bool linear_before_quadratic) {
    const double x = point.x - p.xbp;
    const double y = point.y - p.ybp;
    const double q = x * x;
    const double s = y * y;
    const double f = q - s;                  // Re z^2
    const double g = y * x;                  // Im z^2 / 2
    const double c = q * x - (s * x) * 3.0;  // Re z^3
    const double t = (g * x) * 3.0 - s * y;  // Im z^3
    double x_out = p.x_shift + p.a3 * x;
    x_out -= p.a4 * y;
    x_out += p.a5 * f;
    x_out -= (2.0 * p.a6) * g;
    x_out += p.a7 * c;
    x_out -= p.a8 * t;
    double y_out = p.a8 * c + p.a7 * t;
    y_out += (2.0 * p.a5) * g;
    // The two directions were fitted and published with these terms in opposite orders.
    if (linear_before_quadratic) {
        y_out += p.a4 * x;
        y_out += p.a6 * f;
    } else {
        y_out += p.a6 * f;
        y_out += p.a4 * x;
    }
    y_out += p.a3 * y;
    y_out += p.y_shift;
    point.x = x_out;
    point.y = y_out;
}

}  // namespace

void transform_points(Point* points, int count, std::int32_t direction) {
    if (direction < 0 || direction > 3) {
        return;
    }
    const PlanarParameters& p = PLANAR_PARAMETERS[direction];
    for (int i = 0; i < count; ++i) {
        if (p.degree == 2) {
            transform_degree2(p, points[i]);
        } else {
            transform_degree3(p, points[i], direction == 3);
        }
    }
}

void transform_point(double& x, double& y, std::int32_t direction) {
    Point point{x, y, 0.0};
    transform_points(&point, 1, direction);
    x = point.x;
    y = point.y;
}
