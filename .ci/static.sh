#!/usr/bin/env bash
# Static checks: the tree is clang-formatted, and cppcheck, clang-tidy (.clang-tidy), shellcheck (every
# shell script) and ESLint (the JavaScript, web/eslint.config.mjs) find nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
install_missing clang clang-format clang-tidy cppcheck shellcheck
# The machine's own Node.js and npm where it has them: Debian's npm would clash with another's.
command -v npm > /dev/null || install_missing --no-install-recommends nodejs npm

dirs=()
for dir in src tests fuzz bench web; do
    [ ! -d "$dir" ] || dirs+=("$dir")
done

echo "-- clang-format"
mapfile -t sources < <(find "${dirs[@]}" -path web/node_modules -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
clang-format --dry-run -Werror "${sources[@]}"

echo "-- shellcheck"
# The tracked *.sh and whatever else starts with a shell's #!.
mapfile -t scripts < <({ git ls-files '*.sh'; git grep -lI '^#!/.*sh$' -- ':!*.sh'; } | sort -u)
shellcheck -x "${scripts[@]}"

echo "-- eslint"
# The version pinned in web/package-lock.json, from the repository root: bench/ has JavaScript too.
(cd web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund > /dev/null)
web/node_modules/.bin/eslint --config web/eslint.config.mjs web/*.js web/tests/*.mjs web/tests/*.js bench/*.mjs web/eslint.config.mjs

echo "-- cppcheck"
cppcheck --enable=warning,performance,portability --error-exitcode=1 --inline-suppr -q src fuzz

echo "-- clang-tidy"
# Every source of the native build and the fuzz target (the page's own program.cpp needs
# emscripten's headers).
cmake -S . -B build-static -DCMAKE_CXX_COMPILER=clang++ -DZELWAN_FUZZ=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > /dev/null
sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' build-static/compile_commands.json | sort -u |
    xargs -P 2 -n 4 clang-tidy -p build-static --quiet 2> >(grep -v ' warnings generated\.$' >&2)
