#pragma once
// One run of the program, from the command line to the exit status.
#include <ctime>
#include <string>
#include <string_view>

#include "driver/command_line.h"
#include "driver/paths.h"
#include "driver/run_plan.h"
#include "driver/text_io.h"
#include "driver/watcher.h"

// Exit statuses a calling script can tell apart.
inline constexpr int EXIT_COMPLETE = 0;
inline constexpr int EXIT_FAILED = 1;         // start-up failure, unreadable input, failed write
inline constexpr int EXIT_USAGE = 2;          // fewer than seven arguments, or options amiss
inline constexpr int EXIT_REJECTED = 3;       // --strict: a complete run that rejected lines
inline constexpr int EXIT_CLOSE_FAILED = -1;  // the output's last data could not be written

// Where a run's messages go: standard output in the program, and whoever watches.
struct Console {
    ByteSink& out;                  // start-up and failure messages, the usage text
    RunWatcher* watcher = nullptr;  // nullptr: nobody watches, and nothing is spent on it
};

struct Separators {
    std::string input_delimiters;  // any of these characters separates input fields
    std::string output_separator;  // written between output fields, never empty
};

// Lines 1 and 2 of the separators file, or line 1 alone. nullptr on success, else the start-up
// message.
const char* read_separators(ByteSource& source, Separators& separators, bool both_lines = true);

// What a run is told before its files are open.
struct RunConfig {
    std::tm start_time;
    RunPlan plan;
    Separators separators;
    const char* input_path;  // argument 1, as passed
    OutputPaths paths;
    RunOptions options;
};

// Everything once the files are open: the log header, the records, closing the output, the log and
// the file of rejected lines (when asked for), and the exit status, with its message on the
// console when something failed.
int convert_file(const RunConfig& config, LineReader& input, ByteSink& output, ByteSink& log,
                 Console& console, ByteSink* rejected = nullptr);

int run(int argc, char* argv[], Console& console);
// The program's own run, with its own console (program.cpp; web/program.cpp in the page).
int run(int argc, char* argv[]);
