#!/usr/bin/env bash
# The Wine prefix of one test run, named by WINEPREFIX: "start" makes it afresh, "stop" ends its
# server and Wine's own background processes, so that nothing of Wine outlives the run.
set -u
wineserver -k 2> /dev/null  # "stop", or at the start a server left by an earlier run of the same prefix
[ "$1" = start ] || exit 0
rm -rf "$WINEPREFIX"
wineboot -i && wineserver -w || exit 1
# One server and Wine's background processes for the whole run, started here with no hold on
# any test's output: ctest reads a test's output until every process holding it has ended, so
# a test that happened to start them would last until they did. Gone 2 minutes after the last
# Windows process, if the stop never comes.
wineserver -p120 < /dev/null > /dev/null 2>&1
wine cmd /c exit < /dev/null > /dev/null 2>&1
