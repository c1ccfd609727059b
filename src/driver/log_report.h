#pragma once
// The log: its header, and the one formatter of every message text.
#include <ctime>
#include <string_view>

#include "driver/messages.h"
#include "driver/text_io.h"

// Writes a message text: its "%d" becomes number, its "%s" text (bytes as they are, never a
// format), and each "\n" a CR LF line end.
void write_message(TextWriter& out, const char* format, long long number, std::string_view text);

// Everything up to and including the heading of the list of errors and warnings; the parameter
// block only when the run has one.
void write_log_header(TextWriter& log, const std::tm& start_time, const ParameterBlockText* block,
                      std::string_view input_path);
