#!/usr/bin/env bash
# A bounded run of the libFuzzer target over the record loop, starting from the seed corpus and
# every input that ever made it fail. A new failure leaves its input in build-fuzz/run/artifacts/:
# it belongs in fuzz/regressions/, which every run of this stage replays first.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/packages.sh
install_missing clang libclang-rt-14-dev

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZELWAN_FUZZ=ON -DZELWAN_TESTS=OFF
cmake --build build-fuzz -j2 --target record_loop_fuzz

run=build-fuzz/run
rm -rf "$run"
mkdir -p "$run/corpus" "$run/artifacts"
cp -r fuzz/corpus/. fuzz/regressions/. "$run/corpus/"
seeds=$(find "$run/corpus" -type f | wc -l)
status=0
build-fuzz/record_loop_fuzz -max_total_time="${ZELWAN_FUZZ_SECONDS:-110}" -max_len=8192 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -dict=fuzz/record_loop.dict -artifact_prefix="$run/artifacts/" \
    "$run/corpus" > "$run/fuzz.log" 2>&1 || status=$?
grep -E '^stat::' "$run/fuzz.log" || true
echo "corpus: $seeds inputs at the start, $(find "$run/corpus" -type f | wc -l) at the end"
if [ "$status" -ne 0 ]; then
    tail -n 60 "$run/fuzz.log"
    for artifact in "$run"/artifacts/*; do
        [ -f "$artifact" ] && echo "failing input $artifact: $(base64 -w0 "$artifact")"
    done
    exit 1
fi
