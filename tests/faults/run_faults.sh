#!/usr/bin/env bash
# Faults the converter must survive, run end to end with the real executable in an empty directory.
# Usage: run_faults.sh <zelwan> <group> <plain|sanitized>
#   write_full  the output or the log is a link to /dev/full: the failed write is reported
#   size_limit  the same under a file size limit with SIGXFSZ ignored; what was written is not mangled
#   garbage     a compiled program as input: the run completes and every line is accounted for
#   stream      300 MB through a FIFO: complete, byte-exact, peak memory as for a small file
# Peak memory is measured in plain builds only: the sanitizers' shadow memory would swamp it.
set -u
prog=$1
group=$2
build=${3:-plain}
case $prog in /*) ;; */*) prog=$PWD/$prog ;; esac

tmp=$(mktemp -d) || exit 1
cd "$tmp" || exit 1
fail() {
    echo "FAIL $group: $1"
    echo "(left in $tmp)"
    kill $(jobs -p) 2> /dev/null  # FIFO ends still waiting for a partner
    exit 1
}
printf ' \r\n;\r\n' > separatory.txt  # delimiter a space, separator a semicolon

# The status must be $1 and stdout exactly the text $2 (printf format, argument $3).
expect_result() {
    [ "$status" = "$1" ] || fail "status $status, expected $1; stdout: $(head -c 300 stdout.txt)"
    # shellcheck disable=SC2059
    printf "$2" "${3-}" | cmp -s - stdout.txt || fail "stdout: $(head -c 300 stdout.txt)"
}

# Runs the converter with the given arguments; sets status, and rss (KB) in plain builds.
measured_run() {
    if [ "$build" = plain ]; then
        [ -x /usr/bin/time ] || fail "peak memory needs /usr/bin/time (Debian package time)"
        /usr/bin/time -f %M -o rss.txt "$prog" "$@" > stdout.txt
        status=$?
        rss=$(tail -n 1 rss.txt)
    else
        "$prog" "$@" > stdout.txt
        status=$?
    fi
}

# A long run keeps the memory of a short one: fixed buffers, nothing held per line.
expect_constant_memory() {  # <peak KB of the small run>
    [ "$build" = plain ] || return 0
    [ "$rss" -le $(($1 + 2048)) ] && [ "$rss" -le 16384 ] ||
        fail "peak RSS ${rss} KB against ${1} KB for a small input"
}

# "<pieces> <non-empty>": the lines of a file as the converter takes them (a Ctrl-Z ends the file,
# at most 999 characters at a time, CR LF counting as one), and how many of them are not empty
# once cut at their first LF, CR or NUL.
count_lines() {
    perl -0777 -ne '
        s/\x1A.*//s;
        my ($pieces, $non_empty) = (0, 0);
        while (/\G([^\n]{0,998}\n|[^\n]{998}\r\n|[^\n]{1,999})/gc) {
            ++$pieces;
            ++$non_empty if $1 =~ /^[^\n\r\0]/;
        }
        print "$pieces $non_empty\n";' "$1"
}

# Line numbers of the log's messages, in the log's order. No message text has a quote before its
# number, and the input's text comes after it.
message_numbers() {
    LC_ALL=C sed -n "s/^[^']* w lini \([0-9][0-9]*\) .*/\1/p" "$1"
}

