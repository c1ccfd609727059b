#include "driver/command_line.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "driver/message_format.h"
#include "driver/messages.h"
// USAGE_HEAD and USAGE_TAIL: the manual's usage block before and after its option lines, made at
// configure time from zelwan.1.
#include "driver/program_texts.h"

namespace {

using zelwan::Direction;
using zelwan::planar_transformation;

constexpr std::int64_t INT32_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t INT32_HIGH = std::numeric_limits<std::int32_t>::max();

bool is_leading_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::int32_t saturate(std::int64_t value) {
    if (value < INT32_LOW) {
        return static_cast<std::int32_t>(INT32_LOW);
    }
    if (value > INT32_HIGH) {
        return static_cast<std::int32_t>(INT32_HIGH);
    }
    return static_cast<std::int32_t>(value);
}

constexpr DirectionCode DIRECTION_CODES[] = {
    {planar_transformation(Direction::from_skawina), MSG_OUTSIDE_SKAWINA, BLOCK_FROM_SKAWINA,
     &zelwan::SYSTEM_SKAWINA_LOCAL, MSG_H_OUTSIDE_SKAWINA},
    {planar_transformation(Direction::to_skawina), MSG_OUTSIDE_SKAWINA, BLOCK_TO_SKAWINA,
     &zelwan::SYSTEM_COUNTY_1965, MSG_H_OUTSIDE_1965},
    {planar_transformation(Direction::from_1965), MSG_OUTSIDE_COUNTY, BLOCK_FROM_1965,
     &zelwan::SYSTEM_ZONE7_2000, MSG_H_OUTSIDE_2000},
    {planar_transformation(Direction::to_1965), MSG_OUTSIDE_COUNTY, BLOCK_TO_1965, nullptr, nullptr},
};
// The PROJ files are named by the core's Direction (zelwan-2.pipeline), which must then be the code
// that prints the same pipeline with --proj.
constexpr bool codes_follow_directions() {
    std::size_t code = 0;
    for (const DirectionCode& row : DIRECTION_CODES) {
        if (static_cast<std::size_t>(row.transformation.direction) != code++) {
            return false;
        }
    }
    return true;
}
static_assert(codes_follow_directions(), "each direction code is its transformation's Direction");

// Heights are corrected only with height direction 0 or 1; other values leave them as read.
void take_height(RunPlan& plan, const zelwan::CoordinateSystemInfo& system, std::int32_t height_direction) {
    if (height_direction == 0 || height_direction == 1) {
        plan.height_system = &system;
        plan.height_sense =
            height_direction == 0 ? zelwan::HeightSense::forward : zelwan::HeightSense::inverse;
    }
}

// A line of the separators file in place of the file: what is wrong with it, or nullptr.
const char* separator_line_problem(std::string_view value) {
    if (value.empty()) {
        return USAGE_EMPTY;
    }
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return USAGE_LINE_END;
    }
    return value.size() > LINE_PIECE_MAX ? USAGE_TOO_LONG : nullptr;
}

// An option's row: adding an option is a row here and its handling in the run.
struct OptionRow {
    std::string_view name;
    const char* value;  // what it takes, as "--map bez nazwy pliku" names it; nullptr: nothing
    const char* help;   // its line of the usage text
    // Takes the option's value; returns what is wrong with it ("%s" the option), or nullptr.
    const char* (*take)(RunOptions& options, const char* value);
};

