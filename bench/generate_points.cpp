// Writes a benchmark input: N lines "NR X Y H" with CR LF, X, Y and H to the centimetre.
//   generate_points KIND LINES FILE
// KIND: county (every point inside the 1965 county boundary), county_mixed (about a quarter
// outside it) or skawina (inside the "UL Skawina" boundary). The seed is fixed: the same
// arguments always give the same file.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "geodesy/area.h"

namespace {

// splitmix64: tiny, and the same numbers on every platform and library.
struct Random {
    std::uint64_t state = 0x2012121007050900ULL;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high], whole numbers.
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
};

struct Box {
    std::int64_t min_x, max_x, min_y, max_y;  // centimetres
};

Box bounding_box(const zelwan::AreaPolygon& area, std::int64_t margin_cm) {
    Box box{INT64_MAX, INT64_MIN, INT64_MAX, INT64_MIN};
    for (std::int32_t k = 0; k < area.count; ++k) {
        const auto x = static_cast<std::int64_t>(area.vertices[k].x * 100);
        const auto y = static_cast<std::int64_t>(area.vertices[k].y * 100);
        box = {std::min(box.min_x, x), std::max(box.max_x, x), std::min(box.min_y, y),
               std::max(box.max_y, y)};
    }
    return {box.min_x - margin_cm, box.max_x + margin_cm, box.min_y - margin_cm, box.max_y + margin_cm};
}

// A point in centimetres, inside or outside the area as asked.
void draw_point(Random& random, const zelwan::AreaPolygon& area, const Box& box, bool inside, std::int64_t& x,
                std::int64_t& y) {
    do {
        x = random.between(box.min_x, box.max_x);
        y = random.between(box.min_y, box.max_y);
    } while ((zelwan::point_in_area(area, static_cast<double>(x) / 100, static_cast<double>(y) / 100) != 0) !=
             inside);
}

char* put_centimetres(char* at, std::int64_t value) {
    if (value < 0) {
        *at++ = '-';
        value = -value;
    }
    at = std::to_chars(at, at + 24, value / 100).ptr;
    *at++ = '.';
    *at++ = static_cast<char>('0' + value % 100 / 10);
    *at++ = static_cast<char>('0' + value % 10);
    return at;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        (void)std::fputs("usage: generate_points county|county_mixed|skawina LINES FILE\n", stderr);
        return 2;
    }
    const std::string_view kind = argv[1];
    const zelwan::AreaPolygon& area =
        kind == "skawina" ? zelwan::AREA_SKAWINA_LOCAL : zelwan::AREA_COUNTY_1965;
    const int outside_per_four = kind == "county_mixed" ? 1 : 0;
    long long lines = 0;
    const char* count_end = argv[2] + std::strlen(argv[2]);
    const bool count_ok = std::from_chars(argv[2], count_end, lines).ptr == count_end;
    std::FILE* file = std::fopen(argv[3], "wb");
    if (file == nullptr || !count_ok || (kind != "county" && kind != "county_mixed" && kind != "skawina")) {
        (void)std::fputs("generate_points: bad kind, count or file\n", stderr);
        return 1;
    }
    const Box box = bounding_box(area, 2000000);  // outside points up to 20 km beyond the box
    const Box inner = bounding_box(area, 0);
    Random random;
    char line[128];
    for (long long nr = 1; nr <= lines; ++nr) {
        const bool inside = static_cast<int>(random.next() % 4) >= outside_per_four;
        std::int64_t x = 0;
        std::int64_t y = 0;
        draw_point(random, area, inside ? inner : box, inside, x, y);
        char* at = std::to_chars(line, line + 24, nr).ptr;
        *at++ = ' ';
        at = put_centimetres(at, x);
        *at++ = ' ';
        at = put_centimetres(at, y);
        *at++ = ' ';
        at = put_centimetres(at, random.between(15000, 45000));
        *at++ = '\r';
        *at++ = '\n';
        const auto size = static_cast<std::size_t>(at - line);
        if (std::fwrite(line, 1, size, file) != size) {
            break;
        }
    }
    const bool written = std::ferror(file) == 0;  // a short file must not pass for a benchmark input
    return std::fclose(file) == 0 && written ? 0 : 1;
}
