#pragma once
// Which boundary a point must lie inside before it is converted, and what the log says if not.
#include "geodesy/area.h"
#include "geodesy/settings.h"

// The point's X and Y as read, in the system of the run's input. nullptr when the point is
// accepted; otherwise the message that rejects its line.
const char* check_point_area(const RunSettings& settings, const Point& point);
