#!/usr/bin/env bash
# Static checks: the tree is clang-formatted, cppcheck finds nothing, clang-tidy (.clang-tidy) neither.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
install_missing clang clang-format clang-tidy cppcheck

dirs=()
for dir in src tests fuzz bench web; do
    [ ! -d "$dir" ] || dirs+=("$dir")
done

echo "-- clang-format"
mapfile -t sources < <(find "${dirs[@]}" -path web/node_modules -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
clang-format --dry-run -Werror "${sources[@]}"

echo "-- cppcheck"
cppcheck --enable=warning,performance,portability --error-exitcode=1 --inline-suppr -q src fuzz

echo "-- clang-tidy"
# Every source of the native build and the fuzz target (the page's own program.cpp needs
# emscripten's headers).
cmake -S . -B build-static -DCMAKE_CXX_COMPILER=clang++ -DZELWAN_FUZZ=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > /dev/null
sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' build-static/compile_commands.json | sort -u |
    xargs -P 2 -n 4 clang-tidy -p build-static --quiet 2> >(grep -v ' warnings generated\.$' >&2)
