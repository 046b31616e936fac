// The browser page in Debian's headless chromium: read-outs, tab order, names in English and
// Romanian, the mass's place, kept images, start values in the address, the tick on the clock
// that no error stops, the page in a frame that collapses, and nothing fetched or complained about.
// node page_test.mjs build/web/tessarion.html
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import { decodePng, redCentre } from './png.mjs';

const pageUrl = pathToFileURL(process.argv[2]).href;
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
let failures = 0;
let checks = 0;

async function check(name, body) {
  ++checks;
  try {
    await body();
    console.log(`ok ${name}`);
  } catch (error) {
    ++failures;
    console.log(`FAILED ${name}\n${error.stack}`);
  }
}

// A page at the layout's own size, so that one panel pixel is one screenshot pixel; `languages`
// stands in for what the browser reports, `url` for a page that holds this one.
async function openPage(locale, problems, { languages, url = pageUrl } = {}) {
  const context = await browser.newContext({ viewport: { width: 786, height: 566 }, locale });
  const page = await context.newPage();
  if (languages) {
    await page.addInitScript((tags) => {
      Object.defineProperty(navigator, 'languages', { get: () => tags });
      Object.defineProperty(navigator, 'language', { get: () => tags[0] });
    }, languages);
  }
  page.on('console', (message) => {
    if (['error', 'warning'].includes(message.type()))
      problems.push(`console ${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`error: ${error.message}`));
  page.on('request', (request) => {
    if (![pageUrl, url].includes(request.url()) && !request.url().startsWith('data:'))
      problems.push(`request: ${request.url()}`);
  });
  await page.goto(url);
  await page.frames().at(-1).waitForSelector('body[data-ready]');
  return page;
}

// Counts the ticks in window.ticks; `fail(n)` says whether tick n throws instead.
const countTicks = (frame, fail = () => false) => frame.evaluate((failing) => {
  window.ticks = [];
  const fails = new Function('n', `return (${failing})(n)`);
  // The runtime swaps its export in on the first call; the count stays in front of it.
  window.programTick ??= Module._tessarion_tick;
  const tick = window.programTick;
  const counted = () => {
    window.ticks.push(performance.now());
    try {
      if (fails(window.ticks.length)) throw new Error('a tick that fails');
      tick();
    } finally {
      Module._tessarion_tick = counted;
    }
  };
  Module._tessarion_tick = counted;
}, fail.toString());
const ticksAfter = (frame, count) =>
  frame.waitForFunction((n) => window.ticks.length >= n, count, { timeout: 5000 });

const readouts = ['Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Text7'];
const values = (page) => page.evaluate((names) =>
  names.map((name) => document.getElementById(name).value), readouts);
// The first press as a person's click, any further ones straight on the button.
const press = async (page, button, times = 1) => {
  await page.click(`#${button}`);
  await page.evaluate(([id, more]) => {
    for (let i = 0; i < more; ++i) document.getElementById(id).click();
  }, [button, times - 1]);
};

// The centre of the red mass in P1, in panel pixels, from a screenshot of the panel.
const massCentre = async (page) =>
  redCentre(decodePng(await page.locator('#P1 canvas').screenshot()));

const problems = [];
const page = await openPage('en-US', problems);

await check('read-outs after presses', async () => {
  assert.deepEqual(await values(page), ['7', '10', '0', '0', '0%', '0', '1']);
  await press(page, 'Command2');
  await press(page, 'Command3');
  await press(page, 'Command8', 90);
  assert.deepEqual(await values(page), ['8', '9', '90', '1.57', '25%', '1', '0']);
  await press(page, 'Command9');
  assert.deepEqual((await values(page)).slice(2), ['0', '0', '0%', '0', '1']);
});

await check('the red mass at rest at phase 0 and lifted by the amplitude at phase 90', async () => {
  // Amplitude 4 after the press above: 21 pixels per unit of amplitude.
  const [x0, y0] = await massCentre(page);
  assert.ok(Math.abs(x0 - 80.5) <= 1 && Math.abs(y0 - 220.5) <= 1, `at 0: ${x0}, ${y0}`);
  await press(page, 'Command8', 90);
  const [x90, y90] = await massCentre(page);
  assert.ok(Math.abs(x90 - 80.5) <= 1 && Math.abs(y90 - (220.5 - 84)) <= 1, `at 90: ${x90}, ${y90}`);
  await press(page, 'Command9');
});

await check('panels put back from kept images show what they show drawn afresh', async () => {
  await page.evaluate(() => {
    window.puts = 0;
    const put = tessarionCanvas.put;
    tessarionCanvas.put = (...args) => (++window.puts, put.apply(tessarionCanvas, args));
  });
  const panels = () => Promise.all(['P1', 'p2', 'p3', 'p4'].map((id) =>
    page.locator(`#${id} canvas`).screenshot()));
  // Another size moves every edge, so the paints after it keep nothing from before.
  const size = page.viewportSize();
  const resize = async (scale) => {
    await page.setViewportSize({ width: scale * size.width, height: scale * size.height });
    await page.waitForFunction((w) => innerWidth === w, scale * size.width);
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    return page.evaluate(() => [document.querySelector('#p4 canvas').width, window.puts]);
  };
  await press(page, 'Command8', 30);
  const kept = await panels();
  const [width, puts] = await resize(1);
  assert.ok(puts > 0, 'no kept image was put back');
  const [largerWidth, putsBefore] = await resize(2);
  assert.notEqual(largerWidth, width, 'the larger page has other panels');
  assert.deepEqual(await resize(1), [width, putsBefore], 'paints after the size came back put kept images');
  const afresh = await panels();
  kept.forEach((image, i) => assert.ok(image.equals(afresh[i]), `panel ${i + 1} differs`));
  await press(page, 'Command9');
});

await check('tab order of the desktop', async () => {
  const expected = ['P1', 'Command1', 'Command2', 'Text1', 'Command3', 'Text2', 'Command4',
    'Command5', 'Command6', 'Command7', 'Command8', 'Text3', 'Text4', 'Text5', 'Command9',
    'p3', 'p2', 'Text6', 'Text7', 'p4', 'pictures-button', 'P1'];
  await page.focus('#P1');
  const visited = ['P1'];
  for (let i = 1; i < expected.length; ++i) {
    await page.keyboard.press('Tab');
    // Leaving the last control goes through the browser's own controls before coming back.
    visited.push(await page.evaluate(() => document.activeElement.id || 'browser'));
    if (visited.at(-1) === 'browser' && i === expected.length - 1) visited[i] = 'P1';
  }
  assert.deepEqual(visited, expected);
  await page.focus('#Command8');
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  assert.equal((await values(page))[2], '2');
  await press(page, 'Command9');
});

await check('ticks on the clock, and none once stopped', async () => {
  await countTicks(page);
  await press(page, 'Command5');
  await page.waitForTimeout(2500);
  await press(page, 'Command6');
  const ticks = await page.evaluate(() => window.ticks);
  const expected = Math.floor((ticks.at(-1) - ticks[0]) / 50) + 1;
  assert.ok(ticks.length >= 45 && Math.abs(ticks.length - expected) <= 1,
    `${ticks.length} ticks where ${expected} were due`);
  // Due on the clock: the last tick is late by less than one interval, never by the sum of the
  // delays before it. A tick held back by more (a busy machine) restarts the schedule from itself.
  const held = ticks.slice(1).reduce((sum, t, i) => sum + (t - ticks[i] > 75 ? t - ticks[i] : 0), 0);
  const late = ticks.at(-1) - ticks[0] - (ticks.length - 1) * 50;
  assert.ok(late > -5 && late < 50 + held, `the last tick came ${late} ms after its time`);
  await page.waitForTimeout(300);
  assert.equal(await page.evaluate(() => window.ticks.length), ticks.length);
});

await check('after the timers of a hidden tab were held back, no burst of catch-up ticks', async () => {
  await countTicks(page);
  await press(page, 'Command5');
  await page.waitForFunction(() => window.ticks.length >= 5);
  // A throttled hidden tab runs its timers a second late; so does a page that is busy for one.
  await page.evaluate(() => {
    const end = performance.now() + 1000;
    while (performance.now() < end);
  });
  await page.waitForFunction(() => {
    const resumed = window.ticks.find((t, i) => i > 0 && t - window.ticks[i - 1] > 800);
    return resumed !== undefined && window.ticks.at(-1) - resumed > 500;
  });
  await press(page, 'Command6');
  const ticks = await page.evaluate(() => window.ticks);
  const resumed = ticks.findIndex((t, i) => i > 0 && t - ticks[i - 1] > 800);
  assert.ok(resumed > 0, 'a second passed without ticks');
  const soon = ticks.slice(resumed).filter((t) => t - ticks[resumed] <= 500).length;
  assert.ok(soon >= 8 && soon <= 12, `${soon} ticks in the 500 ms after the timers came back`);
});

await check('names in English, captions as they stand', async () => {
  const named = await page.evaluate(() => ['Command1', 'Text4', 'p3', 'Command5'].map((id) => {
    const element = document.getElementById(id);
    return [element.getAttribute('aria-label'), element.textContent.trim() || element.title];
  }));
  assert.deepEqual(named.map((pair) => pair[0]),
    ['Amplitude down', 'Phase in radians', 'Pendulum', 'Start the animation']);
  assert.equal(await page.textContent('#Command5'), 'Start');
  assert.equal(await page.textContent('#Label5'), '   Rad:');
  assert.equal(await page.textContent('#Label3'), 'F  a  z  a ');
  assert.equal(await page.getAttribute('#p3', 'role'), 'img');
});

await check('nothing fetched, no console error', async () => {
  assert.deepEqual(problems, []);
});

const languageCases = [
  { name: 'Romanian', locale: 'ro-RO', down: 'Micșorează amplitudinea', radians: '1,57' },
  // WebKitGTK under the C locale reports this; Intl rejects it.
  { name: 'a tag no one knows', locale: 'en-US', languages: ['C'], down: 'Amplitude down',
    radians: '1.57' },
];
for (const { name, locale, languages, down, radians } of languageCases) {
  await check(`names and decimal separator for ${name}, captions untranslated`, async () => {
    const complaints = [];
    const other = await openPage(locale, complaints, { languages });
    assert.equal(await other.getAttribute('#Command1', 'aria-label'), down);
    assert.equal(await other.textContent('#Command5'), 'Start');
    await press(other, 'Command8', 90);
    assert.equal((await values(other))[3], radians);
    assert.deepEqual(complaints, []);
    await other.context().close();
  });
}

const canvases = (page) => page.evaluate(() =>
  [...document.querySelectorAll('canvas')].map((canvas) => canvas.toDataURL()));
// The address once it shows `hash`, and the number of history entries then.
const address = (page, hash) => page.waitForFunction((h) => location.hash === h && history.length,
  hash, { timeout: 5000 }).then((entries) => entries.jsonValue());

await check('start values in the address show what the presses show; the address follows', async () => {
  const preset = await openPage('en-US', [], { url: `${pageUrl}#phase=90&amplitude=10` });
  const pressed = await openPage('en-US', []);
  // The amplitude repaints nothing: pressed before the phase, as the page does.
  await press(pressed, 'Command2', 3);
  await press(pressed, 'Command8', 90);
  assert.deepEqual(await values(preset), await values(pressed));
  assert.deepEqual(await canvases(preset), await canvases(pressed));
  const hash = '#amplitude=10&frequency=10&phase=90';
  const entries = await address(preset, hash);
  await address(pressed, hash);
  await press(preset, 'Command5');
  assert.equal(await address(preset, `${hash}&start`), entries);
  await press(preset, 'Command6');
  await press(preset, 'Command7');
  const phase = (await values(preset))[2]; // where the ticks and the press left it
  assert.equal(await address(preset, hash.replace('=90', `=${phase}`)), entries);
  await Promise.all([preset.context().close(), pressed.context().close()]);
});

await check('start in the address runs the animation', async () => {
  const running = await openPage('en-US', [], { url: `${pageUrl}#start&frequency=0` });
  await address(running, '#amplitude=7&frequency=0&phase=0&start');
  assert.equal(await running.evaluate(() => tessarionPage.ticker.enabled), true);
  await running.context().close();
});

for (const [locale, fragment, line] of [
  ['en-US', 'amplitude=15', 'the amplitude must be a whole number from 0 to 14, as its read-out shows it'],
  ['en-US', 'frequency=-1', 'the frequency must be a whole number of degrees per tick from 0 to 40'],
  ['en-US', 'phase=1.5', 'the phase must be a whole number of degrees from -359 to 359'],
  ['ro-RO', 'phase=abc', 'faza trebuie să fie un număr întreg de grade, de la -359 la 359'],
]) {
  await check(`${fragment} in the address is refused in a line under the window, in ${locale}`, async () => {
    const complaints = [];
    const other = await openPage(locale, complaints, { url: `${pageUrl}#${fragment}` });
    assert.deepEqual((await values(other)).slice(0, 3), ['7', '10', '0']);
    assert.equal(await other.innerText('#message'), `${fragment}: ${line}`);
    assert.deepEqual(complaints, [`console warning: Tessarion: ${fragment}: ${line}`]);
    const { top, bottom } = await other.$eval('#message', (m) => m.getBoundingClientRect().toJSON());
    const windowBottom = Math.max(...await other.$$eval('#form1 > *',
      (controls) => controls.map((control) => control.getBoundingClientRect().bottom)));
    assert.ok(top >= windowBottom && bottom <= 566, `${top} to ${bottom}, the window to ${windowBottom}`);
    await other.context().close();
  });
}

// What a screen reader hears of each panel at phases 0, 90, 200 and -1, reached by the page's own
// buttons: the sentences the desktop says through AT-SPI.
const spoken = JSON.parse(readFileSync(new URL('../support/spoken_panels.json', import.meta.url)));
for (const [locale, { panels }] of Object.entries(spoken)) {
  await check(`each panel says what it shows in ${locale}`, async () => {
    const other = await openPage(locale, []);
    const session = await other.context().newCDPSession(other);
    const steps = [['Command8', 0], ['Command8', 90], ['Command8', 110], ['Command7', 201]];
    for (const [step, [button, presses]] of steps.entries()) {
      if (presses) await press(other, button, presses);
      const { nodes } = await session.send('Accessibility.getFullAXTree');
      for (const [name, sentences] of Object.entries(panels)) {
        const heard = nodes.find((node) => node.name?.value === name)?.description?.value;
        assert.ok(heard?.endsWith(`. ${sentences[step]}`), `${name}: ${heard}`);
      }
    }
    await other.context().close();
  });
}

await check('a tick that fails is reported once, and the ticks after it go on', async () => {
  const complaints = [];
  const other = await openPage('en-US', complaints);
  await countTicks(other, (n) => n >= 2 && n <= 4);
  await press(other, 'Command5');
  await ticksAfter(other, 15);
  await press(other, 'Command6');
  assert.equal(complaints.length, 1, complaints.join('\n'));
  assert.match(complaints[0], /a tick that fails/);
  assert.equal((await values(other))[2], String(10 * (await other.evaluate(() => ticks.length) - 3)));
  await other.context().close();
});

await check('in a frame collapsed to no height and back, the ticks go on', async () => {
  const host = join(mkdtempSync(join(tmpdir(), 'tessarion-')), 'host.html');
  writeFileSync(host, `<!doctype html><iframe src="${pageUrl}" ` +
    'style="border:0;width:786px;height:566px"></iframe>');
  const complaints = [];
  const hostPage = await openPage('en-US', complaints, { url: pathToFileURL(host).href });
  const frame = hostPage.frames()[1];
  await countTicks(frame);
  await frame.click('#Command5');
  for (const height of ['0', '1px', '566px']) {
    await hostPage.evaluate((h) => { document.querySelector('iframe').style.height = h; }, height);
    await ticksAfter(frame, (await frame.evaluate(() => ticks.length)) + 10);
  }
  await frame.click('#Command6');
  // Drawn for the phase reached: 21 pixels per unit of the start amplitude, 3.5.
  const phase = Number((await values(frame))[2]);
  const [x, y] = await massCentre(frame);
  const expected = 220.5 - 21 * 3.5 * Math.sin((phase * Math.PI) / 180);
  assert.ok(Math.abs(x - 80.5) <= 1 && Math.abs(y - expected) <= 1, `at ${phase}: ${x}, ${y}`);
  assert.deepEqual(complaints, []);
  await hostPage.context().close();
});

await browser.close();
console.log(`${checks - failures} passed, ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
