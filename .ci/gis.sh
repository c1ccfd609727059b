#!/usr/bin/env bash
# zelwan's systems in the GIS tools, from Debian: the PROJ files that the build writes from the core
# (build/proj/) used by cct, cs2cs, pyproj, ogr2ogr and QGIS (headless) on random points and layers
# inside each area, against zelwan's own output of the same points (tests/gis/). Then the files are
# written twice more, in a build of its own: the same bytes, and a changed coefficient changes them.
# Needs the native build of the main stage (build/).
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
started=$SECONDS
install_missing --no-install-recommends proj-bin gdal-bin python3-pyproj python3-numpy sqlite3 qgis python3-qgis
echo "PROJ $(projinfo 2>&1 | sed -n 's/^Rel\. \([^,]*\).*/\1/p'), $(ogr2ogr --version), QGIS $(/usr/bin/python3 -c 'from qgis.core import Qgis; print(Qgis.version())' 2> /dev/null)"

cmake --build build -j2 --target zelwan proj_files
export XDG_RUNTIME_DIR=$PWD/build/gis-runtime
install -d -m 700 "$XDG_RUNTIME_DIR"
bash tests/gis/tools.sh build/zelwan build/proj
bash tests/gis/ogr2ogr.sh build/zelwan build/proj

# Two builds of the writer in other folders: the same files; with a7 of "2000 S7 21" => "1965 pow
# krakowski" changed in the last digit, the files that carry it differ (no copy of it hides anywhere).
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT  # two build trees, however the stage ends
git archive HEAD | tar -x -C "$copy"
for build in first second; do
    cmake -S "$copy" -B "$copy/$build" -DZELWAN_TESTS=OFF -DZELWAN_BENCH=OFF > /dev/null
    cmake --build "$copy/$build" -j2 --target proj_files > /dev/null
done
diff -r "$copy/first/proj" "$copy/second/proj"
sed -i 's/1.74097284863662e-15/1.74097284863663e-15/' "$copy/src/geodesy/planar.h"
cmake --build "$copy/second" -j2 --target proj_files > /dev/null
changed=$(cd "$copy" && for f in first/proj/zelwan*; do cmp -s "$f" "second/proj/${f#first/proj/}" || basename "$f"; done | xargs)
[ "$changed" = "zelwan-1965.wkt zelwan-2.pipeline zelwan-3.pipeline zelwan.db zelwan.sql" ] ||
    { echo "a changed coefficient changed: ${changed:-nothing}"; exit 1; }
echo "the same bytes from two builds; a changed coefficient changes $changed"
echo "gis stage: $((SECONDS - started)) s"
