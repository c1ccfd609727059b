#include "proj/proj_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace zelwan::proj {
namespace {

// "2000 S7 21" is zone 7 of the national 2000 system, EPSG:2178: a transverse Mercator on GRS 1980.
constexpr double ZONE7_CENTRAL_MERIDIAN = 21.0;  // degrees
constexpr double ZONE7_SCALE = 0.999923;
constexpr double ZONE7_FALSE_EASTING = 7500000.0;
constexpr double GRS80_SEMI_MAJOR_AXIS = 6378137.0;
constexpr double GRS80_INVERSE_FLATTENING = 298.257222101;

constexpr ProjectedSystem PROJECTED_SYSTEMS[] = {
    {SYSTEM_COUNTY_1965, "1965", "zelwan-1965.wkt", "powiat krakowski"},
    {SYSTEM_SKAWINA_LOCAL, "1", "zelwan-skawina.wkt", "Skawina"},
};

// The shortest decimal that reads back as the same double, so the text shows the core's constants
// as they are written there.
std::string number(double value) {
    char text[32];
#if defined(__cpp_lib_to_chars)
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
#else
    for (int digits = 1;; ++digits) {  // libc++ in the WebAssembly build has no to_chars for doubles
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (digits == 17 || std::strtod(text, nullptr) == value) {
            return text;
        }
    }
#endif
}

std::string numbers(std::initializer_list<double> values) {
    std::string text;
    for (const double value : values) {
        if (!text.empty()) {
            text += ',';
        }
        text += number(value);
    }
    return text;
}

// Every pair of systems the core joins is joined both ways.
const PlanarTransformation& transformation_between(const CoordinateSystemInfo& from,
                                                   const CoordinateSystemInfo& to) {
    return *std::find_if(std::begin(PLANAR_TRANSFORMATIONS), std::end(PLANAR_TRANSFORMATIONS),
                         [&](const PlanarTransformation& t) { return &t.from == &from && &t.to == &to; });
}

// PROJ's complex horner evaluates the sum of (Cn_k + i Ce_k) (n + i e)^k with n the northing
// offset as the real part, which is the core's polynomial in z = x + i y term for term. It takes
// and gives the easting first, so its origins are written Y, X.
std::string coefficients(const PlanarParameters& p) {
    std::string text = numbers({p.x_shift, p.y_shift, p.a3, p.a4, p.a5, p.a6});
    return p.degree == 2 ? text : text + "," + numbers({p.a7, p.a8});
}

std::string horner_step(const PlanarTransformation& t) {
    const PlanarParameters& p = planar_parameters(t.direction);
    const PlanarParameters& back = planar_parameters(transformation_between(t.to, t.from).direction);
    return "+proj=horner +deg=" + std::to_string(p.degree) + " +fwd_origin=" + numbers({p.ybp, p.xbp}) +
           " +inv_origin=" + numbers({back.ybp, back.xbp}) + " +fwd_c=" + coefficients(p) +
           " +inv_c=" + coefficients(back);
}

// N(x, y) as PROJ's real horner of degree 2 (coefficients of 1, e, e², n, e n, n²) on full
// coordinates, evaluated into the easting, both ways alike.
std::string surface_step(const HeightSurface& s) {
    const std::string n = numbers({-s.p_0, s.p_y, -s.p_yy, s.p_x, -s.p_xy, -s.p_xx});
    const std::string zero = "0,0,0,0,0,0";
    return "+proj=horner +deg=2 +range=10000000 +fwd_origin=0,0 +inv_origin=0,0 +fwd_u=" + n +
           " +fwd_v=" + zero + " +inv_u=" + n + " +inv_v=" + zero;
}

// The output system's height correction, forward. With a surface the coordinates are kept aside,
// N is evaluated into the easting and added to H; forward the first evaluation runs and backwards
// the second, which then subtracts N at the same point before the planar step goes back.
std::string height_steps(const CoordinateSystemInfo& output) {
    if (output.height_surface == nullptr) {
        return " +step +proj=affine +zoff=" + number(-SKAWINA_HEIGHT_SHIFT);
    }
    const std::string n = surface_step(*output.height_surface);
    return " +step +proj=push +v_1 +v_2 +step +omit_inv " + n +
           " +step +proj=affine +s31=1 +step +omit_fwd " + n + " +step +proj=pop +v_1 +v_2";
}

std::string zone7_projection() {
    return "+proj=tmerc +lat_0=0 +lon_0=" + number(ZONE7_CENTRAL_MERIDIAN) + " +k=" + number(ZONE7_SCALE) +
           " +x_0=" + number(ZONE7_FALSE_EASTING) + " +y_0=0 +ellps=GRS80";
}

struct Degrees {
    double latitude;
    double longitude;
};

// Inverse transverse Mercator of "2000 S7 21" by Krüger's series to n³, far within a millimetre:
// enough for an area of use rounded to 0.01°.
Degrees zone7_degrees(double x, double y) {
    const double f = 1.0 / GRS80_INVERSE_FLATTENING;
    const double n = f / (2.0 - f);
    const double a = GRS80_SEMI_MAJOR_AXIS / (1.0 + n) * (1.0 + n * n / 4.0);
    const double xi = x / (ZONE7_SCALE * a);
    const double eta = (y - ZONE7_FALSE_EASTING) / (ZONE7_SCALE * a);
    const double beta[] = {n / 2.0 - 2.0 * n * n / 3.0 + 37.0 * n * n * n / 96.0,
                           n * n / 48.0 + n * n * n / 15.0, 17.0 * n * n * n / 480.0};
    const double delta[] = {2.0 * n - 2.0 * n * n / 3.0 - 2.0 * n * n * n,
                            7.0 * n * n / 3.0 - 8.0 * n * n * n / 5.0, 56.0 * n * n * n / 15.0};
    double xi_1 = xi;
    double eta_1 = eta;
    for (int j = 1; j <= 3; ++j) {
        xi_1 -= beta[j - 1] * std::sin(2 * j * xi) * std::cosh(2 * j * eta);
        eta_1 -= beta[j - 1] * std::cos(2 * j * xi) * std::sinh(2 * j * eta);
    }
    const double chi = std::asin(std::sin(xi_1) / std::cosh(eta_1));
    double phi = chi;
    for (int j = 1; j <= 3; ++j) {
        phi += delta[j - 1] * std::sin(2 * j * chi);
    }
    const double degree = std::acos(-1.0) / 180.0;
    return {phi / degree, ZONE7_CENTRAL_MERIDIAN + std::atan2(std::sinh(eta_1), std::cos(xi_1)) / degree};
}

// The extent of the system's boundary in degrees, rounded outward to 0.01°: south, west, north, east.
struct Extent {
    double south, west, north, east;
};

// The transformation from "2000 S7 21" into the system, whose gate is its boundary in 2000 coordinates.
const PlanarTransformation& from_zone7(const CoordinateSystemInfo& system) {
    return transformation_between(SYSTEM_ZONE7_2000, system);
}

Extent area_of_use(const CoordinateSystemInfo& system) {
    const AreaPolygon& boundary = from_zone7(system).gate;
    Extent e{90.0, 180.0, -90.0, -180.0};
    for (int k = 0; k < boundary.count; ++k) {
        const Degrees d = zone7_degrees(boundary.vertices[k].x, boundary.vertices[k].y);
        e = {std::min(e.south, d.latitude), std::min(e.west, d.longitude), std::max(e.north, d.latitude),
             std::max(e.east, d.longitude)};
    }
    return {std::floor(e.south * 100.0) / 100.0, std::floor(e.west * 100.0) / 100.0,
            std::ceil(e.north * 100.0) / 100.0, std::ceil(e.east * 100.0) / 100.0};
}

std::string quoted_sql(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c;
        if (c == '\'') {
            quoted += c;  // SQL doubles a quote inside a literal
        }
    }
    return quoted + "'";
}

