#!/usr/bin/env bash
# Another program uses the installed core: find_package(zelwan), link zelwan::geodesy, run it.
# Usage: consumer.sh <prefix> [<zelwan build folder>]
# With a build folder, `cmake --install` puts it into the prefix first and the layout is checked.
# CXX, when set, is the compiler of the consumer.
set -eu
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL consumer: $1"; exit 1; }

if [ $# -ge 2 ]; then
    rm -rf "$prefix"
    cmake --install "$2" --prefix "$prefix" > "$tmp/install.log" || fail "cmake --install: $(cat "$tmp/install.log")"
    for f in bin/zelwan share/man/man1/zelwan.1.gz share/doc/zelwan/przyklad/punkty_2000.txt \
        share/doc/zelwan/przyklad/separatory.txt include/zelwan/geodesy.h include/zelwan/geodesy/area.h \
        lib/libzelwan-geodesy.a lib/cmake/zelwan/zelwan-config.cmake lib/cmake/zelwan/zelwan-targets.cmake; do
        [ -f "$prefix/$f" ] || fail "cmake --install left out $f"
    done
fi

cmake -S "$here/consumer" -B "$tmp/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
    > "$tmp/configure.log" 2>&1 || fail "configure: $(cat "$tmp/configure.log")"
cmake --build "$tmp/build" > "$tmp/build.log" 2>&1 || fail "build: $(cat "$tmp/build.log")"
"$tmp/build/consumer" || fail "the worked example came out different"
