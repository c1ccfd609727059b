#!/usr/bin/env bash
# Times zelwan beside the tools users would pick instead, on generated survey files.
#   bench/run.sh [LINES] [REPETITIONS]      (defaults: 2000000 lines, 5 repetitions)
# Builds Release into build-bench/, generates the inputs once, then runs every tool on every
# file in one rotation, alternating, and prints medians, throughput, peak memory and ratios.
# Then the many small calls a calling tool makes: zelwan and cat on a 20-line file, 500 calls a
# repetition. Installs nothing: it says what is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lines=${1:-2000000}
reps=${2:-5}
build=$root/build-bench

for tool in cmake g++ mawk md5sum; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (Debian: apt-get install ${tool/g++/g++})"; exit 1; }
done
have_cct=1
command -v cct >/dev/null || { have_cct=0; echo "cct not installed (Debian: apt-get install proj-bin): its rows are skipped"; }

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELWAN_TESTS=OFF -DZELWAN_BENCH=ON >/dev/null
cmake --build "$build" -j2 >/dev/null
data=$build/data
work=$build/work
mkdir -p "$data" "$work/out"
printf ' \r\n;\r\n' > "$work/separatory.txt"

files=(county county_mixed skawina)
for kind in "${files[@]}"; do
    input=$data/${kind}_$lines.txt
    [ -s "$input" ] || "$build/bench/generate_points" "$kind" "$lines" "$input"
done
small=$data/small_20.txt
[ -s "$small" ] || "$build/bench/generate_points" county 20 "$small"
small_calls=500

# The polynomial of each direction as a transformation pipeline: axes swapped, complex Horner
# around the input origin (Y, X), axes swapped back.
pipeline_county="+proj=pipeline +step +proj=axisswap +order=2,1 +step +proj=horner +deg=3
 +fwd_origin=4556931.698,5410037.1898 +fwd_c=5552847.602292087,7425759.9002740765,1.00012379553458,
-0.00118043397773202,3.25783585451348e-10,4.10668920546648e-10,-1.74009549582911e-15,4.00954626604153e-16
 +range=500000 +step +proj=axisswap +order=2,1"
pipeline_skawina="+proj=pipeline +step +proj=axisswap +order=2,1 +step +proj=horner +deg=2
 +fwd_origin=301968.10625,-25645.59375 +fwd_c=5541276.3621643605,7415792.2407132145,-0.999138812971804,
0.0405582533306803,1.21431557539671e-10,9.12649499124223e-10 +range=500000 +step +proj=axisswap +order=2,1"

# run_tool TOOL KIND: one timed run, appended to the results as "KIND TOOL SECONDS RSS_KIB".
run_tool() {
    local tool=$1 kind=$2 input=$data/${2}_$lines.txt timing
    case $tool in
        zelwan)
            local direction=2
            [ "$kind" = skawina ] && direction=0
            timing=$(cd "$work" && "$build/bench/measure" "$build/zelwan" "$input" out/ 0 $direction 0 1 1 2>&1 >/dev/null) ;;
        mawk)
            # shellcheck disable=SC2016 # mawk's fields, not the shell's
            timing=$("$build/bench/measure" -o "$work/out/mawk_$kind.txt" mawk '{print $1";"$2";"$3";"$4}' "$input" 2>&1) ;;
        cct)
            local pipeline=$pipeline_county
            [ "$kind" = skawina ] && pipeline=$pipeline_skawina
            # shellcheck disable=SC2086 # the pipeline is a list of words
            timing=$("$build/bench/measure" cct -d 3 -c 2,3,4,1 -o "$work/out/cct_$kind.txt" ${pipeline//$'\n'/} "$input" 2>&1) ;;
    esac
    echo "$kind $tool $timing" >> "$results"
}

# run_small TOOL: 500 calls on the 20-line file, appended as "small TOOL SECONDS RSS_KIB".
run_small() {
    local timing
    case $1 in
        zelwan) timing=$(cd "$work" && "$build/bench/measure" -n $small_calls "$build/zelwan" "$small" out/ 0 2 0 1 1 2>&1 >/dev/null) ;;
        cat) timing=$("$build/bench/measure" -o /dev/null -n $small_calls cat "$small" 2>&1) ;;
    esac
    echo "small $1 $timing" >> "$results"
}

tools=(zelwan mawk)
[ $have_cct -eq 1 ] && tools+=(cct)
results=$work/results.txt
: > "$results"
for ((rep = 1; rep <= reps; rep++)); do
    for kind in "${files[@]}"; do
        for tool in "${tools[@]}"; do
            run_tool "$tool" "$kind"
        done
    done
    run_small zelwan
    run_small cat
done

median_of() {  # median_of KIND TOOL: the median seconds of its runs
    awk -v k="$1" -v t="$2" '$1 == k && $2 == t { print $3 }' "$results" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo
echo "$lines lines, $reps repetitions, medians ($(nproc) cores, $(uname -m))"
printf '%-13s %-7s %9s %12s %8s %10s %12s\n' file tool seconds lines/s MB/s peak_KiB vs_zelwan
for kind in "${files[@]}"; do
    megabytes=$(( $(stat -c %s "$data/${kind}_$lines.txt") ))
    zelwan_median=""
    for tool in "${tools[@]}"; do
        median=$(median_of "$kind" "$tool")
        peak=$(awk -v k="$kind" -v t="$tool" '$1 == k && $2 == t && $4 > m { m = $4 } END { print m }' "$results")
        [ "$tool" = zelwan ] && zelwan_median=$median
        awk -v f="$kind" -v t="$tool" -v s="$median" -v n="$lines" -v b="$megabytes" -v p="$peak" -v z="$zelwan_median" \
            'BEGIN { printf "%-13s %-7s %9.3f %12.0f %8.1f %10d %11.2fx\n", f, t, s, n / s, b / s / 1e6, p, s / z }'
    done
done

echo
echo "20-line file, $small_calls calls a repetition, medians:"
small_zelwan=$(median_of small zelwan)
small_cat=$(median_of small cat)
awk -v z="$small_zelwan" -v c="$small_cat" -v n=$small_calls 'BEGIN {
    printf "%-13s %-7s %9s %12s %11s\n", "file", "tool", "seconds", "calls/s", "vs_cat"
    printf "%-13s %-7s %9.3f %12.0f %10.2fx\n", "small_20", "zelwan", z, n / z, z / c
    printf "%-13s %-7s %9.3f %12.0f %10.2fx\n", "small_20", "cat", c, n / c, 1 }'

echo
echo "checksums of zelwan's files (the log without its time stamp), to compare before and after a change:"
for kind in "${files[@]}"; do
    out=$work/out/${kind}_${lines}_wynik.txt
    printf '%-13s output %s  log %s\n' "$kind" "$(md5sum < "$out" | cut -c1-32)" \
        "$(grep -av '^Data / godzina' "$out.log" | md5sum | cut -c1-32)"
done
