#pragma once
// The command line: the options in one table, the seven arguments, and the one table that turns the
// direction code into definitions of the core. Nothing else reads an option or a code.
#include <cstdint>
#include <span>
#include <string>

#include "driver/run_plan.h"

// Arguments 3 to 7 as given.
struct RunSettings {
    std::int32_t transform_mode;    // 0 X, Y and H; 1 X and Y only; 2 H only
    std::int32_t direction;         // 0 UL Skawina -> 2000, 1 back, 2 1965 -> 2000, 3 back
    std::int32_t height_direction;  // 0 forward, 1 inverse, other values leave H alone
    std::int32_t xy_decimals;       // argument 6 plus 2
    std::int32_t h_decimals;        // argument 7 plus 1
};

// Leading white space, one optional sign, then digits up to the first other character;
// no digits give 0. Values beyond 32 bits saturate instead of wrapping.
std::int32_t parse_int_argument(const char* text);

// Arguments 3 to 7, in that order. No value is rejected.
RunSettings parse_run_settings(const char* const arguments[5]);

// What a direction code names: a transformation, and, when only heights are corrected, the system
// the coordinates are given in; with the log's words for each.
struct DirectionCode {
    const zelwan::PlanarTransformation& transformation;
    const char* outside_message;                             // a point outside the transformation's gate
    const ParameterBlockText& parameter_block;               // in the log of modes 0 and 2
    const zelwan::CoordinateSystemInfo* height_only_system;  // nullptr: the code names none
    const char* height_only_outside_message;                 // a point outside that system's boundary
};

// The codes 0, 1, 2, ... in order.
std::span<const DirectionCode> direction_codes();

// Values outside the lists leave coordinates or heights unchanged and gate nothing.
RunPlan make_run_plan(const RunSettings& settings);

// Options before the seven positional arguments.
struct RunOptions {
    bool strict = false;                  // status 3 when any line is rejected
    const char* map_path = nullptr;       // an SVG map of the run, when given
    const char* delimiters = nullptr;     // in place of line 1 of the separators file
    const char* separator = nullptr;      // in place of line 2
    bool decimal_comma = false;           // numbers read and written with a comma
    bool header = false;                  // the first line is copied, not checked
    bool keep_extra = false;              // fields after H written after it
    const char* rejected_path = nullptr;  // rejected lines go there instead of the result
};

struct CommandLine {
    enum class Request { run, help, version, proj, usage_error };
    Request request = Request::run;
    RunOptions options;
    std::int32_t proj_direction = 0;    // --proj: the direction code whose PROJ pipeline is printed
    char* const* positional = nullptr;  // the seven arguments of a run
    std::string error;                  // what was wrong: one line, with its line end
};

// Leading arguments that start with "--" and have at least seven more after them are options, so
// that a call of exactly seven arguments is always what it has been.
CommandLine parse_command_line(int argc, char* const argv[]);

// What --help prints: the usage block of the manual, with the line of every option.
std::string usage_text();

// What --version prints: the name and the version of the packages, with its line end.
std::string version_text();
