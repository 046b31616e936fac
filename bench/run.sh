#!/usr/bin/env bash
# Builds the bench preset, runs every benchmark once on Qt's offscreen platform, prints the
# table and keeps it, with the machine it ran on, in docs/performance.md.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build/bench
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake --preset bench && cmake --build --preset bench -j2 --target tessarion-bench \
    tessarion-bench-startup tessarion-bench-minimal; } >"$log" 2>&1; then
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

# The sections at the end of the file come from other runs and stay as they are: the CPU
# under X measured with ../shared/tools/cpu-ab, and the browser's, written by bench/web.sh.
kept=$(sed -n '/^## \(CPU while animating under X\|In a browser\)$/,$p' docs/performance.md \
    2>/dev/null || true)

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
DOC
if [[ -n $kept ]]; then
    printf '\n%s\n' "$kept" >>docs/performance.md
fi
