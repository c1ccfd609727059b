#!/usr/bin/env bash
# zelwan.exe: cross-compiled with mingw-w64, its unit tests and golden runs under Wine against the
# bytes the Linux build is held to, then its .zip, unpacked and run on the example.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
# Without Wine's recommends (graphics, sound, fonts): a console program's tests need none of them.
install_missing --no-install-recommends g++-mingw-w64-x86-64-posix wine wine64 groff-base libgtest-dev

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-windows -j2
ctest --test-dir build-windows --output-on-failure -j2

(cd build-windows && cpack -G ZIP)
export WINEPREFIX=$PWD/build-windows/tests/wine/prefix WINEDEBUG=-all
bash tests/package/check_package.sh build-windows/zelwan-*-win64.zip build/zelwan
wineserver -k 2> /dev/null || true
