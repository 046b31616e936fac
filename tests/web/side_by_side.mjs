// The desktop window (the screenshot tool on Qt's offscreen platform) and the browser page
// (headless chromium) in the same states, at device pixel ratios 1 and 2, in English and
// Romanian: the same panels, every control on the same device pixels, every caption visible in
// its font, and no read-out's widest value wider than its field.
// node side_by_side.mjs <tessarion-screenshot> <tessarion.html>
import { execFile } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { promisify } from 'node:util';
import { chromium } from 'playwright-core';
import { decodePng, encodePng } from './png.mjs';

const [tool, pagePath] = process.argv.slice(2);
const dir = mkdtempSync(join(tmpdir(), 'tessarion-side-by-side-'));
const languages = [
  { name: 'en', locale: 'en-US', env: { LANGUAGE: 'en', LC_ALL: 'en_US.UTF-8' } },
  { name: 'ro', locale: 'ro-RO', env: { LANGUAGE: 'ro', LC_ALL: 'ro_RO.UTF-8' } },
];
const ratios = [1, 2];
const amplitudeSteps = [0, -3];
const phases = [0, 45, 90, 200];
const panels = ['P1', 'p2', 'p3', 'p4'];
// The widest value each read-out can show, with "." as the separator.
const widest = { Text4: ['6.28'], Text5: ['12.5%'], Text6: ['-0.707'], Text7: ['-0.707'] };

const separated = (language, value) => (language.name === 'ro' ? value.replace('.', ',') : value);

const failures = [];
const fail = (where, what) => failures.push(`${where}: ${what}`);

// Desktop screenshots, two processes at a time; each config's first one also writes the places.
const run = promisify(execFile);
const desktopJobs = [];
for (const language of languages) {
  for (const ratio of ratios) {
    for (const steps of amplitudeSteps) {
      for (const phase of phases) {
        const base = join(dir, `desktop-${language.name}-x${ratio}-a${steps}-p${phase}`);
        const args = [`${base}.png`, '--phase', String(phase), '--amplitude-steps', String(steps)];
        if (steps === amplitudeSteps[0] && phase === phases[0]) {
          args.push('--geometry', join(dir, `desktop-${language.name}-x${ratio}.json`));
          for (const value of Object.values(widest).flat())
            args.push('--measure', separated(language, value));
        }
        const env = { ...process.env, ...language.env, QT_SCALE_FACTOR: String(ratio) };
        desktopJobs.push(() => run(tool, args, { env }));
      }
    }
  }
}
const desktopDone = Promise.all([0, 1].map(async () => {
  while (desktopJobs.length) await desktopJobs.shift()();
}));

// Records each panel's drawing calls since its last erase, the kept images' ones included, so
// that the comparison knows where the rasterizers may differ.
function recordDrawing() {
  let canvas;
  Object.defineProperty(window, 'tessarionCanvas', {
    configurable: true,
    get: () => canvas,
    set(value) {
      canvas = value;
      const calls = (window.drawingCalls = Array.from({ length: 8 }, () => []));
      for (const name of ['fillRect', 'strokeLine', 'fillDisc', 'strokeEllipse', 'fillText']) {
        const draw = canvas[name];
        canvas[name] = function (target, ...args) {
          draw.call(this, target, ...args);
          const { width, height } = this.contexts[target].canvas;
          const [x, y, w, h] = args;
          if (name === 'fillRect' && x <= 0 && y <= 0 && w >= width && h >= height)
            calls[target] = [];
          if (name === 'fillText') {
            const m = this.contexts[target].measureText(args[2]);
            const baseline = args[1] + this.ascent * args[3];
            args.push([args[0] - m.actualBoundingBoxLeft, baseline - m.actualBoundingBoxAscent,
              args[0] + m.actualBoundingBoxRight, baseline + m.actualBoundingBoxDescent]);
          }
          calls[target].push([name, ...args]);
        };
      }
      const put = canvas.put;
      canvas.put = function (target, from) {
        put.call(this, target, from);
        calls[target] = [...calls[from]];
      };
    },
  });
}

