#include "geodesy/height.h"

#include "geodesy/systems.h"

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

double correct_height(const CoordinateSystemInfo& system, HeightSense sense, double x, double y, double h) {
    if (system.height_surface != nullptr) {
        return apply_height_surface(*system.height_surface, x, y, h, sense);
    }
    return sense == HeightSense::inverse ? h + SKAWINA_HEIGHT_SHIFT : h - SKAWINA_HEIGHT_SHIFT;
}

double correct_height(const HeightCorrection& correction, double x, double y, double h) {
    return correct_height(coordinate_system(correction.system), correction.sense, x, y, h);
}

}  // namespace zelwan
