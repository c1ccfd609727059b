#pragma once
// The log: its header, and the one formatter of every message text.
#include <cstdint>
#include <ctime>
#include <string_view>

#include "driver/text_io.h"

// Writes a message text: its "%d" becomes number, its "%s" text (bytes as they are, never a
// format), and each "\n" a CR LF line end.
void write_message(TextWriter& out, const char* format, long long number, std::string_view text);

// The block of one Direction; nothing for a Direction outside 0 to 3.
void write_parameter_block(TextWriter& log, std::int32_t direction);

// Everything up to and including the heading of the list of errors and warnings.
void write_log_header(TextWriter& log, const std::tm& start_time, std::int32_t transform_mode,
                      std::int32_t direction, std::string_view input_path);