// clang-format off
constexpr OptionRow OPTION_ROWS[] = {
    {"--strict", nullptr, "  --strict            kod wyjscia 3, gdy log zawiera blad (poza ostrzezeniem)\n",
     [](RunOptions& o, const char*) -> const char* { o.strict = true; return nullptr; }},
    {"--map", "nazwy pliku", "  --map MAPA          mapa przebiegu w SVG: granica obszaru i punkty\n",
     [](RunOptions& o, const char* value) -> const char* { o.map_path = value; return nullptr; }},
    {"--delimiters", "znakow", "  --delimiters ZNAKI  znaki rozdzielajace pola (zamiast linii 1 separatory.txt)\n",
     [](RunOptions& o, const char* value) { o.delimiters = value; return separator_line_problem(value); }},
    {"--separator", "tekstu", "  --separator TEKST   separator pol wyniku (zamiast linii 2 separatory.txt)\n",
     [](RunOptions& o, const char* value) { o.separator = value; return separator_line_problem(value); }},
    {"--decimal-comma", nullptr, "  --decimal-comma     liczby z przecinkiem dziesietnym, czytane i zapisywane\n",
     [](RunOptions& o, const char*) -> const char* { o.decimal_comma = true; return nullptr; }},
    {"--header", nullptr, "  --header            pierwsza linia to naglowek, przepisywany bez zmian\n",
     [](RunOptions& o, const char*) -> const char* { o.header = true; return nullptr; }},
    {"--keep-extra", nullptr, "  --keep-extra        pola po H (np. kod punktu) zapisywane po H\n",
     [](RunOptions& o, const char*) -> const char* { o.keep_extra = true; return nullptr; }},
    {"--rejected", "nazwy pliku", "  --rejected PLIK     linie odrzucone do PLIK zamiast do wyniku\n",
     [](RunOptions& o, const char* value) -> const char* {
         o.rejected_path = value;
         return *value == '\0' ? USAGE_EMPTY : nullptr;
     }},
};
// clang-format on

const OptionRow* find_option(std::string_view name) {
    const auto row = std::find_if(std::begin(OPTION_ROWS), std::end(OPTION_ROWS),
                                  [name](const OptionRow& option) { return option.name == name; });
    return row == std::end(OPTION_ROWS) ? nullptr : &*row;
}

bool asks_alone(std::string_view argument) {
    return argument == "--help" || argument == "-h" || argument == "--version";
}

constexpr std::string_view PROJ_OPTION = "--proj";

// What a call that asks alone, among other arguments, is told; nullptr for any other argument.
const char* alone_message(std::string_view argument) {
    if (argument == PROJ_OPTION) {
        return USAGE_PROJ_ALONE;
    }
    return asks_alone(argument) ? USAGE_ALONE : nullptr;
}

CommandLine usage_error(std::string_view format, std::string_view argument, long long number = 0) {
    CommandLine line;
    line.request = CommandLine::Request::usage_error;
    line.error = message_text(format, number, argument);
    return line;
}

// "--proj D" alone, D a direction code as written in the table, digit for digit.
CommandLine parse_proj(std::span<char* const> values) {
    if (values.empty()) {
        return usage_error(std::string(USAGE_WITHOUT) + "kierunku\n", PROJ_OPTION);
    }
    if (values.size() > 1) {
        return usage_error(USAGE_PROJ_ALONE, PROJ_OPTION);
    }
    const std::string_view code = values[0];
    const auto count = static_cast<int>(std::size(DIRECTION_CODES));
    if (code.size() != 1 || code[0] < '0' || code[0] >= '0' + count) {
        return usage_error(USAGE_PROJ_DIRECTION, code, count - 1);
    }
    CommandLine line;
    line.request = CommandLine::Request::proj;
    line.proj_direction = code[0] - '0';
    return line;
}

// Fewer than seven arguments: a lone --help, -h or --version is answered, and so is --proj with
// its direction; anything else is wrong.
CommandLine parse_short_call(int argc, char* const argv[]) {
    const std::span<char* const> arguments(argv + 1, static_cast<std::size_t>(std::max(argc - 1, 0)));
    if (argc >= 2 && arguments[0] == PROJ_OPTION) {
        return parse_proj(arguments.subspan(1));
    }
    if (argc == 2 && asks_alone(arguments[0])) {
        CommandLine line;
        line.request = arguments[0] == std::string_view("--version") ? CommandLine::Request::version
                                                                     : CommandLine::Request::help;
        return line;
    }
    for (const std::string_view argument : arguments) {
        if (const char* message = alone_message(argument)) {
            return usage_error(message, argument);
        }
        if (argument.starts_with("--") && find_option(argument) == nullptr) {
            return usage_error(USAGE_UNKNOWN, argument);
        }
    }
    return usage_error(USAGE_TOO_FEW, {}, static_cast<long long>(arguments.size()));
}

}  // namespace

