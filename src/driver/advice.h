#pragma once
// Words for a person at a terminal (or on the page): why a start failed, where a result goes, what a
// code outside its list does, what a file of spreadsheet numbers needs. A calling tool never sees
// them: standard output and the files stay as they always were. Plain ASCII, as the summary.
#include <string>
#include <string_view>

#include "driver/command_line.h"
#include "driver/summary.h"

// Why `path` could not be opened, from the system's error number; "" when it has nothing to add.
std::string open_failure_advice(std::string_view path, int error);

// When the output directory names an existing folder but has no separator at its end: that the
// result goes elsewhere, and where. "" otherwise.
std::string output_folder_advice(std::string_view output_directory, std::string_view output_path);

// A line for each code outside its list, saying what the run, as planned, then does not do. ""
// when none.
std::string code_advice(const RunSettings& settings, const RunPlan& plan);

// When most lines were rejected for their format and held decimal commas: --decimal-comma.
std::string comma_advice(const RecordCounts& counts, long long comma_lines);
