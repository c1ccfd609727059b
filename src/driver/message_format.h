#pragma once
// The one formatter of every message text, for the log, the map and standard output alike.
#include <string>
#include <string_view>
#include <utility>

#include "driver/text_io.h"

// Writes format with its "%d" as number, its "%s" as text (bytes as they are, never a format) and
// each "\n" as the writer's line end. Only the format is walked: a format without "%s" reads no text.
template <typename Writer>
void write_message(Writer& out, std::string_view format, long long number, std::string_view text) {
    while (!format.empty()) {
        const std::size_t special = format.find_first_of("%\n");
        out.write(format.substr(0, special));  // literal text goes out in runs, not byte by byte
        if (special == std::string_view::npos) {
            return;
        }
        format.remove_prefix(special);
        if (format.starts_with("%d")) {
            char digits[INTEGER_TEXT_SIZE];
            out.write(integer_text(number, digits));
            format.remove_prefix(2);
        } else if (format.starts_with("%s")) {
            out.write(text);
            format.remove_prefix(2);
        } else if (format.starts_with('\n')) {
            out.end_line();
            format.remove_prefix(1);
        } else {
            out.write(format.substr(0, 1));
            format.remove_prefix(1);
        }
    }
}

// The message as a string whose line ends are "\n", for standard output.
inline std::string message_text(std::string_view format, long long number, std::string_view text) {
    struct StringWriter {
        std::string text;
        void write(std::string_view piece) { text += piece; }
        void end_line() { text += '\n'; }
    } out;
    write_message(out, format, number, text);
    return std::move(out.text);
}
