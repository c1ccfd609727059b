#!/usr/bin/env bash
# Two builds of this commit in two folders of different names and depths, with SOURCE_DATE_EPOCH
# taken from the commit: zelwan, the .deb, the Windows .zip and the page's .zip must be the same,
# byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
install_missing --no-install-recommends g++-mingw-w64-x86-64-posix groff-base emscripten zip dpkg-dev
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH NODE_PATH=/usr/share/nodejs
root=$(mktemp -d)
for copy in first other/second; do
    dir=$root/$copy/zelwan
    mkdir -p "$dir"
    git archive HEAD | tar -x -C "$dir"
    (
        cd "$dir"
        cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZELWAN_TESTS=OFF -DZELWAN_BENCH=OFF
        cmake --build build -j2 && (cd build && cpack -G DEB)
        cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DZELWAN_TESTS=OFF
        cmake --build build-windows -j2 && (cd build-windows && cpack -G ZIP)
        emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DZELWAN_TESTS=OFF -DZELWAN_BENCH=OFF \
            -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)"
        cmake --build build-web -j2
    ) > "$root/${copy##*/}.log" 2>&1 || { tail -n 40 "$root/${copy##*/}.log"; exit 1; }
    (cd "$dir" && sha256sum build/zelwan build/zelwan_*.deb build-windows/zelwan-*-win64.zip build-web/zelwan-web.zip) \
        > "$root/${copy##*/}.sha256"
done
cat "$root/first.sha256"
cmp "$root/first.sha256" "$root/second.sha256" || { diff "$root/first.sha256" "$root/second.sha256"; exit 1; }
echo "the same bytes from both builds"
rm -rf "$root"
