#pragma once
// The four planar transformations between "UL Skawina", "2000 S7 21" and "1965 pow krakowski".
#include "area.h"  // same folder, in the sources and where the core is installed

namespace zelwan {

// The four transformations, in the order of the table below.
enum class Direction {
    from_skawina,  // "UL Skawina" => "2000 S7 21"
    to_skawina,    // "2000 S7 21" => "UL Skawina"
    from_1965,     // "1965 pow krakowski" => "2000 S7 21"
    to_1965,       // "2000 S7 21" => "1965 pow krakowski"
};

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
    double x_shift;            // xbw + a1, summed once
    double y_shift;            // ybw + a2, summed once
    bool y_adds_a4_before_a6;  // the two cubic directions were fitted with these terms swapped
};

constexpr PlanarParameters make_planar_parameters(int degree, double xbp, double ybp, double xbw, double ybw,
                                                  double a1, double a2, double a3, double a4, double a5,
                                                  double a6, double a7, double a8, bool y_adds_a4_before_a6) {
    return {degree, xbp, ybp, xbw, ybw, a1,       a2,       a3,
            a4,     a5,  a6,  a7,  a8,  xbw + a1, ybw + a2, y_adds_a4_before_a6};
}

// The way back has its own coefficients, not the algebraic inverse:
// a round trip comes home only to within a few micrometres.
// clang-format off
inline constexpr PlanarParameters PLANAR_PARAMETERS[4] = {
    // "UL Skawina" => "2000 S7 21". a3 near -1: the local axes point the other way.
    make_planar_parameters(2, -25645.59375, 301968.10625, 5541276.3565, 7415792.215375,
        0.00566436069266274, 0.0253382152253607, -0.999138812971804, 0.0405582533306803,
        1.21431557539671e-10, 9.12649499124223e-10, 0.0, 0.0, false),
    // "2000 S7 21" => "UL Skawina"
    make_planar_parameters(2, 5541276.3565, 7415792.215375, -25645.59375, 301968.10625,
        0.00463195810692696, 0.0255480615086299, -0.999215413362243, -0.0405613627779229,
        9.72666449133527e-12, 9.20747222215117e-10, 0.0, 0.0, false),
    // "1965 pow krakowski" => "2000 S7 21"
    make_planar_parameters(3, 5410037.1898, 4556931.698, 5552847.52272, 7425759.87548,
        0.079572087191579, 0.0247940761232996, 1.00012379553458, -0.00118043397773202,
        3.25783585451348e-10, 4.10668920546648e-10, -1.74009549582911e-15, 4.00954626604153e-16, false),
    // "2000 S7 21" => "1965 pow krakowski"
    make_planar_parameters(3, 5552847.52272, 7425759.87548, 5410037.1898, 4556931.698,
        -0.0795333602057191, -0.0248853191929754, 0.999874826915361, 0.00118014018898741,
        -3.24204661995697e-10, -4.11665629248011e-10, 1.74097284863662e-15, -3.91986103564532e-16, true),
};
// clang-format on

constexpr const PlanarParameters& planar_parameters(Direction direction) {
    return PLANAR_PARAMETERS[static_cast<int>(direction)];
}

// The point with x and y carried into the output system; h is never touched. No area test:
// the polynomial applies to whatever it is given.
Point transform_point(const PlanarParameters& p, Point point);

inline Point transform_point(Direction direction, Point point) {
    return transform_point(planar_parameters(direction), point);
}

}  // namespace zelwan
