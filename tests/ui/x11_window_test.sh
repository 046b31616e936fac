#!/bin/bash
# Runs the program on X under a real window manager, in a private Xvfb, at a scale factor, and
# drives it with keys and with the window manager's own commands. After each round the window
# must show what it showed at its fresh start, pixel for pixel outside the time graph's drawing,
# and its last device row and column must be painted.
# Usage: x11_window_test.sh <path to tessarion> <openbox|fluxbox> <scale factor> <round>...
# Rounds:
#   zoom         Ctrl+Plus, Ctrl+0; Ctrl+Minus twice, Ctrl+Plus twice; F11, Escape
#   wm-full      full screen toggled by the window manager behind the program's back, then left
#                by Escape, by the toggle and Escape, by Ctrl+0 and by F11
program=$1
wm=$2
scale=$3
shift 3
rounds=("$@")

dir=$(mktemp -d)
app= wm_pid= xvfb=
cleanup() {
    # fluxbox may hang in its own handler of SIGTERM.
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$wm_pid" ] && kill -KILL "$wm_pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    for pid in $app $wm_pid $xvfb; do wait "$pid" 2>/dev/null; done
    rm -rf "$dir"
}
trap cleanup EXIT
ulimit -c 0
# The window manager writes its settings here, and Qt wants a private runtime folder.
export HOME=$dir XDG_CONFIG_HOME=$dir/config XDG_RUNTIME_DIR=$dir
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

fail() {
    echo "FAIL: $*"
    echo "--- program stderr ---"
    cat "$dir/stderr" 2>/dev/null
    exit 1
}

# Polls a command until it succeeds, for up to $2 seconds (20 unless given), time enough for
# a few grabs of a large screen on a loaded machine.
wait_for() {
    local deadline=$((SECONDS + ${2:-20}))
    until eval "$1"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# A free display: Xvfb names the one it took once it is ready. The screen holds 1600 x 1200
# pixels of the layout at any scale factor, room for 150 %.
screen=$(awk -v s="$scale" 'BEGIN { printf "%dx%d", 1600 * s, 1200 * s }')
# -noreset: by default Xvfb resets whenever its last client leaves, and a client connecting
# during the reset is refused; the polls below connect and leave while the window manager starts.
Xvfb -displayfd 3 -noreset -screen 0 "${screen}x24" -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
xvfb=$!
wait_for '[ -s "$dir/display" ]' || fail "Xvfb did not start: $(cat "$dir/xvfb.log")"
export DISPLAY=:$(head -n 1 "$dir/display")

# A window mapped while the window manager is still starting may never be managed: openbox
# runs its start-up command once it is ready; fluxbox answers wmctrl once it is. fluxbox sets
# its style's wallpaper through fbsetbg, whose message about a failure would take the focus.
mkdir "$dir/bin"
printf '#!/bin/sh\nexit 0\n' >"$dir/bin/fbsetbg"
chmod +x "$dir/bin/fbsetbg"
case $wm in
openbox) openbox --startup "touch $dir/wm-ready" >"$dir/wm.log" 2>&1 & ;;
*) PATH=$dir/bin:$PATH "$wm" >"$dir/wm.log" 2>&1 & ;;
esac
wm_pid=$!
case $wm in
openbox) wait_for '[ -e "$dir/wm-ready" ]' ;;
*) wait_for 'wmctrl -m >/dev/null 2>&1' ;;
esac || fail "$wm did not start: $(cat "$dir/wm.log")"

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" >"$dir/stdout" 2>"$dir/stderr" &
app=$!
window=
find_window() { window=$(xdotool search --onlyvisible --classname '^tessarion$' 2>/dev/null | head -n 1); [ -n "$window" ]; }
wait_for find_window 60 || fail "no window came up"
# Managed: framed and focused by the window manager, so that the keys reach it.
wait_for 'xprop -id "$window" _NET_FRAME_EXTENTS | grep -q =' || fail "$wm did not manage the window"
timeout 10 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || fail "the window could not be activated"

size() { xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
grab() { import -window "$window" "$1" 2>/dev/null; }
# The window, once two grabs in a row agree.
settled() {
    grab "$dir/settling.png" || return 1
    if [ -f "$1" ] && [ "$(compare -metric AE "$1" "$dir/settling.png" null: 2>&1)" = 0 ]; then
        return 0
    fi
    mv "$dir/settling.png" "$1"
    return 1
}
rm -f "$dir/fresh.png"
wait_for 'settled "$dir/fresh.png"' 30 || fail "the window did not settle"
fresh_size=$(size)
screen_size=$(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')

# The time graph's drawing inside p4 (at 100 %: 9, 396 to 516, 534) shows the last
# displacement once the whole window has been painted again, which a fresh start has not yet.
mask=$(awk -v s="$scale" 'function floor(x) { return int(x) }
    function ceil(x) { return x == int(x) ? x : int(x) + 1 }
    BEGIN { printf "rectangle %d,%d %d,%d", floor(9 * s), floor(396 * s), ceil(516 * s) - 1, ceil(534 * s) - 1 }')
masked() { convert "$1" -fill black -draw "$mask" "$2"; }
masked "$dir/fresh.png" "$dir/fresh-masked.png"
differing=
as_fresh() {
    grab "$dir/now.png" && masked "$dir/now.png" "$dir/now-masked.png" || return 1
    differing=$(compare -metric AE "$dir/fresh-masked.png" "$dir/now-masked.png" null: 2>&1)
    [ "$differing" = 0 ]
}
# Every pixel of the last row and column has the colour of the window's top-left corner, a
# margin of the layout.
edges_painted() {
    local corner row column
    corner=$(convert "$1" -format '%[pixel:p{1,1}]' info:)
    row=$(convert "$1" -gravity south -crop x1+0+0 +repage -unique-colors -format '%w %[pixel:p{0,0}]' info:)
    column=$(convert "$1" -gravity east -crop 1x+0+0 +repage -unique-colors -format '%w %[pixel:p{0,0}]' info:)
    [ "$row" = "1 $corner" ] && [ "$column" = "1 $corner" ]
}
# Whether the window's size in device pixels is within a resize step of the layout at a zoom.
near_zoom() {
    size | awk -F x -v z="$1" -v s="$scale" '{
        w = 786 * z * s; h = 566 * z * s
        exit !($1 - w < 4 && w - $1 < 4 && $2 - h < 4 && h - $2 < 4) }'
}
# A key as the user presses it, into the window, which a user would click first if another
# had the focus.
key() {
    [ "$(xdotool getwindowfocus)" = "$window" ] ||
        timeout 10 xdotool windowactivate --sync "$window" >/dev/null 2>&1
    xdotool key "$1"
}
# Full screen, once the program has drawn it, as a user sees it before pressing the next key.
full_screen() {
    reaches '[ "$(size)" = "$screen_size" ]' "$1 did not fill the screen"
    rm -f "$dir/full.png"
    wait_for 'settled "$dir/full.png"' || fail "$1: the full screen did not settle"
}
toggle_by_wm() {
    wmctrl -i -r "$window" -b toggle,fullscreen
    full_screen "the window manager's toggle"
}
back_as_fresh() {
    wait_for as_fresh || fail "$1: $differing device pixels differ from the fresh start (size $(size), fresh $fresh_size)"
}
reaches() { wait_for "$1" || fail "$2 (size $(size))"; }

edges_painted "$dir/fresh.png" || fail "the last device row or column of the fresh window is not painted"
for round in "${rounds[@]}"; do
    case $round in
    zoom)
        key ctrl+plus
        reaches 'near_zoom 1.25' "Ctrl+Plus did not zoom to 125 %"
        key ctrl+0
        back_as_fresh "Ctrl+Plus, Ctrl+0"
        for step in "ctrl+minus 0.75" "ctrl+minus 0.5" "ctrl+plus 0.75" "ctrl+plus 1"; do
            key "${step% *}"
            reaches "near_zoom ${step#* }" "${step% *} did not zoom to ${step#* }"
        done
        back_as_fresh "Ctrl+Minus twice, Ctrl+Plus twice"
        key F11
        full_screen F11
        key Escape
        back_as_fresh "F11, Escape"
        edges_painted "$dir/now.png" || fail "F11, Escape: the last device row or column keeps another picture"
        ;;
    wm-full)
        toggle_by_wm
        key Escape
        back_as_fresh "the window manager's full screen, Escape"
        for leave in Escape ctrl+0 F11; do
            toggle_by_wm
            key "$leave"
            back_as_fresh "the window manager's full screen again, $leave"
        done
        ;;
    *) fail "unknown round $round" ;;
    esac
done

exit 0
