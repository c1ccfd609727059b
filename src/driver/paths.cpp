#include "driver/paths.h"

namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

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

std::string join_path(const PathParts& parts) {
    std::string path;
    if (!parts.drive.empty()) {
        path += parts.drive[0];
        path += ':';
    }
    path += parts.directory;
    if (!parts.directory.empty() && !is_separator(parts.directory.back())) {
        path += '\\';
    }
    path += parts.base;
    if (!parts.extension.empty() && parts.extension[0] != '.') {
        path += '.';
    }
    path += parts.extension;
    return path;
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