const char* const SCOPE = "zelwan: przeliczenia wspolrzednych ukladow lokalnych";

}  // namespace

std::span<const ProjectedSystem> projected_systems() {
    return PROJECTED_SYSTEMS;
}

std::string pipeline(const PlanarTransformation& transformation) {
    return "+proj=pipeline +step +proj=axisswap +order=2,1 +step " + horner_step(transformation) +
           height_steps(transformation.to) + " +step +proj=axisswap +order=2,1";
}

std::string crs_wkt(const ProjectedSystem& s) {
    const PlanarTransformation& t = from_zone7(s.system);
    const Extent e = area_of_use(s.system);
    const std::string metre = "LENGTHUNIT[\"metre\",1]";
    return std::string("PROJCRS[\"") + s.system.name +
           "\",BASEGEOGCRS[\"ETRF2000-PL\",DATUM[\"ETRF2000 Poland\",ELLIPSOID[\"GRS 1980\"," +
           number(GRS80_SEMI_MAJOR_AXIS) + "," + number(GRS80_INVERSE_FLATTENING) + "," + metre +
           "]],PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\",0.0174532925199433]],ID[\"EPSG\",9702]],"
           "CONVERSION[\"" +
           t.from.name + " => " + t.to.name +
           "\",METHOD[\"PROJ-based operation method: +proj=pipeline +step " + zone7_projection() + " +step " +
           horner_step(t) + "\"]],CS[Cartesian,2],AXIS[\"northing (X)\",north,ORDER[1]," + metre +
           "],AXIS[\"easting (Y)\",east,ORDER[2]," + metre + "],USAGE[SCOPE[\"" + SCOPE + "\"],AREA[\"" +
           s.area + "\"],BBOX[" + numbers({e.south, e.west, e.north, e.east}) + "]]]";
}

std::string database_rows() {
    std::string sql = "INSERT INTO scope VALUES('ZELWAN','1'," + quoted_sql(SCOPE) + ",0);\n";
    for (const ProjectedSystem& s : PROJECTED_SYSTEMS) {
        const Extent e = area_of_use(s.system);
        const std::string code = quoted_sql(s.code);
        sql += "INSERT INTO extent VALUES('ZELWAN'," + code + "," + quoted_sql(s.area) + "," +
               quoted_sql(std::string("granica: ") + s.system.name) + "," +
               numbers({e.south, e.north, e.west, e.east}) + ",0);\n";
        sql += "INSERT INTO projected_crs VALUES('ZELWAN'," + code + "," + quoted_sql(s.system.name) +
               ",NULL,NULL,NULL,'EPSG','9702',NULL,NULL," + quoted_sql(crs_wkt(s)) + ",0);\n";
        sql += "INSERT INTO usage VALUES('ZELWAN',";
        for (const char* after : {",'projected_crs','ZELWAN',", ",'ZELWAN',", ",'ZELWAN','1');\n"}) {
            sql += code;
            sql += after;
        }
    }
    return sql;
}

}  // namespace zelwan::proj
