#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
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
        // Each entry reads "name= number;" with any spaces around the '='.
        std::istringstream entries(numbers);
        int count = 0;
        for (std::string entry; std::getline(entries, entry, ';');) {
            const std::size_t equals = entry.find('=');
            if (equals == std::string::npos) {
                continue;
            }
            std::istringstream name_part(entry.substr(0, equals));
            std::string name;
            name_part >> name;
            SCOPED_TRACE(entry);
            EXPECT_EQ(std::stod(entry.substr(equals + 1)), expected.at(name));
            ++count;
        }
        EXPECT_EQ(count, p.degree == 2 ? 10 : 12);
    }
}

}  // namespace
