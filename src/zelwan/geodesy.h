#pragma once
// The geodesy core of zelwan for other programs, in one header: the area boundaries of Skawina and
// Kraków county with the point-in-area test, the four planar transformations between "UL Skawina",
// "2000 S7 21" and "1965 pow krakowski", the height corrections, and one definition of each system
// and transformation. Pure functions on doubles in metres, exact to the last bit; nothing is read or
// written. Everything is in namespace zelwan.
//
// With CMake: find_package(zelwan 2.1) and target_link_libraries(... zelwan::geodesy).
#include "geodesy/area.h"
#include "geodesy/height.h"
#include "geodesy/planar.h"
#include "geodesy/systems.h"
