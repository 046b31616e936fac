// The browser page in headless chromium against floor pages: CPU of all the browser's
// processes while animating and when stopped, time until ready, and the page's size.
// node bench/web.mjs build/web/tessarion.html [EARLIER.html] > rows.md
// An earlier build of the page, when given, animates in the same blocks for a comparison.
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

// The page test's pinned playwright-core.
const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const { chromium } = require('playwright-core');

const pagePath = path.resolve(process.argv[2]);
const pageUrl = pathToFileURL(pagePath).href;
const earlierUrl = process.argv[3] && pathToFileURL(path.resolve(process.argv[3])).href;
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tessarion-bench-'));
const blankUrl = writePage('blank.html', '<!doctype html><title>blank</title>');

function writePage(name, html) {
  const file = path.join(folder, name);
  fs.writeFileSync(file, html);
  return pathToFileURL(file).href;
}

// Four canvases placed and sized as the page's panels, each cleared every 50 ms on the clock;
// ready once they are cleared the first time.
function floorPage(panels) {
  const canvases = panels.map((p) =>
    `<canvas width="${p.width}" height="${p.height}" style="position:absolute;left:${p.left}px;` +
    `top:${p.top}px;width:${p.cssWidth}px;height:${p.cssHeight}px"></canvas>`).join('');
  return `<!doctype html><title>floor</title><body style="margin:0">${canvases}<script>
const contexts = [...document.querySelectorAll('canvas')].map((c) => c.getContext('2d', { alpha: false }));
const clear = () => contexts.forEach((c, i) => {
  c.fillStyle = i % 2 ? '#ffffff' : '#f0f0f0'; c.fillRect(0, 0, c.canvas.width, c.canvas.height);
});
clear();
document.body.dataset.ready = 'true';
let due = performance.now() + 50;
const tick = () => { clear(); due += 50; setTimeout(tick, Math.max(0, due - performance.now())); };
window.startFloor = () => setTimeout(tick, 50);
</script></body>`;
}

