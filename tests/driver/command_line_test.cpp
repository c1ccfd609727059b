#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <string>
#include <string_view>

#include "driver/messages.h"

namespace {

// "name= value; name= value;" or "name = value;": every number by its name.
void read_numbers(std::string_view line, std::map<std::string, double>& numbers) {
    while (!line.empty()) {
        const std::size_t equals = line.find('=');
        const std::size_t end = line.find(';');
        ASSERT_TRUE(equals < end && end != std::string_view::npos) << line;
        std::string name(line.substr(0, equals));
        std::erase(name, ' ');
        std::string_view value = line.substr(equals + 1, end - equals - 1);
        value.remove_prefix(value.find_first_not_of(' '));
        double number = 0;
        const auto [stop, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        ASSERT_TRUE(error == std::errc{} && stop == value.data() + value.size()) << line;
        numbers[name] = number;
        line.remove_prefix(std::min(line.find_first_not_of(' ', end + 1), line.size()));
    }
}

// The log's parameter block is fixed text, written apart from the constants it shows: every
// number it prints, read back, is the core's, and its title names the code's two systems.
TEST(DirectionCodes, TheLogsBlockShowsTheCoresNumbers) {
    for (const DirectionCode& code : direction_codes()) {
        const zelwan::PlanarTransformation& t = code.transformation;
        const ParameterBlockText& block = code.parameter_block;
        SCOPED_TRACE(block.title);
        EXPECT_EQ(std::string(block.title), std::string(t.from.name) + " => " + t.to.name + "\n");
        std::map<std::string, double> numbers;
        for (const char* line : {block.input_origin, block.output_origin}) {
            read_numbers(std::string_view(line).substr(0, std::string_view(line).size() - 1), numbers);
        }
        for (const char* line : block.coefficients) {
            if (line != nullptr) {
                read_numbers(std::string_view(line).substr(0, std::string_view(line).size() - 1), numbers);
            }
        }
        const zelwan::PlanarParameters& p = zelwan::planar_parameters(t.direction);
        const std::map<std::string, double> expected = {
            {"xbp", p.xbp}, {"ybp", p.ybp}, {"xbw", p.xbw}, {"ybw", p.ybw}, {"a1", p.a1}, {"a2", p.a2},
            {"a3", p.a3},   {"a4", p.a4},   {"a5", p.a5},   {"a6", p.a6},   {"a7", p.a7}, {"a8", p.a8},
        };
        EXPECT_EQ(numbers.size(), p.degree == 2 ? 10u : 12u);
        for (const auto& [name, value] : numbers) {
            EXPECT_EQ(value, expected.at(name)) << name;
        }
    }
}

}  // namespace
