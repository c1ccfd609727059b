#include "geodesy/height.h"

namespace {

enum class HeightForm { unchanged, skawina_shift, surface_1965, surface_2000 };

// Which correction applies is decided by the system of the X and Y handed along with H.
HeightForm height_form(std::int32_t mode, std::int32_t direction) {
    if (mode == 0) {  // X and Y are already in the output system of the direction
        switch (direction) {
            case 0: return HeightForm::surface_2000;
            case 1: return HeightForm::skawina_shift;
            case 2: return HeightForm::surface_2000;
            case 3: return HeightForm::surface_1965;
            default: return HeightForm::unchanged;
        }
    }
    if (mode == 2) {  // heights only: the direction names the system of the input
        switch (direction) {
            case 0: return HeightForm::skawina_shift;
            case 1: return HeightForm::surface_1965;
            case 2: return HeightForm::surface_2000;
            default: return HeightForm::unchanged;
        }
    }
    return HeightForm::unchanged;
}

}  // namespace

double apply_height_surface(const HeightSurface& surface, double x, double y, double h, bool inverse) {
    // S is about 553 or 857 and N the small difference of two nearly equal numbers:
    // this order reproduces the published heights to the last bit.
    const double a = surface.p_xx * x + surface.p_xy * y;
    const double b = (surface.p_x - a) * x;
    const double c = (surface.p_y - surface.p_yy * y) * y;
    const double s = b + c;
    if (inverse) {
        return h - (s - surface.p_0);
    }
    return (s + h) - surface.p_0;
}

double transform_height(const RunSettings& settings, double x, double y, double h) {
    if (settings.HeightDirection != 0 && settings.HeightDirection != 1) {
        return h;
    }
    const bool inverse = settings.HeightDirection == 1;
    switch (height_form(settings.TransformMode, settings.Direction)) {
        case HeightForm::skawina_shift: return inverse ? h + SKAWINA_HEIGHT_SHIFT : h - SKAWINA_HEIGHT_SHIFT;
        case HeightForm::surface_1965: return apply_height_surface(HEIGHT_SURFACE_1965, x, y, h, inverse);
        case HeightForm::surface_2000: return apply_height_surface(HEIGHT_SURFACE_2000, x, y, h, inverse);
        case HeightForm::unchanged: break;
    }
    return h;
}
