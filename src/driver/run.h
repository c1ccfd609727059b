#pragma once
// One run of the program, from the command line to the exit status.
#include <string>
#include <string_view>

#include "driver/text_io.h"

// Exit statuses a calling script can tell apart.
inline constexpr int EXIT_COMPLETE = 0;
inline constexpr int EXIT_FAILED = 1;         // start-up failure, unreadable input, failed write
inline constexpr int EXIT_USAGE = 2;          // fewer than seven arguments
inline constexpr int EXIT_CLOSE_FAILED = -1;  // the output's last data could not be written

struct Separators {
    std::string input_delimiters;  // any of these characters separates input fields
    std::string output_separator;  // written between output fields, never empty
};

// Lines 1 and 2 of the separators file. nullptr on success, else the start-up message.
const char* read_separators(ByteSource& source, Separators& separators);

int run(int argc, char* argv[]);
