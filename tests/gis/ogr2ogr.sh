#!/usr/bin/env bash
# ogr2ogr: a parcel (polygon) and a line layer in "UL Skawina" and in "1965 pow krakowski", stored as
# GeoPackage and as Shapefile with the WKT as their CRS, reprojected to EPSG:2178 with the WKT given
# (-s_srs) and, in a new process, as stored with zelwan.db at hand: every vertex within 1e-6 m of
# zelwan's conversion of it. Stored without zelwan.db at hand, GDAL 3.6 cannot transform them (WKT1
# turns the PROJ string's spaces into underscores): the manual says so, and this keeps it true.
# Usage: ogr2ogr.sh ZELWAN PROJ_FOLDER
# shellcheck source=tests/gis/common.sh
source "$(dirname "$0")/common.sh"
# shape N KIND: groups of N points of in.txt as KIND geometries, easting first, CSV with a WKT column.
shape() {
    awk -v n="$1" -v kind="$2" 'BEGIN { print "id,wkt" } { v = v (v == "" ? "" : ",") $3 " " $2 }
        NR % n == 1 { first = $3 " " $2 } NR % n == 0 { print NR ",\"" kind "((" v (n == 3 ? "," first ")" : "") ")\""; v = "" }' in.txt
}
# vertices DATASET [OPTION...]: every vertex of both layers in stored order, "k X Y 0", X first.
vertices() {
    for layer in parcels lines; do
        ogr2ogr --config OGR_WKT_PRECISION 17 -f CSV /vsistdout/ "$@" "$layer" -lco GEOMETRY=AS_WKT
    done | grep -o '[-0-9.]\+ [-0-9.]\+' | awk '{ print NR, $2, $1, 0 }'
}
for d in 0 2; do
    wkt=$(wkt_of $d)
    points $d 600 > all.txt
    inside all.txt $d > in.txt
    shape 3 POLYGON > parcels.csv
    shape 4 LINESTRING > lines.csv
    for format in GPKG "ESRI Shapefile"; do
        stored=stored.gpkg
        [ "$format" = GPKG ] || stored=shapefiles
        rm -rf "$stored"
        for layer in parcels lines; do
            ogr2ogr -f "$format" -update -append -a_srs "$wkt" -oo GEOM_POSSIBLE_NAMES=wkt -oo KEEP_GEOM_COLUMNS=NO \
                -nln $layer "$stored" $layer.csv
        done
        vertices "$stored" > v.txt
        zel v.txt $d 1 > expected.txt
        vertices "$stored" -s_srs "$wkt" -t_srs EPSG:2178 > t.txt
        check "ogr2ogr -s_srs $(basename "$wkt") $stored" expected.txt t.txt 1e-6 -
        PROJ_AUX_DB=$PROJ_FILES/zelwan.db vertices "$stored" -t_srs EPSG:2178 > t.txt
        check "ogr2ogr $stored reopened, zelwan.db at hand" expected.txt t.txt 1e-6 -
        ! vertices "$stored" -t_srs EPSG:2178 2> /dev/null | grep -q . ||
            { echo "FAIL $stored reopened without zelwan.db: transformed, unlike what the manual says"; exit 1; }
    done
done
