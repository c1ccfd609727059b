#pragma once
// The four planar transformations between "UL Skawina", "2000 S7 21" and "1965 pow krakowski".
#include <cstdint>

#include "area.h"  // same folder, in the sources and where the core is installed

// One conformal polynomial in the offset from the input origin, under the names the log prints.
struct PlanarParameters {
    int degree;  // 2 or 3; degree 2 has no cubic terms at all
    double xbp;  // input origin, subtracted from X
    double ybp;  // input origin, subtracted from Y
    double xbw;  // output origin
    double ybw;
    double a1;  // small shifts of the output origin
    double a2;
    double a3;  // scale and rotation
    double a4;
    double a5;  // quadratic
    double a6;
    double a7;  // cubic, degree 3 only
    double a8;
    double x_shift;  // xbw + a1, summed once
    double y_shift;  // ybw + a2, summed once
};

constexpr PlanarParameters make_planar_parameters(int degree, double xbp, double ybp, double xbw, double ybw,
                                                  double a1, double a2, double a3, double a4, double a5,
                                                  double a6, double a7, double a8) {
    return {degree, xbp, ybp, xbw, ybw, a1, a2, a3, a4, a5, a6, a7, a8, xbw + a1, ybw + a2};
}

// Indexed by Direction. The way back has its own coefficients, not the algebraic inverse:
// a round trip comes home only to within a few micrometres.
// clang-format off
inline constexpr PlanarParameters PLANAR_PARAMETERS[4] = {
    // 0: "UL Skawina" => "2000 S7 21". a3 near -1: the local axes point the other way.
    make_planar_parameters(2, -25645.59375, 301968.10625, 5541276.3565, 7415792.215375,
        0.00566436069266274, 0.0253382152253607, -0.999138812971804, 0.0405582533306803,
        1.21431557539671e-10, 9.12649499124223e-10, 0.0, 0.0),
    // 1: "2000 S7 21" => "UL Skawina"
    make_planar_parameters(2, 5541276.3565, 7415792.215375, -25645.59375, 301968.10625,
        0.00463195810692696, 0.0255480615086299, -0.999215413362243, -0.0405613627779229,
        9.72666449133527e-12, 9.20747222215117e-10, 0.0, 0.0),
    // 2: "1965 pow krakowski" => "2000 S7 21"
    make_planar_parameters(3, 5410037.1898, 4556931.698, 5552847.52272, 7425759.87548,
        0.079572087191579, 0.0247940761232996, 1.00012379553458, -0.00118043397773202,
        3.25783585451348e-10, 4.10668920546648e-10, -1.74009549582911e-15, 4.00954626604153e-16),
    // 3: "2000 S7 21" => "1965 pow krakowski"
    make_planar_parameters(3, 5552847.52272, 7425759.87548, 5410037.1898, 4556931.698,
        -0.0795333602057191, -0.0248853191929754, 0.999874826915361, 0.00118014018898741,
        -3.24204661995697e-10, -4.11665629248011e-10, 1.74097284863662e-15, -3.91986103564532e-16),
};
// clang-format on

// Transforms x and y of the first count points in place with the transformation of direction;
// a direction outside 0 to 3 changes nothing. h is never touched.
void transform_points(Point* points, int count, std::int32_t direction);

void transform_point(double& x, double& y, std::int32_t direction);
