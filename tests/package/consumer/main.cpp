// The worked example through the installed core: a point of Skawina from "2000 S7 21" to
// "UL Skawina", its height corrected by the constant. Exit status 0 when every bit is as expected.
#include <zelwan/geodesy.h>

#include <cstdio>

int main() {
    double x = 5541000.0;
    double y = 7415000.0;
    const int inside = point_in_area(AREA_SKAWINA_2000, x, y);
    const int outside = point_in_area(AREA_COUNTY_1965, x, y);  // a 2000 point is far from the 1965 area
    transform_point(x, y, 1);
    const RunSettings settings{0, 1, 0, 3, 2};
    const double h = transform_height(settings, x, y, 250.0);
    std::printf("%d %d %.17g %.17g %.17g\n", inside, outside, x, y, h);
    const bool exact = x == -25401.583187410055 && y == 302770.9345044297 && h == 249.97;
    return inside == 1 && outside == 0 && exact ? 0 : 1;
}
