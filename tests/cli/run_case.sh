#!/usr/bin/env bash
# Runs one golden case of the converter in an empty directory and compares what it leaves, byte for byte.
# Usage: run_case.sh [--crlf-stdout] [--usage FILE] <zelwan command> <case directory>
# --crlf-stdout: standard output lines end with CR LF, as on Windows (the expected stdout has LF).
# --usage FILE: the usage text of this build, where an expected stdout is help_long's (Windows names
#               its manual otherwise).
set -u
crlf_stdout=false
usage=""
while [[ $1 == --* ]]; do
    case $1 in
        --crlf-stdout) crlf_stdout=true ;;
        --usage) usage=$2 && shift ;;
    esac
    shift
done
prog=$1
case_dir=$(cd "$2" && pwd) || exit 1
name=${case_dir##*/}
case $prog in /*) ;; */*) prog=$PWD/$prog ;; esac  # a relative path must still work after the cd below

tmp=$(mktemp -d) || exit 1
work=$tmp/run  # the program's working directory; our own files stay beside it
mkdir "$work" "$tmp/before"

fail() {  # fail <what went wrong> [<expected file> <actual file>]
    echo "FAIL $name: $1"
    [ -f "$case_dir/why" ] && echo "  this case proves: $(< "$case_dir/why")"
    if [ $# -eq 3 ]; then
        cmp "$2" "$3"
        diff --label expected --label actual <(od -An -c "$2") <(od -An -c "$3") | head -n 20
    fi
    echo "(left in $tmp)"
    exit 1
}
list() { (cd "$1" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort); }

[ -d "$case_dir/in" ] && cp -a "$case_dir/in/." "$work/"
if [ -f "$case_dir/setup.sh" ]; then
    (cd "$work" && bash "$case_dir/setup.sh") || fail "setup.sh failed"
fi
cp -a "$work/." "$tmp/before/"
list "$work" > "$tmp/before.lst"
if [ -d "$case_dir/out" ]; then
    (cd "$case_dir/out" && find . -type f -printf '%P\n' | LC_ALL=C sort) > "$tmp/out.lst"
else
    : > "$tmp/out.lst"
fi

mapfile -t args < "$case_dir/args"
args=("${args[@]//@WORK@/$work}")  # an absolute path into the working directory
if [ -f "$case_dir/terminal" ]; then  # standard error is a terminal, as for a person; "script" makes one
    script -qec "cd $(printf '%q' "$work") && exec $(printf '%q ' "$prog" "${args[@]}") > $(printf '%q' "$tmp/stdout")" \
        /dev/null < /dev/null > "$tmp/stderr"
else
    (cd "$work" && exec "$prog" "${args[@]}" < /dev/null > "$tmp/stdout" 2> "$tmp/stderr")
fi
status=$?

expected_status=$(< "$case_dir/status")
[ "$status" = "$expected_status" ] ||
    fail "exit status $status, expected $expected_status; stdout: $(head -c 300 "$tmp/stdout")"

expected_stdout=$case_dir/stdout
if [ -n "$usage" ] && cmp -s "$expected_stdout" "$(dirname "$0")/help_long/stdout"; then
    expected_stdout=$usage
fi
if $crlf_stdout; then
    sed 's/$/\r/' "$expected_stdout" > "$tmp/expected_stdout"
    expected_stdout=$tmp/expected_stdout
fi
cmp -s "$expected_stdout" "$tmp/stdout" || fail "stdout differs" "$expected_stdout" "$tmp/stdout"

# Through a pipe nothing may appear on standard error; on a terminal, the expected lines.
if [ -f "$case_dir/terminal" ]; then
    cmp -s "$case_dir/stderr" "$tmp/stderr" || fail "stderr differs" "$case_dir/stderr" "$tmp/stderr"
else
    [ ! -s "$tmp/stderr" ] || fail "stderr: $(head -c 300 "$tmp/stderr")"
fi

while IFS= read -r f; do
    actual=$work/$f
    [ -f "$actual" ] || fail "file $f was not created"
    if [[ $f == *.log ]]; then  # the run's time stamp is the one thing allowed to change
        LC_ALL=C sed -E 's/^(Data \/ godzina wykonania transformacji: )[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}/\1YYYY-MM-DD HH:MM:SS/' \
            "$actual" > "$tmp/masked.log"
        actual=$tmp/masked.log
    fi
    cmp -s "$case_dir/out/$f" "$actual" || fail "file $f differs" "$case_dir/out/$f" "$actual"
    if [[ $f == *.svg ]]; then  # a map must also draw
        if command -v rsvg-convert > /dev/null; then
            rsvg-convert "$actual" > "$tmp/map.png" || fail "rsvg-convert cannot draw $f"
        else
            echo "rsvg-convert is missing (Debian: librsvg2-bin): $f was not drawn"
        fi
    fi
done < "$tmp/out.lst"

list "$work" > "$tmp/after.lst"
extra=$(LC_ALL=C comm -13 "$tmp/before.lst" "$tmp/after.lst" | LC_ALL=C comm -23 - "$tmp/out.lst")
[ -z "$extra" ] || fail "unexpected new files: $extra"
gone=$(LC_ALL=C comm -23 "$tmp/before.lst" "$tmp/after.lst")
[ -z "$gone" ] || fail "files removed: $gone"
while IFS= read -r f; do  # whatever was there before the run and is not an expected result stays as it was
    [ -f "$tmp/before/$f" ] || continue
    grep -qxF -- "$f" "$tmp/out.lst" && continue
    cmp -s "$tmp/before/$f" "$work/$f" || fail "file $f was changed" "$tmp/before/$f" "$work/$f"
done < "$tmp/before.lst"

rm -rf "$tmp"
exit 0
