#!/usr/bin/env bash
# zelwan for 64-bit ARM: cross-compiled, static, its unit tests and every golden run under
# qemu-aarch64 against the bytes the x86-64 build is held to.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
install_missing --no-install-recommends g++-aarch64-linux-gnu qemu-user libgtest-dev
started=$SECONDS

cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-arm64 -j2
ctest --test-dir build-arm64 --output-on-failure -j2
echo "arm64 stage: $((SECONDS - started)) s"