// One browser with one page at a viewport size and device pixel ratio.
async function open(url, viewport, deviceScaleFactor) {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
  const context = await browser.newContext({ viewport, deviceScaleFactor });
  const page = await context.newPage();
  const cdp = await browser.newBrowserCDPSession();
  // Ready: the page says so, and the frame after it is drawn.
  await page.addInitScript(() => {
    new MutationObserver((changes, observer) => {
      if (!document.body || !document.body.dataset.ready) return;
      observer.disconnect();
      requestAnimationFrame(() => requestAnimationFrame(() => { window.readyAt = performance.now(); }));
    }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-ready'] });
  });
  await page.goto(url);
  if (url !== blankUrl) await page.waitForFunction(() => window.readyAt !== undefined);
  const cpu = async () => {
    const { processInfo } = await cdp.send('SystemInfo.getProcessInfo');
    return processInfo.reduce((sum, process) => sum + process.cpuTime, 0);
  };
  return { browser, page, cpu, readyAt: () => page.evaluate(() => window.readyAt) };
}

// The panels' canvases: backing size, and place and size in CSS pixels.
const panelBoxes = () => tessarionPage.panels.map(({ canvas }) => {
  const box = canvas.getBoundingClientRect();
  return { width: canvas.width, height: canvas.height, left: box.left, top: box.top,
    cssWidth: box.width, cssHeight: box.height };
});

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Browsers' frames drift against each other, so a block's ratio scatters by about 10 %; this
// many blocks tell a 5 % difference.
const animatingBlocks = 48;

// CPU seconds per second of every browser in `runs`, measured over the same blocks of time.
async function cpuSideBySide(runs, blocks, blockMs) {
  const perBlock = runs.map(() => []);
  for (let block = 0; block < blocks; ++block) {
    const before = await Promise.all(runs.map((run) => run.cpu()));
    const started = performance.now();
    await sleep(blockMs);
    const after = await Promise.all(runs.map((run) => run.cpu()));
    const seconds = (performance.now() - started) / 1000;
    runs.forEach((_, i) => perBlock[i].push((after[i] - before[i]) / seconds));
  }
  return perBlock;
}

const rows = [];
const row = (figure, ours, baseline, comparison, target = '', result = '') => {
  rows.push(`| ${figure} | ${ours} | ${baseline} | ${comparison} | ${target} | ${result} |`);
  console.error(rows.at(-1));
};
const percent = (value) => (value * 100).toFixed(1);

// Animating: the page and the floor page, each in a browser of its own, and the earlier build
// when given, all measured over the same blocks.
for (const [viewport, ratio] of [[{ width: 1280, height: 800 }, 1], [{ width: 1280, height: 800 }, 2]]) {
  const ours = await open(pageUrl, viewport, ratio);
  const panels = await ours.page.evaluate(panelBoxes);
  const floor = await open(writePage('floor.html', floorPage(panels)), viewport, ratio);
  const blank = await open(blankUrl, viewport, ratio);
  // The script's own time in the ticks, with their paints and the canvas calls.
  const earlier = earlierUrl && await open(earlierUrl, viewport, ratio);
  for (const run of [ours, earlier].filter(Boolean)) {
    await run.page.evaluate(() => {
      window.tickTime = 0;
      window.ticks = 0;
      // The runtime swaps its export in on the first call; the timing stays in front of it.
      const tick = Module._tessarion_tick;
      const timed = () => {
        const started = performance.now();
        tick();
        window.tickTime += performance.now() - started;
        ++window.ticks;
        Module._tessarion_tick = timed;
      };
      Module._tessarion_tick = timed;
    });
    await run.page.click('#Command5');
  }
  await floor.page.evaluate(() => window.startFloor());
  await sleep(1000);
  const [oursCpu, floorCpu, earlierCpu] =
    await cpuSideBySide([ours, floor, earlier].filter(Boolean), animatingBlocks, 2500);
  const size = `${viewport.width} × ${viewport.height}, device pixel ratio ${ratio}`;
  const floorRatio = median(oursCpu.map((value, i) => value / floorCpu[i]));
  row(`CPU animating, all browser processes, ${size} (% of a core)`, percent(median(oursCpu)),
    percent(median(floorCpu)), `× ${floorRatio.toFixed(2)}`, '× 2 at most',
    floorRatio <= 2 ? 'met' : 'missed');
  const tickMicros = async (run) => run.page.evaluate(() => 1000 * window.tickTime / window.ticks);
  if (earlier) {
    const againstEarlier = median(oursCpu.map((value, i) => value / earlierCpu[i]));
    row(`CPU animating against the earlier build in the same blocks, ${size} (% of a core)`,
      percent(median(oursCpu)), percent(median(earlierCpu)), `× ${againstEarlier.toFixed(2)}`,
      '× 1 at most', againstEarlier <= 1.02 ? 'met' : 'missed');
    const [oursTick, earlierTick] = [await tickMicros(ours), await tickMicros(earlier)];
    row(`Script time per tick with its paints; the earlier build's, ${size} (µs)`,
      oursTick.toFixed(0), earlierTick.toFixed(0), `× ${(oursTick / earlierTick).toFixed(2)}`);
    await earlier.browser.close();
  } else {
    row(`Script time per tick with its paints, ${size} (µs)`, (await tickMicros(ours)).toFixed(0),
      '', '');
  }
  // Stopped, after it ran, against a blank page open as long.
  await ours.page.click('#Command6');
  await floor.browser.close();
  await sleep(1000);
  const [stopped, blankCpu] = await cpuSideBySide([ours, blank], 6, 2500);
  const stoppedMore = median(stopped) - median(blankCpu);
  row(`CPU stopped, all browser processes, ${size} (% of a core)`, percent(median(stopped)),
    percent(median(blankCpu)), `${stoppedMore >= 0 ? '+' : ''}${percent(stoppedMore)} %`,
    'no more than a blank page', stoppedMore <= 0.005 ? 'met' : 'missed');
  await Promise.all([ours, blank].map((run) => run.browser.close()));
}

// Time until ready: fresh browsers, the page and the floor page in turn.
{
  const viewport = { width: 1280, height: 800 };
  const probe = await open(pageUrl, viewport, 1);
  const panels = await probe.page.evaluate(panelBoxes);
  await probe.browser.close();
  const floorUrl = writePage('floor.html', floorPage(panels));
  const ours = [], floor = [];
  for (let i = 0; i < 10; ++i) {
    for (const [url, times] of [[pageUrl, ours], [floorUrl, floor]]) {
      const run = await open(url, viewport, 1);
      times.push(await run.readyAt());
      await run.browser.close();
    }
  }
  row('Time until ready: buttons shown and panels painted, from navigation, median of 10 (ms)',
    median(ours).toFixed(0), median(floor).toFixed(0),
    `+${(median(ours) - median(floor)).toFixed(0)} ms`);
}

const bytes = fs.statSync(pagePath).size;
row('Size of the page, one file (KiB)', (bytes / 1024).toFixed(0), '', '', 'at most 1536',
  bytes <= 1.5 * 1024 * 1024 ? 'met' : 'missed');

fs.rmSync(folder, { recursive: true, force: true });
console.log('| Figure | Tessarion | Baseline | Comparison | Target | Result |');
console.log('| --- | ---: | ---: | ---: | --- | --- |');
console.log(rows.join('\n'));
