#!/usr/bin/env bash
# Another program uses the installed core: find_package(zelwan), link zelwan::geodesy, run it.
# Usage: consumer.sh <prefix>
# CXX, when set, is the compiler of the consumer.
set -eu
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL consumer: $1"; exit 1; }

cmake -S "$here/consumer" -B "$tmp/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
    > "$tmp/configure.log" 2>&1 || fail "configure: $(cat "$tmp/configure.log")"
cmake --build "$tmp/build" > "$tmp/build.log" 2>&1 || fail "build: $(cat "$tmp/build.log")"
"$tmp/build/consumer" || fail "the worked example came out different"