std::int32_t parse_int_argument(const char* text) {
    while (is_leading_space(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    // Accumulate past the 32-bit range only as far as needed to know it saturates.
    std::int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (magnitude <= INT32_HIGH + 1) {
            magnitude = magnitude * 10 + (*text - '0');
        }
    }
    return saturate(negative ? -magnitude : magnitude);
}

RunSettings parse_run_settings(const char* const arguments[5]) {
    RunSettings settings{};
    settings.transform_mode = parse_int_argument(arguments[0]);
    settings.direction = parse_int_argument(arguments[1]);
    settings.height_direction = parse_int_argument(arguments[2]);
    settings.xy_decimals = saturate(std::int64_t{parse_int_argument(arguments[3])} + 2);
    settings.h_decimals = saturate(std::int64_t{parse_int_argument(arguments[4])} + 1);
    return settings;
}

std::span<const DirectionCode> direction_codes() {
    return DIRECTION_CODES;
}

RunPlan make_run_plan(const RunSettings& settings) {
    RunPlan plan;
    plan.xy_decimals = settings.xy_decimals;
    plan.h_decimals = settings.h_decimals;
    if (settings.direction < 0 ||
        settings.direction >= static_cast<std::int32_t>(std::size(DIRECTION_CODES))) {
        return plan;  // no gate, no conversion, no correction, no block
    }
    const DirectionCode& code = DIRECTION_CODES[settings.direction];
    if (settings.transform_mode == 2) {                // heights only: X and Y stay as read
        plan.parameter_block = &code.parameter_block;  // although no point moves
        if (const zelwan::CoordinateSystemInfo* system = code.height_only_system) {
            plan.gate = &system->boundary;
            plan.outside_message = code.height_only_outside_message;
            plan.input_system = system;
            take_height(plan, *system, settings.height_direction);
        }
        return plan;
    }
    const zelwan::PlanarTransformation& transformation = code.transformation;
    plan.gate = &transformation.gate;
    plan.outside_message = code.outside_message;
    plan.input_system = &transformation.from;
    plan.planar = &zelwan::planar_parameters(transformation.direction);
    if (settings.transform_mode == 0) {  // mode 1, and modes outside the list, keep H and write no block
        take_height(plan, transformation.to, settings.height_direction);
        plan.parameter_block = &code.parameter_block;
    }
    return plan;
}

CommandLine parse_command_line(int argc, char* const argv[]) {
    if (argc < 8) {
        return parse_short_call(argc, argv);
    }
    CommandLine line;
    std::array<bool, std::size(OPTION_ROWS)> given{};
    int first = 1;
    while (argc - first - 1 >= 7 && std::string_view(argv[first]).starts_with("--")) {
        const std::string_view name = argv[first];
        const OptionRow* row = find_option(name);
        if (row == nullptr) {
            const char* message = alone_message(name);
            return usage_error(message != nullptr ? message : USAGE_UNKNOWN, name);
        }
        const bool takes_value = row->value != nullptr;
        if (takes_value && argc - first - 2 < 7) {  // its value would be the first of the seven
            return usage_error(std::string(USAGE_WITHOUT) + row->value + USAGE_OR_TOO_FEW, name);
        }
        bool& seen = given[static_cast<std::size_t>(row - OPTION_ROWS)];
        if (takes_value && seen) {  // a second value would silently replace the first
            return usage_error(USAGE_TWICE, name);
        }
        seen = true;
        if (const char* problem = row->take(line.options, takes_value ? argv[first + 1] : nullptr)) {
            return usage_error(problem, name);
        }
        first += takes_value ? 2 : 1;
    }
    for (int i = first + 7; i < argc; ++i) {  // arguments after the seventh are ignored, options not
        if (find_option(argv[i]) != nullptr) {
            return usage_error(USAGE_AFTER_SEVEN, argv[i]);
        }
    }
    line.positional = argv + first;
    return line;
}

std::string version_text() {
    return PROGRAM_VERSION_TEXT;
}

std::string usage_text() {
    std::string text = USAGE_HEAD;
    for (const OptionRow& row : OPTION_ROWS) {
        text += row.help;
    }
    return text + USAGE_TAIL;
}
