#pragma once
// What happens to a height that came with a point: zero passes, 100 to 600 m is required,
// and then it is corrected.
#include "driver/records.h"

inline constexpr double LOWEST_HEIGHT = 100.0;
inline constexpr double HIGHEST_HEIGHT = 600.0;

// Writes the rest of the output line for a point with H, or rejects the line.
void finish_height_line(RecordLoop& loop, PointRecord& record);
