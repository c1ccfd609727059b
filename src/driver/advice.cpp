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
            return message_text(ADVICE_NO_FILE, 0, path);
        }
        case EACCES:  // Windows says so of a folder too
        case EPERM: return message_text(is_folder(path) ? ADVICE_A_FOLDER : ADVICE_NO_PERMISSION, 0, path);
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

std::string code_advice(const RunSettings& settings, const RunPlan& plan) {
    const std::int32_t mode = settings.transform_mode;
    const bool corrects_heights = mode == 0 || mode == 2;
    std::string text;
    if (!corrects_heights && mode != 1) {
        text += message_text(ADVICE_MODE, mode, {});
    }
    if (plan.gate == nullptr) {  // a direction code the table has not, or one that names no system
        const auto codes = static_cast<std::int32_t>(direction_codes().size());
        const bool in_table = settings.direction >= 0 && settings.direction < codes;
        text +=
            message_text(mode == 2 && in_table ? ADVICE_NO_SYSTEM : ADVICE_DIRECTION, settings.direction, {});
    } else if (corrects_heights && plan.height_system == nullptr) {
        text += message_text(ADVICE_HEIGHT_DIRECTION, settings.height_direction, {});
    }
    return text;
}

std::string comma_advice(const RecordCounts& counts, long long comma_lines) {
    const bool most_rejected =
        counts.bad_format > 0 && 2 * counts.bad_format >= counts.written + counts.rejected();
    return most_rejected && 2 * comma_lines >= counts.bad_format ? std::string(ADVICE_COMMA) : std::string();
}
