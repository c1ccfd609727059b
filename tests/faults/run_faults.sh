#!/usr/bin/env bash
# Faults the converter must survive, run end to end with the real executable in an empty directory.
# Usage: run_faults.sh <zelwan> <group> <plain|sanitized>
#   disk_full   the output or the log is a link to /dev/full, or reaches a file size limit: the
#               failed write is reported, and what was written is not mangled
#   stream      300 MB through a FIFO: complete, byte-exact, peak memory as for a small file
# Peak memory is measured in plain builds only: the sanitizers' shadow memory would swamp it.
set -u
prog=$1 group=$2 build=${3:-plain}
case $prog in /*) ;; */*) prog=$PWD/$prog ;; esac

tmp=$(mktemp -d) || exit 1
cd "$tmp" || exit 1
fail() {
    echo "FAIL $group: $1 (left in $tmp)"
    # shellcheck disable=SC2046 # one process ID a word
    kill $(jobs -p) 2> /dev/null  # FIFO ends still waiting for a partner
    exit 1
}
printf ' \r\n;\r\n' > separatory.txt  # delimiter a space, separator a semicolon

# Runs the converter under a file size limit of $1 KiB, SIGXFSZ ignored, for at most 2 minutes;
# sets status, and rss (KB) in plain builds. The largest file a run here writes is a 4 MB log:
# 65536 KiB stops a fault that writes without end.
measured_run() {
    echo 0 > rss.txt
    local timed=()
    [ "$build" = plain ] && timed=(/usr/bin/time -f %M -o rss.txt)
    # shellcheck disable=SC2016 # expanded by the inner bash
    "${timed[@]}" bash -c 'ulimit -f "$0" && trap "" XFSZ && exec timeout -k 5 120 "$@"' "$@" > stdout.txt
    status=$?
    rss=$(tail -n 1 rss.txt)
}

expect_result() {  # <status> <stdout as a printf format> [<its argument>]
    [ "$status" = "$1" ] || fail "status $status, expected $1; stdout: $(head -c 300 stdout.txt)"
    # shellcheck disable=SC2059
    printf "$2" "${3-}" | cmp -s - stdout.txt || fail "stdout: $(head -c 300 stdout.txt)"
}

disk_full() {
    # how | the file that fails | input line | lines | status. "full": that file is a link to
    # /dev/full (3 lines are lost at the close, 100000 during the run); "limit": a file size limit
    # with SIGXFSZ ignored, which the file reaches first (a rejected line writes four times as much to
    # the log as to the output), and the output written before it is the start of the whole output.
    while IFS='|' read -r how target line count expected; do
        rm -rf punkty* whole
        yes -- "$line" | head -n "$count" > punkty.txt
        [ "$how" = limit ] || ln -s /dev/full "$target"
        measured_run "$([ "$how" = limit ] && echo 64 || echo 65536)" "$prog" punkty.txt - 1 7 0 0 0
        if [ "$how" = limit ]; then
            [ "$(stat -c %s "$target")" -le 65536 ] || fail "$target is larger than the limit"
            mkdir whole && cp punkty.txt separatory.txt whole/ && (cd whole && "$prog" punkty.txt - 1 7 0 0 0)
            cmp -s -n "$(stat -c %s punkty_wynik.txt)" whole/punkty_wynik.txt punkty_wynik.txt ||
                fail "the output is not the start of the whole output"
        fi
        expect_result "$expected" 'Blad zapisu pliku %s\n' "$target"
    done << 'EOF_CASES'
full|punkty_wynik.txt|1 100 200|3|255
full|punkty_wynik.txt|1 100 200|100000|1
full|punkty_wynik.txt.log|1 100 200|3|1
full|punkty_wynik.txt.log|1 x 200|100000|1
limit|punkty_wynik.txt|1 100 200|100000|1
limit|punkty_wynik.txt.log|1 x 200|100000|1
EOF_CASES
    # Standard output itself full: a lost answer fails, and a lost start-up message keeps its status.
    for call in --help --version 'brak.txt - 1 7 0 0 0'; do
        # shellcheck disable=SC2086 # the words of the call are its arguments
        "$prog" $call > /dev/full
        status=$?
        [ "$status" = 1 ] || fail "status $status, expected 1, with standard output on /dev/full: $call"
    done
}

# About 1 MB of lines: mostly points, one line of every other kind, and last a line of 1200
# characters (two pieces, both X messages), so that the last message names the block's last piece.
write_block() {
    awk 'BEGIN { for (i = 1; i <= 30000; ++i)
                     printf "%d 55%05d.%02d 7415000.25 250.%02d\r\n", i, 38000 + i % 3000, i % 100, i % 100 }'
    printf '\r\n   \nx 1,5 2\n7 5541000 7415000 250 kod\n8 0 0 250\n9 5541000 7415000 99\n'
    printf '10 5541000 7415000\0 250\n%01200d\n' 0
}

messages() {  # the line numbers the log's messages name, in order
    LC_ALL=C sed -n "s/^[^']* w lini \([0-9][0-9]*\) .*/\1/p" "$1"
}

stream() {
    local blocks=300
    [ "$build" = plain ] || blocks=24
    write_block > blok.txt
    measured_run 65536 "$prog" blok.txt - 0 1 0 1 1
    expect_result 0 ''
    local small_rss=$rss pieces block_messages
    pieces=$(messages blok_wynik.txt.log | tail -n 1)
    block_messages=$(messages blok_wynik.txt.log | wc -l)

    mkfifo strumien.txt strumien_wynik.txt
    (for ((i = 0; i < blocks; ++i)); do cat blok.txt; done > strumien.txt) &
    md5sum < strumien_wynik.txt > got.md5 &
    measured_run 65536 "$prog" strumien.txt - 0 1 0 1 1
    expect_result 0 ''
    wait
    [ "$rss" -le $((small_rss + 2048)) ] || fail "peak RSS ${rss} KB against ${small_rss} KB for one block"
    for ((i = 0; i < blocks; ++i)); do cat blok_wynik.txt; done | md5sum | cmp -s - got.md5 ||
        fail "the streamed output is not the block's output $blocks times"
    [ "$(messages strumien_wynik.txt.log | wc -l)" = $((blocks * block_messages)) ] ||
        fail "not $blocks times the block's messages"
    [ "$(messages strumien_wynik.txt.log | tail -n 1)" = $((blocks * pieces)) ] || fail "the last message names the wrong line"
}

case $group in
    disk_full) disk_full ;;
    stream) stream ;;
    *) fail "no such group" ;;
esac
rm -rf "$tmp"
exit 0
