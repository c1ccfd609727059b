#include "driver/advice.h"

#include <cerrno>
#include <filesystem>

#include "driver/message_format.h"
#include "driver/messages.h"

namespace {

bool is_there(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool is_folder(std::string_view path) {
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::path(path), error);
}

}  // namespace

std::string open_failure_advice(std::string_view path, int error) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    switch (error) {
        case ENOENT: {
            if (!folder.empty() && !is_there(folder)) {
                return message_text(ADVICE_NO_FOLDER, 0, folder.string());
            }
            std::string text = message_text(ADVICE_NO_FILE, 0, path);
            return path == SEPARATORS_FILE_NAME ? text + ADVICE_SEPARATORS : text;
        }
        case EACCES:
        case EPERM: return message_text(ADVICE_NO_PERMISSION, 0, path);
        case EISDIR: return message_text(ADVICE_A_FOLDER, 0, path);
        case EROFS: return message_text(ADVICE_READ_ONLY, 0, path);
        case ENOSPC: return message_text(ADVICE_DISK_FULL, 0, path);
        case 0: return {};
        default: return message_text(ADVICE_SYSTEM_ERROR, error, path);
    }
}

std::string output_folder_advice(std::string_view output_directory, std::string_view output_path) {
    if (output_directory.empty() || output_directory == "-" || output_directory.ends_with('/') ||
        output_directory.ends_with('\\') || !is_folder(output_directory)) {
        return {};
    }
    return message_text(ADVICE_FOLDER_WITHOUT_SLASH, 0, output_directory) +
           message_text(ADVICE_RESULT_GOES, 0, output_path);
}

std::string code_advice(const RunSettings& settings) {
    const auto codes = static_cast<std::int32_t>(direction_codes().size());
    const std::int32_t mode = settings.transform_mode;
    const std::int32_t direction = settings.direction;
    std::string text;
    if (mode < 0 || mode > 2) {
        text += message_text(ADVICE_MODE, mode, {});
    }
    if (direction < 0 || direction >= codes) {
        return text + message_text(ADVICE_DIRECTION, direction, {});
    }
    const bool names_system =
        direction_codes()[static_cast<std::size_t>(direction)].height_only_system != nullptr;
    if (mode == 2 && !names_system) {
        return text + message_text(ADVICE_NO_SYSTEM, direction, {});
    }
    if ((mode == 0 || mode == 2) && settings.height_direction != 0 && settings.height_direction != 1) {
        text += message_text(ADVICE_HEIGHT_DIRECTION, settings.height_direction, {});
    }
    return text;
}

std::string comma_advice(const RecordCounts& counts, long long comma_lines) {
    const bool most_rejected = counts.bad_format > 0 && counts.bad_format >= counts.written;
    return most_rejected && 2 * comma_lines >= counts.bad_format ? std::string(ADVICE_COMMA) : std::string();
}
