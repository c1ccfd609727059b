#!/usr/bin/env bash
# The manual page as man shows it: no warnings, the usage text that --help prints (the expected
# stdout of the golden case help_long) in it, and every message of the program explained word for word.
# Usage: manual.sh <source folder>
set -u
root=$1
command -v man > /dev/null || { echo "man is not installed: the manual was not rendered"; exit 77; }
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL manual: $1"; exit 1; }

MANWIDTH=200 man --warnings -l "$root/zelwan.1" 2> "$tmp/warnings" | col -bx > "$tmp/page"
[ ! -s "$tmp/warnings" ] || fail "man warns: $(head -c 500 "$tmp/warnings")"
# Indentation and trailing blanks aside, the usage lines stand in the page one after another.
flat() { sed -E 's/^ +//; s/ +$//' "$1" | tr '\n' '\r'; }
page=$(flat "$tmp/page")
usage=$(flat "$root/tests/cli/help_long/stdout")
[[ $page == *"$usage"* ]] || fail "the page does not hold the usage text"

# The readable text above each log message, and the plain ASCII ones on standard output.
messages=$root/src/driver/messages.h
{
    grep -B1 '^inline constexpr char MSG_' "$messages" | sed -n '/^\/\/ ---/d; s|^// \(.*\)$|\1|p'
    sed -n '/\\x/d; s/^inline constexpr char MSG_[A-Z0-9_]*\[\] = "\(.*\)\\n";$/\1/p' "$messages"
} > "$tmp/messages"
[ "$(wc -l < "$tmp/messages")" -ge 16 ] || fail "fewer messages found than the program has"
while IFS= read -r message; do
    grep -qF "\"$message\"" "$root/zelwan.1" || fail "not explained: $message"
done < "$tmp/messages"
