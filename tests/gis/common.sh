# shellcheck shell=bash
# Sourced by the GIS checks, whose arguments are the program and the folder of its PROJ files.
set -euo pipefail
ZELWAN=$(realpath "$1") PROJ_FILES=$(realpath "$2")
gis=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf ' \n;\n' > separatory.txt
points() { /usr/bin/python3 "$gis/points.py" make "$@"; }
check() { /usr/bin/python3 "$gis/points.py" compare "$@"; }
# zel FILE DIRECTION MODE [HEIGHT_DIRECTION]: the lines zelwan converted, "NR X Y H" with ten decimals.
zel() {
    "$ZELWAN" "$1" - "$3" "$2" "${4:-0}" 8 9
    grep ';' "${1%.txt}_wynik.txt" | tr -d '\r' | tr ';' ' '
}
# inside FILE DIRECTION: the lines of FILE that zelwan converts in that direction, as they are.
inside() { awk 'NR == FNR { keep[$1]; next } $1 in keep' <(zel "$1" "$2" 1) "$1"; }
# through FILE COMMAND...: X Y H of FILE's lines through the command, NR kept beside them.
through() {
    local file=$1
    shift
    paste -d ' ' <(cut -d ' ' -f 1 "$file") <(cut -d ' ' -f 2-4 "$file" | "$@" | awk '{ print $1, $2, $3 }')
}
# The systems of a direction code: the ZELWAN code and WKT file of the one outside the registry.
code_of() { [ "$1" -lt 2 ] && echo ZELWAN:1 || echo ZELWAN:1965; }
wkt_of() { [ "$1" -lt 2 ] && echo "$PROJ_FILES/zelwan-skawina.wkt" || echo "$PROJ_FILES/zelwan-1965.wkt"; }
