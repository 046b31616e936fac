#!/usr/bin/env bash
# Builds the bench preset, runs every benchmark once on Qt's offscreen platform, then measures
# the program's CPU while animating under X against a floor window (bench/cpu_under_x.py),
# prints the tables and keeps them, with the machine they ran on, in docs/performance.md.
#
#   bash bench/run.sh [--against EARLIER]
#
# --against EARLIER  an earlier build's tessarion executable, which animates under X in the
#                    same rounds, for a change's before and after
set -euo pipefail

against=()
while [[ $# -gt 0 ]]; do
    case $1 in
    --against)
        [[ -x ${2:-} ]] || { echo "bench: --against needs an executable" >&2; exit 2; }
        against=(--against "$(realpath "$2")")
        shift 2
        ;;
    *)
        echo "usage: bash bench/run.sh [--against EARLIER]" >&2
        exit 2
        ;;
    esac
done
cd "$(dirname "$0")/.."

source scripts/packages.sh
# The X server, clicks and the server check of the measurement under X, and Debian's python.
install_packages "${build_packages[@]}" xvfb xdotool x11-utils python3

build_dir=build/bench
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake --preset bench && cmake --build --preset bench -j2 --target tessarion \
    tessarion-bench tessarion-bench-startup tessarion-bench-minimal tessarion-bench-floor; } \
    >"$log" 2>&1; then
    cat "$log" >&2
    echo "bench: the build failed" >&2
    exit 1
fi

export QT_QPA_PLATFORM=offscreen
# Without it Qt warns on every start; a private directory keeps the children quiet.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -f "$log"; rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

table=$("$build_dir/bench/tessarion-bench")
echo "$table"

cpu=$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:FILEPATH=//p' "$build_dir/CMakeCache.txt")
compiler_version=$("$compiler" --version | head -n1)
qt_version=$("$build_dir/bench/tessarion-bench" --qt-version)

# The programs in turn in one private X server, where they run without the offscreen platform;
# the rounds' progress goes to the terminal.
x_table=$(/usr/bin/python3 bench/cpu_under_x.py --floor "$build_dir/bench/tessarion-bench-floor" \
    "${against[@]}" "$build_dir/tessarion")