# Every non-empty line left exactly one output line or the NR message; every log line after the
# header is a message, numbered in order and never past the lines read.
expect_accounted() {  # <input> <output> <log> <header lines>
    local pieces non_empty written nr_messages log_lines
    read -r pieces non_empty < <(count_lines "$1")
    written=$(tr -cd '\n' < "$2" | wc -c)
    nr_messages=$(LC_ALL=C grep -ac $'^b\xB3\xEAdny format w lini [0-9]* NR \x27' "$3")
    [ $((written + nr_messages)) = "$non_empty" ] ||
        fail "$1: $written output lines and $nr_messages NR messages for $non_empty non-empty lines"
    [ ! -s "$2" ] || [ "$(tail -c 2 "$2" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$2 does not end with CR LF"
    log_lines=$(tr -cd '\n' < "$3" | wc -c)
    [ $((log_lines - $4)) = "$(message_numbers "$3" | wc -l)" ] || fail "$3 holds lines that are no message"
    message_numbers "$3" | awk -v pieces="$pieces" '$1 < last || $1 > pieces { bad = 1 } { last = $1 } END { exit bad }' ||
        fail "$3: line numbers out of order or past line $pieces"
}

write_full() {
    # file linked to /dev/full | input line | lines | status
    # The output's last data lost when it is closed; the output full during the run; the log's
    # header lost when it is closed; the log full during the run.
    while IFS='|' read -r target line count expected; do
        rm -f punkty*
        yes -- "$line" | head -n "$count" > punkty.txt
        ln -s /dev/full "$target"
        "$prog" punkty.txt - 1 7 0 0 0 > stdout.txt
        status=$?
        expect_result "$expected" 'Blad zapisu pliku %s\n' "$target"
    done << 'EOF'
punkty_wynik.txt|1 100 200|3|255
punkty_wynik.txt|1 100 200|100000|1
punkty_wynik.txt.log|1 100 200|3|1
punkty_wynik.txt.log|1 x 200|100000|1
EOF
}

size_limit() {
    # input line | its output line | the file that reaches the limit first
    # A rejected line writes four times as much to the log as to the output.
    while IFS='|' read -r line output_line target; do
        rm -f punkty*
        yes -- "$line" | head -n 100000 > punkty.txt
        (ulimit -f 64 && trap '' XFSZ && exec "$prog" punkty.txt - 1 7 0 0 0) > stdout.txt
        status=$?
        expect_result 1 'Blad zapisu pliku %s\n' "$target"
        [ "$(stat -c %s "$target")" -le 65536 ] || fail "$target is larger than the limit"
        yes -- "$output_line"$'\r' | head -n 100000 > expected.txt
        cmp -s -n "$(stat -c %s punkty_wynik.txt)" expected.txt punkty_wynik.txt ||
            fail "the output is not the start of the full output"
    done << 'EOF'
1 100 200|1;100.00;200.00|punkty_wynik.txt
1 x 200|1 x 200|punkty_wynik.txt.log
EOF
}

garbage() {
    printf '12 5541000.00 7415000.00 250.00\r\n' > maly.txt
    measured_run maly.txt - 0 1 0 1 1
    expect_result 0 ''
    local small_rss=${rss:-0} header_lines
    header_lines=$(tr -cd '\n' < maly_wynik.txt.log | wc -c)
    # The program as it is (its first Ctrl-Z ends the input), and with every Ctrl-Z taken out.
    cp "$prog" surowy.bin
    tr -d '\032' < "$prog" > caly.bin
    for name in surowy caly; do
        measured_run "$name.bin" - 0 1 0 1 1
        expect_result 0 ''
        expect_constant_memory "$small_rss"
        expect_accounted "$name.bin" "${name}_wynik.bin" "${name}_wynik.bin.log" "$header_lines"
    done
}

# About 1 MB of lines, ending with a line end: mostly points, and one line of every other kind.
write_block() {
    awk 'BEGIN { for (i = 1; i <= 30000; ++i)
                     printf "%d 55%05d.%02d 7415000.25 250.%02d\r\n", i, 38000 + i % 3000, i % 100, i % 100 }'
    printf '\r\n'                           # empty: counted, nothing written
    printf '   \n'                          # delimiters only: the NR message
    printf 'x 1,5 2\n'                      # a bad X: copied
    printf '7 5541000 7415000 250 kod\n'    # a fifth field: warned, converted
    printf '8 0 0 250\n'                    # outside Skawina: copied
    printf '9 5541000 7415000 99\n'         # H out of range: copied
    printf '10 5541000 7415000\0 250\n'     # a NUL ends the content
    printf '%01200d\n' 0                    # 1200 characters: two lines
}

stream() {
    local blocks=300 pieces non_empty block_messages last_in_block
    [ "$build" = plain ] || blocks=24
    write_block > blok.txt
    measured_run blok.txt - 0 1 0 1 1
    expect_result 0 ''
    local small_rss=${rss:-0} header_lines
    header_lines=$(($(tr -cd '\n' < blok_wynik.txt.log | wc -c) - $(message_numbers blok_wynik.txt.log | wc -l)))
    expect_accounted blok.txt blok_wynik.txt blok_wynik.txt.log "$header_lines"
    read -r pieces non_empty < <(count_lines blok.txt)
    block_messages=$(message_numbers blok_wynik.txt.log | wc -l)
    last_in_block=$(message_numbers blok_wynik.txt.log | tail -n 1)

    mkfifo strumien.txt strumien_wynik.txt
    (for ((i = 0; i < blocks; ++i)); do cat blok.txt; done > strumien.txt) &
    md5sum < strumien_wynik.txt > got.md5 &
    measured_run strumien.txt - 0 1 0 1 1
    expect_result 0 ''
    wait
    expect_constant_memory "$small_rss"
    for ((i = 0; i < blocks; ++i)); do cat blok_wynik.txt; done | md5sum | cmp -s - got.md5 ||
        fail "the streamed output is not the block's output $blocks times"
    [ "$(message_numbers strumien_wynik.txt.log | wc -l)" = $((blocks * block_messages)) ] ||
        fail "not $blocks times the block's messages"
    [ "$(message_numbers strumien_wynik.txt.log | tail -n 1)" = $(((blocks - 1) * pieces + last_in_block)) ] ||
        fail "the last message names the wrong line"
}

case $group in
    write_full | size_limit | garbage | stream) "$group" ;;
    *) fail "no such group" ;;
esac
rm -rf "$tmp"
exit 0
