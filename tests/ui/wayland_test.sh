#!/bin/sh
# Runs the program natively on Wayland under a headless Weston. The window must come up (the
# compositor gets its first frame, under the program's app id), no message may be printed, and
# the program must exit with status 0 when the window is closed.
# Usage: wayland_test.sh <path to tessarion> <folder holding generic/ with the closing plugin>
program=$1
plugins=$2

if ! command -v weston >/dev/null 2>&1; then
    echo "FAIL: weston not found; scripts/packages.sh installs it, ctest -LE wayland leaves this out"
    exit 1
fi

# A private runtime folder holds the compositor's socket; it must be 0700, as mktemp makes it.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
dir=$XDG_RUNTIME_DIR
trap 'rm -rf "$dir"' EXIT
ulimit -c 0

# Weston starts the program once its socket is listening and quits when the program exits.
# The program's protocol log (WAYLAND_DEBUG) and any message go to files of their own.
cat >"$dir/client" <<'CLIENT'
#!/bin/sh
WAYLAND_DEBUG=client "$TESSARION_PROGRAM" >"$XDG_RUNTIME_DIR/stdout" 2>"$XDG_RUNTIME_DIR/stderr"
echo $? >"$XDG_RUNTIME_DIR/status"
CLIENT
chmod +x "$dir/client"
printf '[core]\nidle-time=0\n\n[autolaunch]\npath=%s\nwatch=true\n' "$dir/client" >"$dir/weston.ini"

TESSARION_PROGRAM=$program QT_QPA_PLATFORM=wayland QT_PLUGIN_PATH=$plugins \
    QT_QPA_GENERIC_PLUGINS=tessarion-close-on-expose \
    timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET weston --backend=headless-backend.so --config="$dir/weston.ini" --socket=tessarion-test \
    --log="$dir/weston.log" >"$dir/weston.out" 2>&1
weston_status=$?

fail=0
complain() { echo "FAIL: $*"; fail=1; }
if [ ! -f "$dir/status" ]; then
    complain "the program did not finish (weston exit status $weston_status)"
else
    status=$(cat "$dir/status")
    [ "$status" -eq 0 ] || complain "exit status $status, expected 0"
    # Every line of the protocol log starts with a time stamp in brackets; anything else is a
    # message from the toolkit or the program.
    messages=$(grep -v '^\[ *[0-9.]*\]' "$dir/stderr")
    [ -z "$messages" ] || complain "messages on stderr:
$messages"
    grep -q 'xdg_toplevel@[0-9]*\.set_app_id("io\.github\.tessarion\.tessarion")' "$dir/stderr" ||
        complain "no xdg toplevel with the program's app id"
    # The first frame: after the compositor's first configure, a buffer attached to the
    # toplevel's own surface and committed.
    surface=$(sed -n 's/.*get_xdg_surface(new id xdg_surface@[0-9]*, \(wl_surface@[0-9]*\)).*/\1/p' \
        "$dir/stderr" | head -n 1)
    if [ -z "$surface" ]; then
        complain "no xdg surface was made"
    else
        sed -n '/xdg_surface@[0-9]*\.configure(/,$p' "$dir/stderr" |
            sed -n "/-> $surface\.attach(wl_buffer@/,\$p" | grep -q -- "-> $surface\.commit()" ||
            complain "no frame committed to $surface after the first configure"
    fi
    grep -q '^exposed [0-9]*x[0-9]*$' "$dir/stdout" || complain "the window was never exposed"
fi
if [ "$fail" -ne 0 ]; then
    echo "--- program stderr (protocol log, last 40 lines) ---"; tail -n 40 "$dir/stderr" 2>/dev/null
    echo "--- program stdout ---"; cat "$dir/stdout" 2>/dev/null
    echo "--- weston ---"; cat "$dir/weston.out" "$dir/weston.log"
fi
exit "$fail"