// What the page shows of each control: place in device pixels, font, and the width of its text.
const pageControls = (names) => {
  const ratio = devicePixelRatio;
  const measure = (element, text) => {
    const style = getComputedStyle(element);
    const span = document.createElement('span');
    span.style.cssText = 'position:absolute; white-space:pre; visibility:hidden';
    for (const key of ['fontFamily', 'fontSize', 'fontWeight', 'fontStretch', 'fontStyle'])
      span.style[key] = style[key];
    span.textContent = text;
    document.body.append(span);
    const width = span.getBoundingClientRect().width;
    span.remove();
    return width * ratio;
  };
  return Object.fromEntries(names.map((name) => {
    const element = document.getElementById(name);
    if (!element) return [name, null];
    const box = element.getBoundingClientRect();
    const style = getComputedStyle(element);
    const text = element.tagName === 'INPUT' ? element.value : element.textContent;
    // Where the caption's text is, or the middle of a field.
    let at = [box.left + box.width / 2, box.top + box.height / 2];
    if (element.firstChild?.nodeType === Node.TEXT_NODE && text.trim()) {
      const range = document.createRange();
      range.selectNodeContents(element);
      const r = range.getBoundingClientRect();
      at = [r.left + r.width / 2, r.top + r.height / 2];
    }
    const hit = document.elementFromPoint(...at);
    return [name, {
      rect: [box.left, box.top, box.width, box.height].map((v) => Math.round(v * ratio)),
      visible: box.width > 0 && !element.hidden,
      pixelSize: parseFloat(style.fontSize),
      bold: Number(style.fontWeight) >= 600,
      underline: style.textDecorationLine.includes('underline'),
      advance: measure(element, text),
      covered: element.hidden || element.contains(hit) ? null : hit?.id || hit?.tagName,
      textArea: ratio *
        (element.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)),
      advances: element.tagName === 'INPUT'
        ? Object.fromEntries(widestValues.map((value) => [value, measure(element, value)])) : null,
    }];
  }));
};

