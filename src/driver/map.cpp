#include "driver/map.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "driver/message_format.h"
#include "driver/messages.h"
#include "driver/number_format.h"

namespace {

constexpr double MAP_WIDTH = 960;  // px of a page 1000 px wide, 20 px in from its edges
constexpr double LINE_HEIGHT = 24;
// No system here has a coordinate beyond 10,000 km; such a point would shrink the map to a dot.
constexpr double FAR_LIMIT = 1e7;
constexpr const char* CLASS_COLOURS[3] = {"#1f6fd1", "#d62728", "#f08c00"};
constexpr PointOutcome DRAWING_ORDER[3] = {PointOutcome::converted, PointOutcome::bad_height,
                                           PointOutcome::outside};

struct Extent {
    double min_x = std::numeric_limits<double>::infinity();
    double max_x = -std::numeric_limits<double>::infinity();
    double min_y = std::numeric_limits<double>::infinity();
    double max_y = -std::numeric_limits<double>::infinity();
    void take(double x, double y) {
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
    }
};

bool is_near(const MapPoint& point) {
    return std::fabs(point.x) <= FAR_LIMIT && std::fabs(point.y) <= FAR_LIMIT;
}

// The map in metres, and its place on the page in pixels.
struct Frame {
    Extent extent;
    double margin;  // m around the content
    double dot;     // m across a point
    double width;   // m of the view box
    double height;  // m
    double height_px;
    double scale;   // px per m
    long long far;  // points too far out to draw
};

Frame frame_of(const MapPoints& points, const RunPlan& plan) {
    Frame f{};
    if (const zelwan::AreaPolygon* gate = plan.gate) {
        f.extent = {gate->min_x, gate->max_x, gate->min_y, gate->max_y};  // the box of its vertices
    }
    for (const MapSample& sample : points.classes) {
        for (const MapPoint& point : sample.kept) {
            if (is_near(point)) {
                f.extent.take(point.x, point.y);
            } else {
                ++f.far;
            }
        }
    }
    if (f.extent.min_x > f.extent.max_x) {
        f.extent = {0, 0, 0, 0};  // nothing to draw
    }
    const double larger = std::max({f.extent.max_y - f.extent.min_y, f.extent.max_x - f.extent.min_x, 1.0});
    f.margin = std::ceil(larger * 0.03);  // whole metres, so that places can be checked by hand
    f.width = f.extent.max_y - f.extent.min_y + 2 * f.margin;
    f.height = f.extent.max_x - f.extent.min_x + 2 * f.margin;
    f.dot = std::ceil(std::max(f.width, f.height) / 200);
    f.height_px = std::clamp(std::round(MAP_WIDTH * f.height / f.width), 240.0, 1200.0);
    f.scale = std::min(MAP_WIDTH / f.width, f.height_px / f.height);
    return f;
}

void put_count(TextWriter& out, long long count) {
    char digits[INTEGER_TEXT_SIZE];
    out.write(integer_text(count, digits));
}

// The point (X, Y) in the map's metres.
void put_place(TextWriter& out, const Extent& e, double x, double y) {
    write_fixed(out, y - e.min_y, 3);
    out.put(' ');
    write_fixed(out, e.max_x - x, 3);
}

// Bytes of the valid UTF-8 character at the start of text, or 0.
std::size_t utf8_length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return 1;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (lead < 0xC2 || lead > 0xF4 || text.size() < length) {
        return 0;
    }
    unsigned code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < smallest[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

// Text from the command line as XML character data: markup escaped, and '?' for every byte that
// is not part of a UTF-8 character (a Windows-1250 name, say) and for control characters.
void put_xml_text(TextWriter& out, std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = utf8_length(text);
        const char c = text[0];
        if (length == 0 || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            out.put('?');
        } else if (c == '&' || c == '<' || c == '>') {
            out.write(c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;");
        } else {
            out.write(text.substr(0, length));
        }
        text.remove_prefix(length == 0 ? 1 : length);
    }
}

// Filled beneath the points, and drawn again over them so that many points never hide it.
void put_boundary(TextWriter& out, const Frame& f, const zelwan::AreaPolygon& gate, std::string_view fill) {
    out.write("<path d=\"");
    for (std::int32_t k = 0; k < gate.count; ++k) {
        out.put(k == 0 ? 'M' : 'L');
        put_place(out, f.extent, gate.vertices[k].x, gate.vertices[k].y);
    }
    out.write("Z\" fill=\"");
    out.write(fill);
    out.write("\" stroke=\"#4d6b35\" stroke-linejoin=\"round\" stroke-width=\"");
    write_fixed(out, f.dot / 2, 3);
    out.write("\"/>\n");
}

// Every point a round dot, a line of no length with round ends, with its line number and NR as
// its tooltip: a red dot among many can be found in the file.
void put_points(TextWriter& out, const Frame& f, const MapSample& sample, const char* colour) {
    if (sample.kept.empty()) {
        return;
    }
    out.write("<g fill=\"none\" stroke-linecap=\"round\" stroke=\"");
    out.write(colour);
    out.write("\" stroke-width=\"");
    write_fixed(out, f.dot, 3);
    out.write("\">\n");
    for (const MapPoint& point : sample.kept) {
        if (is_near(point)) {
            out.write("<path d=\"M");
            put_place(out, f.extent, point.x, point.y);
            out.write("h0\"><title>");
            write_message(out, MAP_POINT_TITLE, point.line, {});
            put_xml_text(out, point.shown_nr());
            out.write("</title></path>\n");
        }
    }
    out.write("</g>\n");
}

void put_text_start(TextWriter& out, double x, double y) {
    out.write("<text x=\"");
    write_fixed(out, x, 0);
    out.write("\" y=\"");
    write_fixed(out, y, 0);
    out.write("\">");
}

void put_legend_class(TextWriter& out, const MapSample& sample, int index, double y) {
    out.write("<circle cx=\"6\" cy=\"");
    write_fixed(out, y - 5, 0);
    out.write("\" r=\"6\" fill=\"");
    out.write(CLASS_COLOURS[index]);
    out.write("\"/>");
    put_text_start(out, 18, y);
    out.write(MAP_CLASSES[index]);
    put_count(out, sample.seen);
    if (sample.step > 1) {
        char seen[INTEGER_TEXT_SIZE];
        write_message(out, MAP_EVERY, sample.step, integer_text(sample.seen, seen));
    }
    out.write("</text>\n");
}

// The longest of 1, 2 or 5 times a power of ten metres that fits in 200 px.
double scale_bar_metres(double scale) {
    double metres = std::pow(10.0, std::floor(std::log10(200 / scale)));
    for (const double factor : {5.0, 2.0}) {
        if (metres * factor * scale <= 200) {
            return metres * factor;
        }
    }
    return metres;
}

void put_scale_bar(TextWriter& out, double scale, double y) {
    const double metres = scale_bar_metres(scale);
    const double length = metres * scale;
    out.write("<path stroke=\"#000000\" stroke-width=\"3\" d=\"M");
    write_fixed(out, MAP_WIDTH - length, 1);
    out.put(' ');
    write_fixed(out, y, 0);
    out.put('h');
    write_fixed(out, length, 1);
    out.write("\"/>");
    put_text_start(out, MAP_WIDTH - length, y - 8);
    if (metres >= 1000) {
        write_fixed(out, metres / 1000, 0);
        out.write(" km</text>\n");
    } else {  // below a metre, the places its one significant digit needs: 0.2 m, 0.05 m
        write_fixed(out, metres,
                    metres >= 1 ? 0 : static_cast<std::int32_t>(std::ceil(-std::log10(metres) - 1e-9)));
        out.write(" m</text>\n");
    }
}

void put_legend(TextWriter& out, const Frame& f, const MapPoints& points, const RunPlan& plan,
                std::string_view input_name, long long bad_format) {
    double y = 0;
    put_text_start(out, 0, y);
    out.write(MAP_INPUT);
    put_xml_text(out, input_name);
    out.write("</text>\n");
    put_text_start(out, 0, y += LINE_HEIGHT);
    if (const zelwan::CoordinateSystemInfo* system = plan.input_system) {
        out.write(MAP_SYSTEM);
        out.write(system->name);
        out.write(system->axes_turned ? MAP_AXES_TURNED : MAP_AXES);
    } else {
        out.write(MAP_NO_AREA);
    }
    out.write("</text>\n");
    for (int index = 0; index < 3; ++index) {
        put_legend_class(out, points.classes[static_cast<std::size_t>(index)], index, y += LINE_HEIGHT);
    }
    put_text_start(out, 0, y += LINE_HEIGHT);
    out.write(MAP_FORMAT);
    put_count(out, bad_format);
    out.write("</text>\n");
    if (f.far > 0) {
        put_text_start(out, 0, y += LINE_HEIGHT);
        out.write(MAP_FAR);
        put_count(out, f.far);
        out.write("</text>\n");
    }
    put_scale_bar(out, f.scale, LINE_HEIGHT);
}

}  // namespace

MapPoints::MapPoints() {
    for (MapSample& sample : classes) {
        sample.kept.reserve(MAP_POINT_LIMIT);
    }
}

void MapPoints::place(PointOutcome outcome, const PlacedPoint& point) {
    MapSample& sample = classes[static_cast<std::size_t>(outcome)];
    if (sample.seen++ % sample.step != 0) {
        return;
    }
    if (sample.kept.size() == MAP_POINT_LIMIT) {  // keep the points at multiples of twice the step
        for (std::size_t i = 0; 2 * i < sample.kept.size(); ++i) {
            sample.kept[i] = sample.kept[2 * i];
        }
        sample.kept.resize(MAP_POINT_LIMIT / 2);
        sample.step *= 2;  // this point's number, the limit times the old step, is one of them
    }
    MapPoint& kept = sample.kept.emplace_back();
    kept.x = point.x;
    kept.y = point.y;
    kept.line = point.line;
    kept.nr_size = point.nr.copy(kept.nr.data(), kept.nr.size());
}

void write_map(TextWriter& out, const MapPoints& points, const RunPlan& plan, std::string_view input_name,
               long long bad_format) {
    const Frame f = frame_of(points, plan);
    const double page_height = 20 + f.height_px + 50 + 6 * LINE_HEIGHT + (f.far > 0 ? LINE_HEIGHT : 0);
    out.write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "width=\"1000\" height=\"");
    write_fixed(out, page_height, 0);
    out.write("\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"15\">\n<!-- x = Y - ");
    write_fixed(out, f.extent.min_y, 3);
    out.write(", y = ");
    write_fixed(out, f.extent.max_x, 3);
    out.write(" - X, in metres -->\n<rect width=\"1000\" height=\"");
    write_fixed(out, page_height, 0);
    out.write("\" fill=\"#ffffff\"/>\n<svg x=\"20\" y=\"20\" width=\"960\" height=\"");
    write_fixed(out, f.height_px, 0);
    out.write("\" viewBox=\"");
    write_fixed(out, -f.margin, 3);
    out.put(' ');
    write_fixed(out, -f.margin, 3);
    out.put(' ');
    write_fixed(out, f.width, 3);
    out.put(' ');
    write_fixed(out, f.height, 3);
    out.write("\">\n");
    if (plan.gate != nullptr) {
        put_boundary(out, f, *plan.gate, "#e3ecd9");
    }
    for (const PointOutcome outcome : DRAWING_ORDER) {
        const auto index = static_cast<std::size_t>(outcome);
        put_points(out, f, points.classes[index], CLASS_COLOURS[index]);
    }
    if (plan.gate != nullptr) {
        put_boundary(out, f, *plan.gate, "none");
    }
    out.write("</svg>\n<rect x=\"20\" y=\"20\" width=\"960\" height=\"");
    write_fixed(out, f.height_px, 0);
    out.write("\" fill=\"none\" stroke=\"#bbbbbb\"/>\n<g transform=\"translate(20 ");
    write_fixed(out, 20 + f.height_px + 40, 0);
    out.write(")\">\n");
    put_legend(out, f, points, plan, input_name, bad_format);
    out.write("</g>\n</svg>\n");
}
