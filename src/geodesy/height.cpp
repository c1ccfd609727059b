#include "geodesy/height.h"

namespace zelwan {

double apply_height_surface(const HeightSurface& surface, double x, double y, double h, HeightSense sense) {
    // S is about 553 or 857 and N the small difference of two nearly equal numbers:
    // this order reproduces the published heights to the last bit.
    const double a = surface.p_xx * x + surface.p_xy * y;
    const double b = (surface.p_x - a) * x;
    const double c = (surface.p_y - surface.p_yy * y) * y;
    const double s = b + c;
    if (sense == HeightSense::inverse) {
        return h - (s - surface.p_0);
    }
    return (s + h) - surface.p_0;
}

double correct_height(const HeightCorrection& correction, double x, double y, double h) {
    switch (correction.system) {
        case CoordinateSystem::skawina_local:
            return correction.sense == HeightSense::inverse ? h + SKAWINA_HEIGHT_SHIFT
                                                            : h - SKAWINA_HEIGHT_SHIFT;
        case CoordinateSystem::county_1965:
            return apply_height_surface(HEIGHT_SURFACE_1965, x, y, h, correction.sense);
        case CoordinateSystem::zone7_2000:
            return apply_height_surface(HEIGHT_SURFACE_2000, x, y, h, correction.sense);
    }
    return h;
}

}  // namespace zelwan
