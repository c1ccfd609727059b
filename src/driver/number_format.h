#pragma once
// Numbers in fixed-point notation, rounded the way this converter always has: first to 17
// significant digits (an exact tie to even), then cut and rounded half up in magnitude.
// C libraries disagree about exact ties such as 0.125 to two places, so none is used here.
#include <cstdint>

#include "driver/text_io.h"

// A negative count of decimals writes six. A zero, also a negative one, has no minus sign; a
// negative value that rounds to zero keeps it (-0.001 to two places is -0.00). The point is '.',
// or ',' for a spreadsheet.
void write_fixed(TextWriter& out, double value, std::int32_t decimals, char point = '.');

// The same bytes, always by way of the 17-digit form: the reference for write_fixed's shortcut.
void write_fixed_by_digits(TextWriter& out, double value, std::int32_t decimals, char point = '.');
