#pragma once
// The log's header: everything up to and including the heading of the list of errors and warnings.
#include <ctime>
#include <string_view>

#include "driver/messages.h"
#include "driver/text_io.h"

// The parameter block only when the run has one.
void write_log_header(TextWriter& log, const std::tm& start_time, const ParameterBlockText* block,
                      std::string_view input_path);
