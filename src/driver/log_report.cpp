#include "driver/log_report.h"

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

void write_message(TextWriter& out, const char* format, long long number, std::string_view text) {
    std::string_view rest = format;
    while (!rest.empty()) {
        const std::size_t special = rest.find_first_of("%\n");
        out.write(rest.substr(0, special));  // literal text goes out in runs, not byte by byte
        if (special == std::string_view::npos) {
            return;
        }
        rest.remove_prefix(special);
        if (rest.starts_with("%d")) {
            char digits[INTEGER_TEXT_SIZE];
            out.write(integer_text(number, digits));
            rest.remove_prefix(2);
        } else if (rest.starts_with("%s")) {
            out.write(text);
            rest.remove_prefix(2);
        } else if (rest.starts_with('\n')) {
            out.end_line();
            rest.remove_prefix(1);
        } else {
            out.put(rest[0]);
            rest.remove_prefix(1);
        }
    }
}

void write_log_header(TextWriter& log, const std::tm& start_time, const ParameterBlockText* block,
                      std::string_view input_path) {
    char stamp[40];
    const std::size_t length = std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &start_time);
    write_message(log, LOG_PROGRAM, 0, PROGRAM_VERSION);
    write_message(log, LOG_TIME, 0, std::string_view(stamp, length));
    write_message(log, LOG_PARAMETERS, 0, {});
    if (block != nullptr) {
        write_parameter_block(log, *block);
    }
    write_message(log, LOG_INPUT_PATH, 0, input_path);
    write_message(log, LOG_LIST_HEADING, 0, {});
}
