#!/bin/sh
# command_line_test.sh <tessarion>: command lines that end it at once, with their exit status and
# a line printed. The test names a platform that does not exist: all but the last case would end
# with status 1 if they created the application object.
program=$1 out=$(mktemp) fail=0
check() { # <status> <line on stdout or stderr> <arguments>...
    status=$1 line=$2
    shift 2
    timeout 30 "$program" "$@" >"$out" 2>&1
    got=$?
    [ "$got" -eq "$status" ] && grep -qxF -- "$line" "$out" && return
    echo "FAIL: $*: status $got, expected $status and '$line'; printed:" && cat "$out" && fail=1
}
check 2 "tessarion: --amplitude 15: the amplitude must be a whole number from 0 to 14, as its read-out shows it" --amplitude 15
check 2 "tessarion: --frequency -1: the frequency must be a whole number of degrees per tick from 0 to 40" --frequency -1
check 2 "tessarion: --phase 1.5: the phase must be a whole number of degrees from -359 to 359" --phase 1.5
check 2 "tessarion: --phase abc: the phase must be a whole number of degrees from -359 to 359" --amplitude=3 --phase abc
check 0 "  --phase <number>      The phase in whole degrees, from -359 to 359." --help
check 0 "Tessarion 1.00" --version
LANG=ro_RO.UTF-8 check 2 "tessarion: --phase 360: faza trebuie să fie un număr întreg de grade, de la -359 la 359" --phase 360
# Unknown before the application object exists, it may be one of the toolkit's own options.
check 2 "tessarion: Unknown option 'bogus'." -platform offscreen --bogus
rm -f "$out"
exit "$fail"
