#!/usr/bin/env bash
# The progress line: on a terminal it appears once a run lasts, and is cleared at the end; through a
# pipe standard error stays empty. Neither depends on timing: the input is a FIFO that is fed until
# the line appears (terminal) or for two seconds (pipe), so the run lasts as long as needed.
# Usage: progress.sh <zelwan command> terminal|pipe
set -u
prog=$1
mode=$2
case $prog in /*) ;; */*) prog=$PWD/$prog ;; esac
tmp=$(mktemp -d) || exit 1
cd "$tmp" || exit 1
fail() {
    echo "FAIL progress $mode: $1 (left in $tmp)"
    exit 1
}

printf ' \r\n;\r\n' > separatory.txt
yes '12 5541000.00 7415000.00 250.00' | head -n 4096 > batch.txt  # the worked example, one stride
mkfifo punkty.txt
exec 3<> punkty.txt  # read-write: opening cannot block; only this shell holds it, until it closes it
arguments=(punkty.txt - 0 1 0 1 1)
if [ "$mode" = terminal ]; then
    # script gives zelwan a terminal as standard error; standard output goes to a file.
    script -qec "$(printf '%q ' "$prog" "${arguments[@]}") > stdout.txt" /dev/null > terminal.txt 2>&1 3>&- &
else
    ("$prog" "${arguments[@]}" 2>&1 > stdout.txt | cat > stderr.txt; exit "${PIPESTATUS[0]}") 3>&- &
fi
pid=$!

batches=0
started=$SECONDS
while true; do
    cat batch.txt >&3
    batches=$((batches + 1))
    sleep 0.01
    if [ "$mode" = terminal ]; then
        grep -q 'linii/s' terminal.txt && break
        [ $((SECONDS - started)) -lt 120 ] || fail "no progress line after 120 s"
    else
        [ $((SECONDS - started)) -lt 3 ] || break  # at least two whole seconds
    fi
done
exec 3>&-
wait "$pid"
status=$?

[ "$status" -eq 0 ] || fail "exit status $status"
[ ! -s stdout.txt ] || fail "standard output: $(head -c 200 stdout.txt)"
expected_lines=$((batches * 4096))
[ "$(grep -c -x -F $'12;-25401.583;302770.935;249.97\r' punkty_wynik.txt)" -eq "$expected_lines" ] &&
    [ "$(wc -l < punkty_wynik.txt)" -eq "$expected_lines" ] || fail "the output is not $expected_lines converted lines"
! grep -q 'linii' punkty_wynik.txt.log || fail "the progress line reached the log"
if [ "$mode" = terminal ]; then
    shown=$(< terminal.txt)
    line=$'\r''zelwan: [0-9]+ linii, [0-9]+ linii/s *'
    [[ $shown =~ ^($line)+$'\r'( +)$'\r'$ ]] || fail "not progress lines, then cleared: $(od -c terminal.txt | tail -n 4)"
    blank=${BASH_REMATCH[2]}
    last=${shown%$'\r'"$blank"$'\r'}
    last=${last##*$'\r'}
    [ ${#blank} -ge ${#last} ] || fail "the last line is ${#last} characters, the blank ${#blank}"
else
    [ ! -s stderr.txt ] || fail "standard error: $(head -c 200 stderr.txt)"
fi
rm -rf "$tmp"
exit 0
