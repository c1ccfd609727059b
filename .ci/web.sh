#!/usr/bin/env bash
# The page: the program built to WebAssembly, its golden runs through the module under Node, the
# digits of printf and strtod against the native build's to_chars and from_chars, the page in
# headless Chromium (its own interface on the example, window.zelwan.run against the native
# program), and zelwan-web.zip. Needs the native build of the main stage (build/).
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
# emscripten's linker needs Debian's acorn (NODE_PATH); nothing but packages is ever downloaded.
install_missing --no-install-recommends emscripten chromium
export NODE_PATH=/usr/share/nodejs PUPPETEER_SKIP_DOWNLOAD=1
started=$SECONDS

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DZELWAN_BENCH=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)"
cmake --build build-web -j2
ctest --test-dir build-web --output-on-failure -j2

native=$(build/tests/digits_check)
web=$(node build-web/tests/digits_check.js)
[ "$native" = "$web" ] || { echo "digits differ: native $native, WebAssembly $web"; exit 1; }
echo "digits: $web in both builds"

(cd web && npm ci --no-audit --no-fund)
node web/tests/page.test.mjs build-web/page build/zelwan
echo "page: $(du -cb build-web/page/* | tail -n 1 | cut -f1) bytes, zelwan-web.zip $(stat -c %s build-web/zelwan-web.zip) bytes"
echo "web stage: $((SECONDS - started)) s"
