#include "geodesy/planar.h"

namespace zelwan {
namespace {

// Outputs are compared to the last bit, so the order of these products and sums is part of
// the result: one step per statement, sums left to right.
Point transform_degree2(const PlanarParameters& p, Point point) {
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
    return {x_out, y_out, point.h};
}

Point transform_degree3(const PlanarParameters& p, Point point) {
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
    if (p.y_adds_a4_before_a6) {
        y_out += p.a4 * x;
        y_out += p.a6 * f;
    } else {
        y_out += p.a6 * f;
        y_out += p.a4 * x;
    }
    y_out += p.a3 * y;
    y_out += p.y_shift;
    return {x_out, y_out, point.h};
}

}  // namespace

Point transform_point(const PlanarParameters& p, Point point) {
    return p.degree == 2 ? transform_degree2(p, point) : transform_degree3(p, point);
}

}  // namespace zelwan
