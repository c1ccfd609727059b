#include "driver/paths.h"

PathParts split_path(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const std::size_t last_separator = path.find_last_of("\\/");
    if (last_separator != std::string_view::npos) {
        parts.directory = path.substr(0, last_separator + 1);
        path.remove_prefix(last_separator + 1);
    }
    const std::size_t dot = path.rfind('.');
    if (dot != std::string_view::npos) {
        parts.extension = path.substr(dot);
        path = path.substr(0, dot);
    }
    parts.base = path;
    return parts;
}

// The parts as split_path gives them: a directory that ends with its separator, an extension that
// starts with its dot.
std::string join_path(const PathParts& parts) {
    return parts.drive + parts.directory + parts.base + parts.extension;
}

OutputPaths build_output_paths(std::string_view input_path, std::string_view output_directory) {
    const PathParts input = split_path(input_path);
    PathParts output = output_directory == "-" ? input : split_path(output_directory);
    output.base = input.base + "_wynik";
    output.extension = input.extension;
    OutputPaths paths;
    paths.output = join_path(output);
    paths.log = paths.output + ".log";
    return paths;
}
