#!/usr/bin/env bash
# Unpacks a package into a temporary root and checks it as a user meets it: the packaged program
# converts the packaged example to the same bytes as the reference build. A .deb (its files and
# manual are lintian's to check): another program builds against the packaged core. A .zip: it holds
# the program, its manual as text and the example, and zelwan.exe runs under Wine (in WINEPREFIX)
# needing no DLL beyond those of Windows itself.
# Usage: check_package.sh <zelwan_*.deb | zelwan-*-win64.zip> <reference zelwan>
set -u
package=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
reference=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d) || exit 1
root=$tmp/root
fail() { echo "FAIL $(basename "$package"): $1 (left in $tmp)"; exit 1; }
version=$("$reference" --version) || fail "the reference zelwan does not run"

case $package in
*.deb)
    # The package is versioned as the project (its library's interface); the program keeps "zelwan v1.0".
    project_version=$(sed -n 's/^project(zelwan VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
    [ "$(dpkg-deb -f "$package" Package Version)" = $'Package: zelwan\nVersion: '"$project_version" ] ||
        fail "not zelwan $project_version: $(dpkg-deb -f "$package" Package Version)"
    dpkg -x "$package" "$root" || fail "dpkg -x"
    example=$root/usr/share/doc/zelwan/przyklad
    proj=$root/usr/share/zelwan/proj
    program=("$root/usr/bin/zelwan")
    bash "$here/consumer.sh" "$root/usr" || fail "a program using the packaged core"
    ;;
*.zip)
    { mkdir "$root" && (cd "$root" && cmake -E tar xf "$package"); } || fail "cannot unpack"
    top=$root/$(basename "$package" .zip)
    [ "$(cd "$root" && find . -type f -not -path '*/proj/*' | LC_ALL=C sort | tr '\n' ' ')" = \
        "./${top##*/}/CZYTAJ.txt ./${top##*/}/przelicz-przyklad.bat ./${top##*/}/przyklad/punkty_2000.txt ./${top##*/}/przyklad/separatory.txt ./${top##*/}/zelwan.exe ./${top##*/}/zelwan.txt " ] ||
        fail "holds other files: $(cd "$root" && find . -type f)"
    imports=$(x86_64-w64-mingw32-objdump -p "$top/zelwan.exe" | sed -n 's/^\tDLL Name: //p' | LC_ALL=C sort | tr '\n' ' ')
    [ "$imports" = "KERNEL32.dll msvcrt.dll " ] || fail "zelwan.exe needs more than Windows has: $imports"
    manual=$top/zelwan.txt
    iconv -f UTF-8 -t UTF-8 "$manual" > /dev/null || fail "zelwan.txt is not UTF-8"
    [ "$(grep -c $'\r$' "$manual")" -eq "$(wc -l < "$manual")" ] || fail "zelwan.txt has lines without CR LF"
    { grep -q 'poza Skawiną' "$manual" && grep -q 'Uzycie: zelwan \[OPCJE\]' "$manual"; } || fail "zelwan.txt is not the manual"
    ! grep -q -E 'README|man zelwan' "$manual" || fail "zelwan.txt points to what the zip does not hold"
    # A double-click on the example's batch file, as cmd runs it; its pause reads NUL and ends.
    (cd "$root" && wine cmd /c "${top##*/}\\przelicz-przyklad.bat" < /dev/null > "$tmp/batch.txt" 2>&1) ||
        fail "przelicz-przyklad.bat: $(head -c 300 "$tmp/batch.txt")"
    { mv "$top/przyklad/punkty_2000_wynik.txt" "$tmp/batch_wynik.txt" && rm "$top/przyklad/punkty_2000_wynik.txt.log"; } ||
        fail "przelicz-przyklad.bat made no result: $(head -c 300 "$tmp/batch.txt")"
    example=$top/przyklad
    proj=$top/proj
    program=(wine "$top/zelwan.exe")
    ;;
*) fail "neither a .deb nor a .zip" ;;
esac
# The PROJ files: what the reference program prints for --proj, and the WKT of both systems.
{ cmp -s "$proj/zelwan-2.pipeline" <("$reference" --proj 2) && [ -s "$proj/zelwan-1965.wkt" ] && [ -s "$proj/zelwan-skawina.wkt" ]; } ||
    fail "the PROJ files are missing or differ from zelwan --proj"
for f in punkty_2000.txt separatory.txt; do
    cmp -s "$example/$f" "$here/../../examples/$f" || fail "the example's $f differs from examples/$f"
done

# The packaged program on the packaged example, then the reference build on a copy: the same bytes.
run_example() {  # run_example <folder> <zelwan command>...
    local folder=$1
    shift
    { mkdir "$folder" && cp "$example/punkty_2000.txt" "$example/separatory.txt" "$folder/"; } || fail "copy"
    (cd "$folder" && "$@" punkty_2000.txt - 0 3 0 1 1 < /dev/null > stdout.txt 2>&1) ||
        fail "$* on the example: status $?, $(head -c 300 "$folder/stdout.txt")"
    [ ! -s "$folder/stdout.txt" ] || fail "$* printed $(head -c 300 "$folder/stdout.txt")"
    sed -i -E 's/^(Data \/ godzina wykonania transformacji: ).*\r$/\1\r/' "$folder/punkty_2000_wynik.txt.log"
}
run_example "$tmp/packaged" "${program[@]}"
run_example "$tmp/reference" "$reference"
for f in punkty_2000_wynik.txt punkty_2000_wynik.txt.log; do
    cmp "$tmp/reference/$f" "$tmp/packaged/$f" || fail "$f differs from the reference build's"
done
[ ! -f "$tmp/batch_wynik.txt" ] || cmp "$tmp/reference/punkty_2000_wynik.txt" "$tmp/batch_wynik.txt" ||
    fail "przelicz-przyklad.bat's result differs from the reference build's"
[ "$(wc -l < "$tmp/packaged/punkty_2000_wynik.txt")" -eq 8 ] || fail "not 8 lines out of 8"
"${program[@]}" --version < /dev/null > "$tmp/version.txt" 2>&1
[ "$(tr -d '\r' < "$tmp/version.txt")" = "$version" ] || fail "--version: $(cat "$tmp/version.txt")"

rm -rf "$tmp"
echo "$(basename "$package"): as packaged, the example converts as the reference build converts it"
