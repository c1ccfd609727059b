#!/usr/bin/env bash
# The .deb of the Linux build: lintian finds no error and no warning (the info tags left are
# explained in the README), and unpacked into a temporary root its program converts its example,
# its manual reads, and a program of someone else's builds against its core.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
install_missing --no-install-recommends dpkg-dev man-db groff-base bsdextrautils lintian

(cd build && rm -f zelwan_*.deb && cpack -G DEB)
lintian --fail-on error,warning --display-info build/zelwan_*.deb
bash tests/package/check_package.sh build/zelwan_*.deb build/zelwan
