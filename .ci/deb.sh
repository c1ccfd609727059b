#!/usr/bin/env bash
# The .deb of the Linux build, unpacked into a temporary root: its program converts its example,
# its manual reads, and a program of someone else's builds against its core.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
install_missing dpkg-dev man-db groff-base bsdextrautils

(cd build && cpack -G DEB)
bash tests/package/check_package.sh build/zelwan_*.deb build/zelwan
