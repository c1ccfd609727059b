#pragma once
// Names of the output file and the log, composed from the input path and the output directory.
// Both separators, '\' and '/', and a drive letter are understood on every platform.
#include <string>
#include <string_view>

struct PathParts {
    std::string drive;      // "C:" or empty
    std::string directory;  // up to and including the last '\' or '/'
    std::string base;
    std::string extension;  // from the last '.' of the name, the dot included
};

PathParts split_path(std::string_view path);
std::string join_path(const PathParts& parts);

struct OutputPaths {
    std::string output;  // the input's base name + "_wynik" + its extension
    std::string log;     // output + ".log"
};

// output_directory "-" puts the output beside the input; any other text gives drive and directory,
// and what follows its last separator is dropped.
OutputPaths build_output_paths(std::string_view input_path, std::string_view output_directory);
