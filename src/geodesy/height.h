#pragma once
// Height corrections: a quadratic surface over 1965 or 2000 coordinates, or a constant for
// "UL Skawina". Inside the county the surfaces give -0.053 m to -0.030 m.

namespace zelwan {

// N(x, y) = p_x*x + p_y*y - p_xx*x*x - p_xy*x*y - p_yy*y*y - p_0, on full coordinates in metres
// (x northing, y easting), not on offsets. All six are stored positive.
struct HeightSurface {
    double p_x;
    double p_y;
    double p_xx;
    double p_xy;
    double p_yy;
    double p_0;
};

inline constexpr HeightSurface HEIGHT_SURFACE_1965{
    0.000129474513572797, 8.95083119209978e-05, 7.13728380179715e-12,
    1.15434099645343e-11, 2.97831441084529e-12, 553.05454370305,
};
inline constexpr HeightSurface HEIGHT_SURFACE_2000{
    0.000164661911828564, 0.000107963461142907, 7.14876781755111e-12,
    1.15306566970461e-11, 2.96407180183293e-12, 856.761487098313,
};

// The correction over "UL Skawina": forward subtracts it, inverse adds it.
inline constexpr double SKAWINA_HEIGHT_SHIFT = 0.03;

enum class HeightSense {
    forward,  // adds N(x, y); subtracts the Skawina constant
    inverse,  // subtracts N(x, y); adds the Skawina constant
};

double apply_height_surface(const HeightSurface& surface, double x, double y, double h, HeightSense sense);

// A coordinate system by name; its definition, with the surface or the constant that corrects
// heights given in it, is coordinate_system(...) in systems.h.
enum class CoordinateSystem {
    skawina_local,  // "UL Skawina"
    county_1965,    // "1965 pow krakowski"
    zone7_2000,     // "2000 S7 21"
};

struct HeightCorrection {
    CoordinateSystem system;  // the one the point's x and y are given in
    HeightSense sense;
};

// h corrected at (x, y), metres in the correction's system.
double correct_height(const HeightCorrection& correction, double x, double y, double h);

}  // namespace zelwan
