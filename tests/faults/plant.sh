#!/usr/bin/env bash
# Plants the faults of planted.txt one at a time in a copy of the tracked sources, builds it and
# runs the whole test suite on it; prints each fault as caught or SURVIVED, then the score.
# Not part of CI: about a minute per fault. Usage: tests/faults/plant.sh [planted.txt]
# A line of planted.txt: file @@ exact text, found exactly once @@ its replacement @@ what it breaks;
# "\n" in the texts stands for a line end.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
list=$(cd "$(dirname "${1:-$root/tests/faults/planted.txt}")" && pwd)/$(basename "${1:-planted.txt}")
tree=$(mktemp -d) || exit 1
trap 'rm -rf "$tree"' EXIT
trap 'exit 1' INT TERM  # the tree goes however the run ends
# A fault may write or loop without end: every file stops at 256 MiB (the largest the build writes
# is zelwan, 2 MB; the golden runs cap theirs lower), a golden run at 10 s (natively each takes
# under one), and the tests' temporary folders, failed cases' too, go with the tree.
ulimit -S -f 262144
export ZELWAN_CASE_SECONDS=10 TMPDIR=$tree/tmp
mkdir "$TMPDIR"
(cd "$root" && git ls-files -z | xargs -0 cp -a --parents -t "$tree") || exit 1
{ cmake -S "$tree" -B "$tree/build" -DZELWAN_BENCH=OFF > /dev/null && cmake --build "$tree/build" -j2 > /dev/null &&
    ctest --test-dir "$tree/build" -j2 --output-on-failure > "$tree/ctest.log"; } ||
    { echo "the suite fails without any fault:"; tail -n 40 "$tree/ctest.log"; exit 1; }

planted=0
caught=0
while IFS= read -r -u 3 line; do  # on its own descriptor: no test may eat the list
    [[ $line == *" @@ "* && $line != "#"* ]] || continue
    IFS=$'\x01' read -r file text replacement what <<< "${line// @@ /$'\x01'}"
    cp "$tree/$file" "$tree/saved"
    perl -0777 -i -pe 'BEGIN { ($from, $to) = map { s/\\n/\n/gr } splice @ARGV, 0, 2 } $n = s/\Q$from\E/$to/g;
        END { exit($n == 1 ? 0 : 3) }' -- "$text" "$replacement" "$tree/$file" || {
        echo "NOT PLANTED (the text is not there exactly once): $line"
        mv "$tree/saved" "$tree/$file"
        continue
    }
    planted=$((planted + 1))
    if ! cmake --build "$tree/build" -j2 > /dev/null 2>&1 || ! ctest --test-dir "$tree/build" -j2 --timeout 300 > "$tree/ctest.log" 2>&1; then
        caught=$((caught + 1))
        echo "caught    $file: $what ($(grep -c -E '\(Failed|\(Timeout|\(SEGFAULT|\(Subprocess' "$tree/ctest.log") tests)"
    else
        echo "SURVIVED  $file: $what"
    fi
    mv "$tree/saved" "$tree/$file"
    touch "$tree/$file"
    rm -rf "${TMPDIR:?}"/*
done 3< "$list"
echo "$caught of $planted planted faults caught"
