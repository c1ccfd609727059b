// The worked example through the installed core: a point of Skawina from "2000 S7 21" to
// "UL Skawina", its height corrected by the constant. Exit status 0 when every bit is as expected.
#include <zelwan/geodesy.h>

#include <cstdio>

int main() {
    zelwan::Point p{5541000.0, 7415000.0, 250.0};
    const int inside = zelwan::point_in_area(zelwan::AREA_SKAWINA_2000, p.x, p.y);
    p = zelwan::transform_point(zelwan::Direction::to_skawina, p);
    p.h = zelwan::correct_height({zelwan::CoordinateSystem::skawina_local, zelwan::HeightSense::forward}, p.x,
                                 p.y, p.h);
    std::printf("%d %.17g %.17g %.17g\n", inside, p.x, p.y, p.h);
    return inside == 1 && p.x == -25401.583187410055 && p.y == 302770.9345044297 && p.h == 249.97 ? 0 : 1;
}
