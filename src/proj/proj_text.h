#pragma once
// The systems as PROJ and everything built on it (GDAL, QGIS, pyproj, PostGIS) reads them, written
// from the core's rows: a pipeline for each planar transformation, the WKT2 of the two systems that
// no registry holds, and their rows for an auxiliary PROJ database. Text only; nothing is read or
// written here.
#include <span>
#include <string>

#include "geodesy/systems.h"

namespace zelwan::proj {

// A system outside the EPSG registry as a projected CRS over ETRF2000-PL (EPSG:9702), whose
// conversion is the zone-7 transverse Mercator of "2000 S7 21" (EPSG:2178) followed by the
// transformation into the system.
struct ProjectedSystem {
    const CoordinateSystemInfo& system;
    const char* code;       // in the authority ZELWAN: "ZELWAN:1965"
    const char* file_name;  // of its WKT
    const char* area;       // its area of use by name
};

std::span<const ProjectedSystem> projected_systems();

// For cct, on one line: X, Y (north first, as the systems write them) and H in the transformation's
// input system to its output system. H is corrected as zelwan corrects it with height direction 0,
// in the output system; run backwards (cct -I) the pipeline undoes exactly that, with the
// coefficients of the way back, so that nothing is solved by iteration.
std::string pipeline(const PlanarTransformation& transformation);

// The system's WKT2 on one line: planar only, no height.
std::string crs_wkt(const ProjectedSystem& system);

// SQL rows of an auxiliary database: both systems under their codes, with their areas of use.
std::string database_rows();

}  // namespace zelwan::proj
