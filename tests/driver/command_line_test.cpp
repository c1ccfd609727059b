#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>

#include "driver/messages.h"

namespace {

// The log's parameter block is fixed text, written apart from the constants it shows: every
// number it prints, read back, is the core's, and its title names the code's two systems.
TEST(DirectionCodes, TheLogsBlockShowsTheCoresNumbers) {
    for (const DirectionCode& code : direction_codes()) {
        const zelwan::PlanarTransformation& t = code.transformation;
        const ParameterBlockText& block = code.parameter_block;
        SCOPED_TRACE(block.title);
        EXPECT_EQ(std::string(block.title), std::string(t.from.name) + " => " + t.to.name + "\n");
        std::string numbers = std::string(block.input_origin) + block.output_origin;
        for (const char* line : block.coefficients) {
            numbers += line != nullptr ? line : "";
        }
        const zelwan::PlanarParameters& p = zelwan::planar_parameters(t.direction);
        const std::map<std::string, double> expected = {
            {"xbp", p.xbp}, {"ybp", p.ybp}, {"xbw", p.xbw}, {"ybw", p.ybw}, {"a1", p.a1}, {"a2", p.a2},
            {"a3", p.a3},   {"a4", p.a4},   {"a5", p.a5},   {"a6", p.a6},   {"a7", p.a7}, {"a8", p.a8},
        };
        const std::regex named_number(R"((\w+) ?= +([-0-9.e]+);)");
        int count = 0;
        for (std::sregex_iterator it(numbers.begin(), numbers.end(), named_number), end; it != end; ++it, ++count) {
            EXPECT_EQ(std::stod((*it)[2]), expected.at((*it)[1])) << (*it)[0];
        }
        EXPECT_EQ(count, p.degree == 2 ? 10 : 12);
    }
}

}  // namespace
