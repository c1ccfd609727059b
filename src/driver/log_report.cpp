#include "driver/log_report.h"

#include "driver/message_format.h"

namespace {

void write_parameter_block(TextWriter& log, const ParameterBlockText& block) {
    for (const char* line : {block.title, block.formula_x, block.formula_y, block.input_origin,
                             block.output_origin, LOG_CENTRING}) {
        write_message(log, line, 0, {});
    }
    for (const char* line : block.coefficients) {
        if (line != nullptr) {
            write_message(log, line, 0, {});
        }
    }
}

}  // namespace

void write_log_header(TextWriter& log, const std::tm& start_time, const ParameterBlockText* block,
                      std::string_view input_path) {
    char stamp[40];
    const std::size_t length = std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &start_time);
    write_message(log, LOG_PROGRAM, 0, LOG_PROGRAM_VERSION);
    write_message(log, LOG_TIME, 0, std::string_view(stamp, length));
    write_message(log, LOG_PARAMETERS, 0, {});
    if (block != nullptr) {
        write_parameter_block(log, *block);
    }
    write_message(log, LOG_INPUT_PATH, 0, input_path);
    write_message(log, LOG_LIST_HEADING, 0, {});
}
