// Writes the PROJ files into the folder given: zelwan-<direction code>.pipeline for each planar
// transformation, the WKT of each system that no registry holds, and zelwan.sql, the rows of the
// auxiliary database that the build makes with sqlite3 from PROJ's own schema.
#include <cstdio>
#include <string>

#include "proj/proj_text.h"

namespace {

// Bytes as they are, with "\n" line ends on every system: two builds give the same files.
bool write_file(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        (void)std::fprintf(stderr, "cannot create %s\n", path.c_str());  // the status tells it all the same
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        (void)std::fprintf(stderr, "cannot write %s\n", path.c_str());  // the status tells it all the same
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        (void)std::fputs("usage: write_proj_files FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool written = true;
    for (const zelwan::PlanarTransformation& t : zelwan::PLANAR_TRANSFORMATIONS) {
        // Named by the direction code, which command_line.cpp holds to be the Direction.
        const std::string path =
            folder + "zelwan-" + std::to_string(static_cast<int>(t.direction)) + ".pipeline";
        written = write_file(path, zelwan::proj::pipeline(t) + "\n") && written;
    }
    for (const zelwan::proj::ProjectedSystem& s : zelwan::proj::projected_systems()) {
        written = write_file(folder + s.file_name, zelwan::proj::crs_wkt(s) + "\n") && written;
    }
    written = write_file(folder + "zelwan.sql", zelwan::proj::database_rows()) && written;
    return written ? 0 : 1;
}