echo
echo "$x_table"
load=$(awk '{print $1 ", " $2 " and " $3}' /proc/loadavg)
xvfb_version=$(dpkg-query -W -f='${Version}' xvfb)
earlier_note=""
if [[ ${#against[@]} -gt 0 ]]; then
    earlier_note=$'\n'"- Earlier build: \`${against[1]}\`"
fi

# The browser's section at the end of the file comes from bench/web.sh and stays as it is.
kept=$(sed -n '/^## In a browser$/,$p' docs/performance.md 2>/dev/null || true)

cat >docs/performance.md <<DOC
# Performance

The latest run of the benchmarks. Every figure stands beside a baseline measured in the same
run, so that the comparison holds on a busy machine; the absolute numbers vary from machine
to machine and from run to run. This file is rewritten by the command below; do not edit the
figures by hand.

    bash bench/run.sh

- Machine: $(nproc) CPUs, ${cpu}
- Qt ${qt_version}, offscreen platform; ${compiler_version}; release build (\`bench\` preset)
- Date: $(date -u '+%Y-%m-%d %H:%M UTC')

${table}

## What is measured

- **Tick cost**: CPU time of the process per call of the tick handler, with its four panel
  repaints into the backing store (of the inner areas: a tick leaves the borders as they are)
  and the read-out repaints it leaves to the event loop;
  2,000 ticks of the real window in 20 blocks, alternating with 2,000 ticks of the baseline:
  the same window whose four panels have an empty paint handler, so that each repaint only
  erases and draws the line figures. Medians of the blocks; the comparison is the median of
  the blocks' ratios.
- **Painters**: one panel's paint, phase stepping through a whole turn, onto the recording
  device and onto an image through the Qt device (a QImage with QPainter, as a panel draws),
  drawing everything afresh, and again reusing repeated paints (the kept image of the leading
  operations that repeat the last paint's, and texts kept laid out), as a panel widget does;
  the baseline is the same panel without its painter, on the same device. The comparison is
  what the painter adds.
- **Start-up**: from starting the process to the end of the first paint of all four panels,
  against an empty Qt window of the same size shown the same way; both are child processes,
  launched in turn, medians of 20 launches each. The reference row compares with the same
  minimal window showing one label, which makes the toolkit load its fonts as every window
  with text must.
- **Memory**: peak resident memory (VmHWM) of a child that starts, animates 40 ticks and
  quits, against the minimal window repainting itself every 50 ms for as long.
- **Tick cost at device pixel ratios 1, 2 and 3**: the tick cost in child processes started
  with QT_SCALE_FACTOR, 600 ticks on each side, also per million device pixels of the four
  panels, reusing repeated paints as the program does.
  The baseline is the same in every row: the same window whose four panels draw their frame
  and a plain Qt erase of the inner area and nothing else, whatever the program draws and
  however it draws it.
- **What a tick adds**: the tick cost reusing repeated paints less the empty panels', at
  ratios 1, 2 and 3, beside the CPU per tick of the read-outs that a tick rewrites (the phase
  in degrees, radians and percent, the sine and the cosine) updated and repainted alone,
  without any panel; the comparison is their share.
- **Tick cost at zoom 200 % and at a 1920 × 1080 full screen**: the tick cost of windows of
  those sizes, the whole layout zoomed to fit, 600 ticks on each side, also per million device
  pixels of the four panels beside the same figure at 100 % from the same run.
- **Idle**: paint events of any widget of the window per second, over 3 s after the
  animation ran and was stopped; the baseline is an empty window.
- **Tick timing**: 400 ticks of the animation in the event loop, timed as each timer event
  arrives: mean period, worst deviation of one period from 50 ms, and drift of the 400th tick
  from 20.0 s after the start; the baseline is a bare 50 ms precise timer.

## What is left where a tick-cost target is missed

A panel rasterizes little more than what changes: the erase and the fixed parts of the
rotating vector and of the graph come from kept images, and texts keep their layouts; the
painters' rows with and without reusing repeated paints show what this spares. What a tick
still adds to the empty panels is:

- the read-outs (row "What a tick adds"): five text fields rewritten and repainted on every
  tick. The sine and the cosine lie on the rotating-vector panel, so they are repainted with
  it and once more for their new text. They are widgets; the drawing device does not draw
  them.
- what a kept image cannot hold because it comes after the first shape that changes: the
  scales with their arrow heads and labels, drawn after the moving mass and bob; the vector
  with its marker circles, projections and components; the pendulum's string and the
  displacement bars; and the graph's marker with the three labels drawn after it.
- the blits of the kept images of the vector and the graph panels: a blit reads and writes
  every pixel where the empty panel's erase only writes, so it costs about twice as much
  per pixel, though far less than the circle, the 360 dots and the texts it replaces.

No exact means is left for these. A shape drawn after a changing one could go into a kept
image only where no changing shape overlaps it, and only if diagonal lines were rasterized by
Qt's outline rasterizer, dearer per line than its direct line rasterizer, whose result shifts
by a shade with where the line lies; and for the spring and pendulum panels a kept image would
replace their erase by a blit, which costs about as much as the arrow heads it would spare.
Keeping the rest of a panel as an image costs more memory bandwidth than erasing it. The
read-outs lie outside the drawing device.

## CPU while animating under X

The program on X in a private Xvfb (Debian's xvfb ${xvfb_version}, 1024 × 768 at 24 bits,
no window manager), measured in the same run by \`bench/cpu_under_x.py\`.
\`bash bench/run.sh --against EARLIER\` runs an earlier build's \`tessarion\` in the same rounds,
for a change's before and after; two copies of one build, run so, once came out 5 % apart, so
smaller differences are noise.

- Load average as the run ended, over 1, 5 and 15 minutes: ${load}${earlier_note}

${x_table}

- **CPU animating under X**: each program is started in turn in the one X server; once its
  window is mapped, its "Start" is clicked (xdotool), and after 1 s more the CPU time of all
  its threads (\`/proc/<pid>/task/*/schedstat\`) is read over 8 s. The floor is
  \`tessarion-bench-floor\`, built from the same tree: a window of the same size with plain Qt
  panels, buttons, text fields and labels at the layout table's places, whose 50 ms precise
  timer repaints the four panels' inner areas, where a panel's paint only erases. Every program
  runs once in each of 6 rounds, in an order that turns from round to round; medians, and the
  comparison is the median of the rounds' ratios, which holds on a busy machine where the
  absolute figures do not. A program whose window is not mapped within 60 s, or which runs
  fewer than 10 times a second after the click, is started once more before the run fails.
- **The X server's CPU meanwhile**: Xvfb's own threads over the same seconds. Nothing else
  runs in it then, so this is what taking the program's pixels costs the server.

Earlier measurements, made by hand with a tool outside the repository whose floor also redrew
the panels' frames on every tick (it cost about 7 % more than this floor, side by side in 4
rounds, so its ratios were lower): splitting the drawing device first cost 5 to 14 %;
repainting only the panels' inner areas on a tick then spared 10 %, and comparing a paint's
setting by its bytes 4 %, which brought the program below the build before the split. Kept
images and text layouts spared 12 %, the text layouts 6 % of it; stamped circles and aliased
whole-pixel fills spared nothing and were dropped.
DOC
if [[ -n $kept ]]; then
    printf '\n%s\n' "$kept" >>docs/performance.md
fi
