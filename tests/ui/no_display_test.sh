#!/bin/sh
# Starts the program where no window system can be reached. It must say so in one line on
# stderr (not the toolkit's advice to reinstall) and exit with status 1, not abort.
# Usage: no_display_test.sh <path to tessarion>; the environment comes from the test entry.
program=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
ulimit -c 0 # an abort must show in the status, not leave a core file behind

timeout 30 "$program" >"$out" 2>"$err"
status=$?

fail=0
complain() { echo "FAIL: $*"; fail=1; }
[ "$status" -eq 1 ] || complain "exit status $status, expected 1"
lines=$(grep -c . "$err")
[ "$lines" -eq 1 ] || complain "$lines non-empty lines on stderr, expected 1"
grep -qi 'display' "$err" || complain "stderr does not name the display"
grep -qi 'reinstall' "$err" && complain "stderr gives the advice to reinstall"
[ "$(grep -c . "$out")" -eq 0 ] || complain "unexpected output on stdout"
if [ "$fail" -ne 0 ]; then
    echo "--- stderr ---"; cat "$err"; echo "--- stdout ---"; cat "$out"
fi
exit "$fail"
