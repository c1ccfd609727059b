#include "driver/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    std::string input;
    std::string output_directory;
    std::string output;
};

const std::string LONG_DIRECTORY = std::string(300, 'd') + "/" + std::string(200, 'e') + "/";

const PathCase PATH_CASES[] = {
    {"C:\\dane\\punkty.txt", "-", "C:\\dane\\punkty_wynik.txt"},
    {"C:\\dane\\punkty.txt", "D:\\wyniki\\", "D:\\wyniki\\punkty_wynik.txt"},
    {"C:\\dane\\punkty.txt", "D:\\wyniki", "D:\\punkty_wynik.txt"},
    {"C:\\dane\\punkty.txt", "wyniki", "punkty_wynik.txt"},
    {"punkty.txt", "-", "punkty_wynik.txt"},
    {"dane/punkty.2012.txt", "-", "dane/punkty.2012_wynik.txt"},
    {"C:\\dane.2012\\punkty", "-", "C:\\dane.2012\\punkty_wynik"},
    {"punkty.txt", "", "punkty_wynik.txt"},
    {"/home/geo/pomiar.csv", "/tmp/", "/tmp/pomiar_wynik.csv"},
    {"pomiar", "wyniki/", "wyniki/pomiar_wynik"},
    {".txt", "-", "_wynik.txt"},
    {"C:", "-", "C:_wynik"},
    // Long parts are kept whole: a cut would silently send the output elsewhere.
    {LONG_DIRECTORY + std::string(260, 'p') + ".txt", "-",
     LONG_DIRECTORY + std::string(260, 'p') + "_wynik.txt"},
};

TEST(BuildOutputPaths, NamesTheOutputAndTheLog) {
    for (const PathCase& c : PATH_CASES) {
        const OutputPaths paths = build_output_paths(c.input, c.output_directory);
        EXPECT_EQ(paths.output, c.output) << c.input << " with " << c.output_directory;
        EXPECT_EQ(paths.log, c.output + ".log") << c.input << " with " << c.output_directory;
    }
}

TEST(JoinPath, AddsWhatSplitPathLeavesOut) {
    EXPECT_EQ(join_path({"D:", "wyniki", "a", "txt"}), "D:wyniki\\a.txt");
    EXPECT_EQ(join_path({"Dx", "", "a", ""}), "D:a");
    const PathParts parts = split_path("C:\\dane.2012\\punkty.v2.txt");
    EXPECT_EQ(parts.drive, "C:");
    EXPECT_EQ(parts.directory, "\\dane.2012\\");
    EXPECT_EQ(parts.base, "punkty.v2");
    EXPECT_EQ(parts.extension, ".txt");
}

}  // namespace
