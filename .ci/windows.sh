#!/usr/bin/env bash
# zelwan.exe: cross-compiled with mingw-w64, its unit tests and golden runs under Wine against the
# bytes the Linux build is held to.
set -euo pipefail
cd "$(dirname "$0")/.."
bash .ci/apt-install-missing.sh g++-mingw-w64-x86-64-posix wine wine64 libgtest-dev

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-windows -j2
ctest --test-dir build-windows --output-on-failure -j2
