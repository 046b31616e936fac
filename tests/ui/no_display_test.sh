#!/bin/sh
# Starts the program where no window can be opened. It must say why in one line on stderr (not
# the toolkit's advice to reinstall) and exit with status 1, not abort.
# Usage: no_display_test.sh <path to tessarion> [<text the line must hold> [<text it must not>]]
# By default the line must name the display. The environment comes from the test entry;
# DISPLAY=unused there stands for an X display that no server answers, found at run time.
program=$1
expected=${2:-display}
forbidden=${3:-}
out=$(mktemp) err=$(mktemp)
# A private runtime folder, so nothing else in it answers and nothing warns about it.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$out" "$err" "$XDG_RUNTIME_DIR"' EXIT
ulimit -c 0 # an abort must show in the status, not leave a core file behind

# A display number with neither a socket (in /tmp or abstract) nor a lock, far above where
# Xvfb -displayfd (from 0) and xvfb-run -a (from 99) look for one to take.
if [ "${DISPLAY:-}" = unused ]; then
    n=400
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] ||
        grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null; do
        n=$((n + 1))
    done
    DISPLAY=:$n
    export DISPLAY
fi

timeout 30 "$program" >"$out" 2>"$err"
status=$?

fail=0
complain() { echo "FAIL: $*"; fail=1; }
[ "$status" -eq 1 ] || complain "exit status $status, expected 1"
lines=$(grep -c . "$err")
[ "$lines" -eq 1 ] || complain "$lines non-empty lines on stderr, expected 1"
grep -qiF -- "$expected" "$err" || complain "stderr does not say '$expected'"
[ -n "$forbidden" ] && grep -qiF -- "$forbidden" "$err" && complain "stderr says '$forbidden'"
grep -qi 'reinstall' "$err" && complain "stderr gives the advice to reinstall"
[ "$(grep -c . "$out")" -eq 0 ] || complain "unexpected output on stdout"
if [ "$fail" -ne 0 ]; then
    echo "--- stderr ---"; cat "$err"; echo "--- stdout ---"; cat "$out"
fi
exit "$fail"
