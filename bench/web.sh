#!/usr/bin/env bash
# Builds the browser page, measures it in headless chromium against floor pages, prints the
# table and keeps it in docs/performance.md, in the section "In a browser" at its end, which
# bench/run.sh leaves as it finds it. An earlier build of the page, given as the argument, animates
# beside it in the same blocks: bash bench/web.sh /path/to/earlier/tessarion.html
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(bash scripts/web.sh | tail -n1)
npm ci --prefix tests/web --no-audit --no-fund >/dev/null
table=$(node bench/web.mjs "$page" "$@")
echo "$table"

section=$(mktemp)
trap 'rm -f "$section"' EXIT
cat >"$section" <<DOC
## In a browser

The page built by \`scripts/web.sh\`, in Debian's headless chromium $(chromium --version 2>/dev/null |
    awk '{print $2}') driven through playwright-core, measured by the command below, which rewrites
this section alone.

    bash bench/web.sh

- Machine: $(nproc) CPUs, $(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
- Date: $(date -u '+%Y-%m-%d %H:%M UTC')

${table}

- **CPU animating**: CPU time of all the browser's processes (CDP \`SystemInfo.getProcessInfo\`)
  per second, the animation running, against a floor page in a browser of its own: four
  canvases placed and sized as the panels, at the same device pixel ratio, cleared every 50 ms
  on the clock. The two run side by side over the same 48 blocks of 2.5 s; medians, and the
  comparison is the median of the blocks' ratios. Headless chromium draws without a GPU.
  Where an earlier build is given, a third browser runs it in the same blocks; "× 1 at most"
  is met within 2 %.
- **Script time per tick**: the time the page spends in the tick's call into the program, its
  four panel paints and canvas calls included, beside the earlier build's where one is given.
- **CPU stopped**: the same after Stop, against a browser with a blank page open as long;
  met within 0.5 % of a core, the resolution of the process times.
- **Time until ready**: from navigation to the frame after the page marks itself ready (buttons
  built, panels painted, the font loaded), in a fresh browser each time, against the floor page.
- **Size**: the one file, with the program, script, styles and fonts.
DOC
# Everything before this section stays as bench/run.sh wrote it.
before=$(sed '/^## In a browser$/,$d' docs/performance.md)
printf '%s\n\n' "$before" >docs/performance.md
cat "$section" >>docs/performance.md
