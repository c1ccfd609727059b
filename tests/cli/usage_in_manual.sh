#!/usr/bin/env bash
# --help, -h and every call with too few arguments print one text, plain ASCII, and it is the usage
# block of the manual page as man shows it.
# Usage: usage_in_manual.sh <zelwan command> <zelwan.1>
set -u
prog=$1
manual=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
case $prog in /*) ;; */*) prog=$PWD/$prog ;; esac
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
fail() {
    echo "FAIL: $1"
    exit 1
}

expect() {  # expect <status> <name> [arguments...]: runs zelwan with them, stdout into <name>
    local status=$1 name=$2
    shift 2
    "$prog" "$@" > "$name" < /dev/null
    local actual=$?
    [ "$actual" -eq "$status" ] || fail "zelwan $*: status $actual, expected $status"
}
expect 0 help.txt --help
expect 0 h.txt -h
expect 2 none.txt
expect 2 six.txt 1 2 3 4 5 6
[ -s help.txt ] || fail "--help printed nothing"
for f in h.txt none.txt six.txt; do
    cmp -s help.txt "$f" || fail "$f differs from the text of --help"
done
! LC_ALL=C grep -q '[^ -~]' help.txt || fail "the usage text is not plain ASCII"
[ -z "$(ls -A | grep -v '\.txt$')" ] || fail "files appeared: $(ls -A)"

command -v man > /dev/null || {
    echo "man is not installed: the manual was not rendered"
    exit 77
}
MANWIDTH=200 man --warnings -l "$manual" 2> warnings.txt | col -bx > page.txt
[ ! -s warnings.txt ] || fail "man warns: $(head -c 500 warnings.txt)"
# The block stands indented in the page: find its first line, then each next line must follow,
# indented alike (trailing spaces aside).
awk -v help=help.txt '
    BEGIN { while ((getline line < help) > 0) want[++n] = line }
    { sub(/ +$/, ""); page[++m] = $0 }
    END {
        for (i = 1; i + n - 1 <= m; i++) {
            k = index(page[i], want[1])
            if (k == 0 || substr(page[i], 1, k - 1) ~ /[^ ]/) continue
            indent = substr(page[i], 1, k - 1)
            for (j = 1; j <= n; j++) {
                expected = indent want[j]
                sub(/ +$/, "", expected)
                if (page[i + j - 1] != expected) break
            }
            if (j > n) exit 0
        }
        exit 1
    }' page.txt || fail "the manual as man shows it does not hold the usage text"
exit 0
