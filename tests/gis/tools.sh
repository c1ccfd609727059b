#!/usr/bin/env bash
# cct with each pipeline of `zelwan --proj` (X, Y and H), and cs2cs and pyproj through zelwan.db and
# QGIS through the WKT (X and Y), on random points inside each area in each direction, against
# zelwan's own output of the same points: within 1e-6 m (H 1e-4 m); a round trip through the tool
# within 1e-8 m of zelwan's own (which drifts up to about 3e-6 m: the ways back are separate polynomials).
# Usage: tools.sh ZELWAN PROJ_FOLDER
# shellcheck source=tests/gis/common.sh
source "$(dirname "$0")/common.sh"
export PROJ_AUX_DB=$PROJ_FILES/zelwan.db QT_QPA_PLATFORM=offscreen
# planar LABEL SYSTEM COMMAND...: the direction d through COMMAND SOURCE TARGET, and back.
planar() {
    local label=$1 from=$2 to=EPSG:2178
    shift 2
    [ $((d % 2)) -eq 0 ] || { to=$from; from=EPSG:2178; }
    through p.txt "$@" "$from" "$to" > t.txt
    through t.txt "$@" "$to" "$from" > round.txt
    check "$label $from => $to" planar.txt t.txt 1e-6 -
    check "$label $from => $to and back" back.txt round.txt 1e-8 -
}
for d in 0 1 2 3; do
    points "$d" 3000 > all.txt
    inside all.txt "$d" > p.txt
    zel p.txt "$d" 0 > z.txt
    zel p.txt "$d" 1 > planar.txt
    zel z.txt $((d ^ 1)) 1 > back.txt
    pipeline=$("$ZELWAN" --proj "$d")
    [ "$pipeline" = "$(cat "$PROJ_FILES/zelwan-$d.pipeline")" ] || { echo "FAIL --proj $d is not zelwan-$d.pipeline"; exit 1; }
    # shellcheck disable=SC2086 # the pipeline is cct's arguments
    {
        through p.txt cct -d 10 -t 0 $pipeline > t.txt
        through z.txt cct -I -d 10 -t 0 $pipeline > inverse.txt
        through t.txt cct -I -d 10 -t 0 $pipeline > round.txt
    }
    check "cct $d" z.txt t.txt 1e-6 1e-4
    check "cct -I $d" back.txt inverse.txt 1e-6 -
    check "cct -I $d, heights back" p.txt inverse.txt - 1e-4
    check "cct $d and back" back.txt round.txt 1e-8 -
    planar cs2cs "$(code_of $d)" cs2cs -d 10
    planar pyproj "$(code_of $d)" /usr/bin/python3 "$gis/transform.py" pyproj
    planar QGIS "$(wkt_of $d)" /usr/bin/python3 "$gis/transform.py" qgis
done
