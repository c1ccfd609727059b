#!/usr/bin/env bash
# Runs one golden case of the converter in an empty directory and compares what it leaves, byte for byte.
# Usage: run_case.sh [--crlf-stdout] [--usage FILE] [--setup SCRIPT] <zelwan command> <case directory>
# --crlf-stdout: standard output lines end with CR LF, as on Windows (the expected stdout has LF).
# --usage FILE: the usage text of this build, for help_long, which alone holds it word for word
#               (Windows names its manual otherwise).
# --setup SCRIPT: run with bash in the working directory once in/ is there, for what git cannot hold.
# A line @USAGE@ in an expected stdout stands for the bytes `<zelwan command> --help` prints.
set -u
# Each file a run writes stops at 8 MiB (the largest any case expects is 4 KB) and a run at
# ZELWAN_CASE_SECONDS (60; a case takes under a second natively, a few under Wine): a fault that
# writes or loops without end fails the case long before CTest's timeout, and fills no disk.
cap_kib=8192 seconds=${ZELWAN_CASE_SECONDS:-60}
crlf="" usage="" setup=""
while [[ $1 == --* ]]; do
    case $1 in
        --crlf-stdout) crlf=$'\r' ;;
        --usage) usage=$2 && shift ;;
        --setup) setup=$2 && shift ;;
    esac
    shift
done
prog=$1
case_dir=$(cd "$2" && pwd) || exit 1
case $prog in /*) ;; */*) prog=$PWD/$prog ;; esac  # a relative path must still work after the cd below

tmp=$(mktemp -d) || exit 1
work=$tmp/run  # the program's working directory; our own files stay beside it
mkdir "$work" "$tmp/before"

fail() {  # fail <what went wrong> [<expected file> <actual file>]
    echo "FAIL ${case_dir##*/}: $1"
    [ -f "$case_dir/why" ] && echo "  this case proves: $(< "$case_dir/why")"
    [ $# -lt 3 ] || cmp "$2" "$3"
    [ $# -lt 3 ] || diff --label expected --label actual <(od -An -c "$2") <(od -An -c "$3") | head -n 20
    local kib
    kib=$(du -sk "$tmp" | cut -f1)  # a small folder stays for a look; a runaway's goes
    if [ "$kib" -le 1024 ]; then echo "(left in $tmp)"; else rm -rf "$tmp" && echo "(removed $tmp: $kib KiB)"; fi
    exit 1
}
# run <directory> <stdout file> <stderr file> <argument>...: the program there, capped in size and time
run() { (cd "$1" && ulimit -c 0 -f "$cap_kib" && exec timeout -k 5 "$seconds" "$prog" "${@:4}" < /dev/null > "$2" 2> "$3"); }
# list <folder> [<find tests>...]: the paths below it, sorted; none if there is no such folder
list() { (cd "$1" 2> /dev/null && find . -mindepth 1 "${@:2}" -printf '%P\n' | LC_ALL=C sort); }

[ -d "$case_dir/in" ] && cp -a "$case_dir/in/." "$work/"
[ -z "$setup" ] || (cd "$work" && bash "$setup") || fail "$setup failed"
cp -a "$work/." "$tmp/before/"
list "$work" > "$tmp/before.lst"
list "$case_dir/out" -type f > "$tmp/out.lst"

mapfile -t args < "$case_dir/args"
args=("${args[@]//@WORK@/$work}")  # an absolute path into the working directory
expected_stderr=/dev/null  # through a pipe nothing may appear on standard error
if [ -f "$case_dir/terminal" ]; then  # standard error is a terminal, as for a person; "script" makes one
    script -qec true /dev/null < /dev/null > /dev/null 2>&1 || { echo "SKIP: no terminal to be had here"; rm -rf "$tmp"; exit 77; }
    expected_stderr=$case_dir/stderr
    (ulimit -c 0 -f "$cap_kib" && exec timeout -k 5 "$seconds" script -qec \
        "cd $(printf '%q' "$work") && exec $(printf '%q ' "$prog" "${args[@]}") > $(printf '%q' "$tmp/stdout")" \
        /dev/null < /dev/null > "$tmp/stderr")
else
    run "$work" "$tmp/stdout" "$tmp/stderr" "${args[@]}"
fi
status=$?
[ "$status" != 124 ] || fail "still running after $seconds s"
[ "$status" != 153 ] || fail "a file reached the cap of $cap_kib KiB"
[ "$status" = "$(< "$case_dir/status")" ] ||
    fail "exit status $status, expected $(< "$case_dir/status"); stdout: $(head -c 300 "$tmp/stdout")"

expected_stdout=$case_dir/stdout
[ -n "$usage" ] && cmp -s "$expected_stdout" "$(dirname "$0")/help_long/stdout" && expected_stdout=$usage
if grep -qx @USAGE@ "$expected_stdout"; then
    run "$tmp" "$tmp/usage" /dev/null --help || fail "--help: exit status $?"
fi
LC_ALL=C sed -e "/^@USAGE@\$/{r $tmp/usage" -e d -e '}' -e "s/\$/$crlf/" "$expected_stdout" > "$tmp/expected_stdout"
cmp -s "$tmp/expected_stdout" "$tmp/stdout" || fail "stdout differs" "$tmp/expected_stdout" "$tmp/stdout"
cmp -s "$expected_stderr" "$tmp/stderr" || fail "stderr differs" "$expected_stderr" "$tmp/stderr"

while IFS= read -r f; do
    actual=$work/$f
    [ -f "$actual" ] || fail "file $f was not created"
    if [[ $f == *.log ]]; then  # the run's time stamp is the one thing allowed to change
        LC_ALL=C sed -E 's/^(Data \/ godzina wykonania transformacji: )[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}/\1YYYY-MM-DD HH:MM:SS/' \
            "$actual" > "$tmp/masked.log"
        actual=$tmp/masked.log
    fi
    cmp -s "$case_dir/out/$f" "$actual" || fail "file $f differs" "$case_dir/out/$f" "$actual"
    if [[ $f == *.svg ]] && command -v rsvg-convert > /dev/null; then  # a map must also draw
        rsvg-convert "$actual" > "$tmp/map.png" || fail "rsvg-convert cannot draw $f"
    elif [[ $f == *.svg ]]; then
        echo "rsvg-convert is missing (Debian: librsvg2-bin): $f was not drawn"
    fi
done < "$tmp/out.lst"

list "$work" > "$tmp/after.lst"
extra=$(LC_ALL=C comm -13 "$tmp/before.lst" "$tmp/after.lst" | LC_ALL=C comm -23 - "$tmp/out.lst")
[ -z "$extra" ] || fail "unexpected new files: $extra"
gone=$(LC_ALL=C comm -23 "$tmp/before.lst" "$tmp/after.lst")
[ -z "$gone" ] || fail "files removed: $gone"
while IFS= read -r f; do  # whatever was there before the run and is not an expected result stays as it was
    [ ! -f "$tmp/before/$f" ] || cmp -s "$tmp/before/$f" "$work/$f" || fail "file $f was changed" "$tmp/before/$f" "$work/$f"
done < <(LC_ALL=C comm -23 "$tmp/before.lst" "$tmp/out.lst")

rm -rf "$tmp"
exit 0