// Pixel helpers: an image is { width, height, channels, pixels }, a rect [x, y, width, height].
const rgbAt = (image, x, y) => {
  const at = (y * image.width + x) * image.channels;
  return [image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]];
};
const distance = (a, b) => Math.sqrt((a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2);
const rgbOf = (value) => [(value >> 16) & 255, (value >> 8) & 255, value & 255];
const inside = ([x, y, w, h], px, py) => px >= x && py >= y && px < x + w && py < y + h;
// The lightest colour in `rect`: the face behind a text, which may be a gradient.
function lightest(image, [x0, y0, w, h]) {
  let best = [0, 0, 0];
  for (let y = y0; y < y0 + h; ++y)
    for (let x = x0; x < x0 + w; ++x) {
      const pixel = rgbAt(image, x, y);
      if (pixel[0] + pixel[1] + pixel[2] > best[0] + best[1] + best[2]) best = pixel;
    }
  return best;
}
// Ink of `colour` in `rect`: the pixels nearest it of `colours` (the background first). Faint
// ink, which the other side's ink needs within a pixel, is up to a quarter farther from it than
// from the background: an edge that one rasterizer anti-aliases a shade lighter still counts.
function ink(image, [x0, y0, w, h], colour, colours, faint = false) {
  const mask = new Uint8Array(w * h);
  for (let y = 0; y < h; ++y)
    for (let x = 0; x < w; ++x) {
      const pixel = rgbAt(image, x0 + x, y0 + y);
      const near = distance(pixel, colour);
      mask[y * w + x] = faint ? near < 1.25 * distance(pixel, colours[0])
        : near < distance(pixel, colours[0]) && colours.every((c) => near <= distance(pixel, c));
    }
  return mask;
}
// Each side's ink of `colour` has the other's within a pixel.
// `desktop` and `page` are [image, rect, colours].
function compareInk(label, what, desktop, page, colour, skip, marks) {
  const deskRect = desktop[1];
  const [w, h] = deskRect.slice(2);
  const sides = [['desktop', ...desktop], ['page', ...page]];
  for (const [i, [side, image, rect, colours]] of sides.entries()) {
    const [, other, otherRect, otherColours] = sides[1 - i];
    const faint = ink(other, otherRect, colour, otherColours, true);
    const lonely = unmatched(ink(image, rect, colour, colours), faint, w, h, skip);
    if (!lonely.length) continue;
    fail(label, `${what} on the ${side} only: ${where(lonely, deskRect)}`);
    marks.push(...lonely.map(([x, y]) => [x + deskRect[0], y + deskRect[1]]));
  }
}
// Ink of `a` with no ink of `b` within one pixel, as [x, y] in the rect.
function unmatched(a, b, w, h, skip) {
  const lonely = [];
  for (let y = 0; y < h; ++y)
    for (let x = 0; x < w; ++x) {
      if (!a[y * w + x] || skip?.(x, y)) continue;
      let near = false;
      for (let dy = -1; dy <= 1 && !near; ++dy)
        for (let dx = -1; dx <= 1 && !near; ++dx)
          near = x + dx >= 0 && x + dx < w && y + dy >= 0 && y + dy < h && b[(y + dy) * w + x + dx] === 1;
      if (!near) lonely.push([x, y]);
    }
  return lonely;
}
const where = (points, [x0, y0]) => {
  const xs = points.map((p) => p[0] + x0), ys = points.map((p) => p[1] + y0);
  const span = (values) => `${Math.min(...values)}..${Math.max(...values)}`;
  return `${points.length} px in x ${span(xs)}, y ${span(ys)}`;
};

// Pixels where anti-aliasing or glyphs may differ: within two pixels of a diagonal line, a
// disc, an ellipse's outline or a text's ink. Fills (erases and axis-aligned lines) are exact.
function softZones(calls, w, h, ratio) {
  const soft = new Uint8Array(w * h);
  const mark = (box, near) => {
    for (let y = Math.max(0, Math.floor(box[1])); y < Math.min(h, Math.ceil(box[3])); ++y)
      for (let x = Math.max(0, Math.floor(box[0])); x < Math.min(w, Math.ceil(box[2])); ++x)
        if (near(x + 0.5, y + 0.5)) soft[y * w + x] = 1;
  };
  const reach = 2;
  for (const [name, ...a] of calls) {
    if (name === 'strokeLine') {
      const [x1, y1, x2, y2, width] = a, r = width / 2 + reach;
      const dx = x2 - x1, dy = y2 - y1, length2 = dx * dx + dy * dy || 1;
      const box = [Math.min(x1, x2) - r, Math.min(y1, y2) - r, Math.max(x1, x2) + r, Math.max(y1, y2) + r];
      mark(box, (x, y) => {
        const t = Math.max(0, Math.min(1, ((x - x1) * dx + (y - y1) * dy) / length2));
        return Math.hypot(x - x1 - t * dx, y - y1 - t * dy) <= r;
      });
    } else if (name === 'fillDisc') {
      const [cx, cy, radius] = a, r = radius + reach;
      mark([cx - r, cy - r, cx + r, cy + r], (x, y) => Math.hypot(x - cx, y - cy) <= r);
    } else if (name === 'strokeEllipse') {
      const [cx, cy, rx, ry, width] = a, r = width / 2 + reach;
      mark([cx - rx - r, cy - ry - r, cx + rx + r, cy + ry + r], (x, y) =>
        Math.abs(Math.hypot((x - cx) / Math.max(rx, 0.5), (y - cy) / Math.max(ry, 0.5)) - 1) *
          Math.max(Math.min(rx, ry), 0.5) <= r);
    } else if (name === 'fillText') {
      const box = a[5];
      const r = reach * ratio;
      mark([box[0] - r, box[1] - r, box[2] + r, box[3] + r], () => true);
    }
  }
  return soft;
}

// One panel's inner area: fills identical, each colour's ink within a pixel both ways, its
// texts with as much ink.
function comparePanel(label, desktop, page, deskRect, pageRect, calls, covered, ratio, marks) {
  const [w, h] = deskRect.slice(2);
  if (w !== pageRect[2] || h !== pageRect[3])
    return fail(label, `inner area ${w} x ${h} on the desktop, ${pageRect[2]} x ${pageRect[3]} on the page`);
  const soft = softZones(calls, w, h, ratio);
  const skip = (x, y) => covered.some((r) => inside(r, x + deskRect[0], y + deskRect[1]));
  const exact = [];
  for (let y = 0; y < h; ++y)
    for (let x = 0; x < w; ++x) {
      if (soft[y * w + x] || skip(x, y)) continue;
      const there = rgbAt(page, pageRect[0] + x, pageRect[1] + y);
      if (distance(rgbAt(desktop, deskRect[0] + x, deskRect[1] + y), there) > 0)
        exact.push([x, y]);
    }
  if (exact.length) {
    fail(label, `fills differ: ${where(exact, deskRect)}`);
    marks.push(...exact.map(([x, y]) => [x + deskRect[0], y + deskRect[1]]));
  }
  const background = rgbOf(calls[0][5]);
  const used = new Set(calls.map((call) => call.at(call[0] === 'fillText' ? -2 : -1)));
  const colours = [...used].map(rgbOf)
    .sort((a, b) => distance(a, background) - distance(b, background));
  for (const colour of colours.slice(1))
    compareInk(label, `ink of rgb(${colour})`, [desktop, deskRect, colours], [page, pageRect, colours],
      colour, skip, marks);
  // Within a pixel a regular face passes for a bold one, but it has less ink: the panel's texts
  // have as much on both sides, within 15 % (single glyphs vary more with hinting).
  const amount = [0, 0];
  for (const [, , , , , rgb, box] of calls.filter((call) => call[0] === 'fillText')) {
    const [left, top] = [Math.max(0, Math.floor(box[0])), Math.max(0, Math.floor(box[1]))];
    const size = [Math.min(w, Math.ceil(box[2])) - left, Math.min(h, Math.ceil(box[3])) - top];
    if (size[0] <= 0 || size[1] <= 0) continue;
    [[desktop, deskRect], [page, pageRect]].forEach(([image, [x, y]], side) => {
      amount[side] += ink(image, [x + left, y + top, ...size], rgbOf(rgb), colours).reduce((a, b) => a + b, 0);
    });
  }
  if (Math.abs(amount[0] - amount[1]) > 0.15 * Math.max(...amount))
    fail(label, `texts have ${amount[0]} ink pixels on the desktop, ${amount[1]} on the page`);
}

// A caption's or value's ink (nearer black than its background) in the desktop's place of the
// control, less what lies above it, on both sides within a pixel.
function compareText(label, desktop, page, rect, above, marks) {
  const [w, h] = rect.slice(2);
  if (w <= 0 || h <= 0) return;
  const skip = (x, y) => above.some((r) => inside(r, x + rect[0], y + rect[1]));
  const black = [0, 0, 0];
  compareInk(label, 'text ink', [desktop, rect, [lightest(desktop, rect), black]],
    [page, rect, [lightest(page, rect), black]], black, skip, marks);
}

const edges = ([x, y, w, h]) => [x, y, x + w, y + h];
const overlaps = (a, b) => {
  const [[al, at, ar, ab], [bl, bt, br, bb]] = [edges(a), edges(b)];
  return al < br && bl < ar && at < bb && bt < ab;
};
const inset = ([x, y, w, h], d) => [x + d, y + d, w - 2 * d, h - 2 * d];

function saveImages(name, desktop, page, marks) {
  const diff = Buffer.alloc(desktop.width * desktop.height * 3);
  for (let y = 0; y < desktop.height; ++y)
    for (let x = 0; x < desktop.width; ++x) {
      const grey = 160 + rgbAt(desktop, x, y).reduce((s, v) => s + v, 0) / 9.6;
      diff.fill(Math.min(255, grey), (y * desktop.width + x) * 3, (y * desktop.width + x + 1) * 3);
    }
  for (const [x, y] of marks) diff.set([255, 0, 0], (y * desktop.width + x) * 3);
  const rgb = (image) => {
    const pixels = Buffer.alloc(image.width * image.height * 3);
    for (let i = 0; i < image.width * image.height; ++i)
      image.pixels.copy(pixels, i * 3, i * image.channels, i * image.channels + 3);
    return { ...image, pixels };
  };
  writeFileSync(join(dir, `${name}-page.png`), encodePng(rgb(page)));
  writeFileSync(join(dir, `${name}-desktop-marked.png`), encodePng({ ...desktop, pixels: diff }));
}

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
const started = Date.now();
for (const language of languages) {
  for (const ratio of ratios) {
    const config = `${language.name} x${ratio}`;
    const context = await browser.newContext({
      viewport: { width: 786, height: 566 }, deviceScaleFactor: ratio, locale: language.locale,
    });
    await context.addInitScript(recordDrawing);
    await context.addInitScript((values) => { window.widestValues = values; },
      Object.values(widest).flat().map((value) => separated(language, value)));
    const page = await context.newPage();
    await page.goto(pathToFileURL(pagePath).href);
    await page.waitForSelector('body[data-ready]');
    await desktopDone;
    const geometry = JSON.parse(readFileSync(join(dir, `desktop-${language.name}-x${ratio}.json`)));
    const names = Object.keys(geometry);
    const shown = await page.evaluate(pageControls, names);
    const raised = (name) => /^(Command|Text)/.test(name);
    const rectsOver = (rect, which) => names
      .filter((n) => geometry[n].visible && which(n) && overlaps(geometry[n].rect, rect))
      .map((n) => geometry[n].rect);

    // Every control on the desktop's device pixels, in the desktop's font.
    for (const name of names) {
      const [d, p] = [geometry[name], shown[name]];
      if (!p) { fail(`${config} ${name}`, 'missing on the page'); continue; }
      if (d.visible !== p.visible)
        fail(`${config} ${name}`, `visible ${d.visible} on the desktop, ${p.visible} on the page`);
      if (!d.visible) continue;
      if (edges(d.rect).some((edge, i) => Math.abs(edge - edges(p.rect)[i]) > 1))
        fail(`${config} ${name}`, `at [${d.rect}] (x, y, w, h) on the desktop, [${p.rect}] on the page`);
      if (!d.text?.trim()) continue;
      // The advance, within a device pixel per logical one, stands for the family.
      const font = (f) => `${f.pixelSize} px${f.bold ? ' bold' : ''}${f.underline ? ' underlined' : ''}` +
        `, "${d.text}" ${f.advance.toFixed(1)} px wide`;
      if (d.pixelSize !== p.pixelSize || d.bold !== p.bold || d.underline !== p.underline ||
          Math.abs(d.advance - p.advance) > ratio)
        fail(`${config} ${name}`, `font ${font(d)} (${d.family}) on the desktop, ${font(p)} on the page`);
      if (p.covered) fail(`${config} ${name}`, `its text is covered by ${p.covered} on the page`);
    }
    // The widest values fit the read-outs' text areas, on both sides.
    for (const [name, values] of Object.entries(widest)) {
      for (const value of values.map((v) => separated(language, v))) {
        for (const [side, field] of [['desktop', geometry[name]], ['page', shown[name]]]) {
          if (field.advances[value] > field.textArea)
            fail(`${config} ${name}`, `"${value}" is ${field.advances[value].toFixed(1)} px wide ` +
              `on the ${side}, its text area ${field.textArea.toFixed(1)} px`);
        }
      }
    }

    for (const steps of amplitudeSteps) {
      for (const phase of phases) {
        const state = `${config} amplitude ${steps} phase ${phase}`;
        // Reset, the amplitude presses from the default and the phase presses, as a user would.
        await page.evaluate(async ([steps, phase]) => {
          const press = (id, times) => {
            for (let i = 0; i < times; ++i) document.getElementById(id).click();
          };
          const more = steps - (window.steps ?? 0);
          press(more > 0 ? 'Command2' : 'Command1', Math.abs(more));
          window.steps = steps;
          press('Command9', 1);
          press('Command8', phase);
          await new Promise(requestAnimationFrame);
        }, [steps, phase]);
        const pageImage = decodePng(await page.screenshot());
        const calls = await page.evaluate(() => window.drawingCalls.slice(0, 4));
        const desktopImage = decodePng(readFileSync(
          join(dir, `desktop-${language.name}-x${ratio}-a${steps}-p${phase}.png`)));
        const before = failures.length;
        const marks = [];
        // The read-outs and labels on a panel are compared as text, the panel around them.
        panels.forEach((panel, index) => {
          const on = rectsOver(geometry[panel].rect, (n) => !panels.includes(n) && !n.startsWith('Shape'));
          comparePanel(`${state} ${panel}`, desktopImage, pageImage,
            inset(geometry[panel].rect, 2 * ratio), inset(shown[panel].rect, 2 * ratio), calls[index],
            on, ratio, marks);
        });
        // Captions and values within the borders of their buttons and fields; a label less the
        // controls above it.
        for (const name of names.filter((n) => geometry[n].visible && geometry[n].text?.trim())) {
          const { rect } = geometry[name];
          const border = { Command: 3, Text: 2 }[name.match(/^[A-Z][a-z]+/)[0]];
          const [area, above] = border ? [inset(rect, border * ratio), []] : [rect, rectsOver(rect, raised)];
          compareText(`${state} ${name}`, desktopImage, pageImage, area, above, marks);
        }
        if (failures.length > before)
          saveImages(state.replaceAll(' ', '-'), desktopImage, pageImage, marks);
      }
    }
    await context.close();
  }
}
await browser.close();

for (const failure of failures) console.log(`FAILED ${failure}`);
console.log(`${failures.length} differences in ${((Date.now() - started) / 1000).toFixed(1)} s` +
  (failures.length ? `; images (desktop, page, desktop with the differences in red) in ${dir}` : ''));
if (!failures.length) rmSync(dir, { recursive: true });
process.exit(failures.length ? 1 : 0);
