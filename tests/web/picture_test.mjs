// Pictures out of the page in Debian's headless chromium: the menu by keyboard, the PNG and the
// SVG it downloads, Ctrl+C onto the clipboard, and the message where the clipboard refuses.
// node picture_test.mjs build/web/tessarion.html
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import { decodePng, redCentre } from './png.mjs';

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
let failures = 0;
const check = (name, body) => body().then(() => console.log(`ok ${name}`), (error) => {
  ++failures;
  console.log(`FAILED ${name}\n${error.stack}`);
});

// The page at phase 90 in a window of `viewport`, the layout's size unless said.
async function openPage({ locale = 'en-US', viewport = { width: 786, height: 566 } } = {}) {
  const context = await browser.newContext({ viewport, locale });
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  const page = await context.newPage();
  await page.goto(pathToFileURL(process.argv[2]).href);
  await page.waitForSelector('body[data-ready]');
  await page.evaluate(() => {
    for (let i = 0; i < 90; ++i) document.getElementById('Command8').click();
  });
  return page;
}

const readouts = (page) => page.$$eval('#form1 input', (fields) => fields.map((f) => f.value));

// Tabs from the last control to the menu button, opens the menu and takes its entry `entry`.
async function saveByKeyboard(page, entry) {
  await page.focus('#p4');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.ariaLabel), 'Pictures');
  await page.keyboard.press('Enter');
  assert.ok(await page.locator('#picture-menu').isVisible());
  assert.deepEqual(await page.getByRole('menuitem').allTextContents(),
    ['Copy pictureCtrl+C', 'Save picture', 'Save picture as SVG']);
  for (let i = 0; i < entry; ++i) await page.keyboard.press('ArrowDown');
  const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press(' ')]);
  assert.equal(await page.locator('#picture-menu').isVisible(), false);
  return download;
}

const page = await openPage();

await check('Save picture downloads a PNG twice the layout, the mass at twice its place', async () => {
  const before = await readouts(page);
  const shown = redCentre(decodePng(await page.locator('#P1 canvas').screenshot()));
  const download = await saveByKeyboard(page, 1);
  assert.equal(download.suggestedFilename(), 'tessarion-phase-90.png');
  const png = decodePng(readFileSync(await download.path()));
  assert.deepEqual([png.width, png.height], [1572, 1132]);
  // P1's inner area begins at (10, 8) in the layout.
  const [x, y] = redCentre(png, [20, 16, 314, 768]);
  assert.ok(Math.abs(x - 2 * (10 + shown[0])) <= 1.5 && Math.abs(y - 2 * (8 + shown[1])) <= 1.5,
    `at ${x}, ${y} where the screen has ${shown}`);
  assert.deepEqual(await readouts(page), before);
});

await check('Save picture as SVG: vector shapes and texts, no image, the red mass in P1', async () => {
  const download = await saveByKeyboard(page, 2);
  assert.equal(download.suggestedFilename(), 'tessarion-phase-90.svg');
  const found = await page.evaluate((text) => {
    const svg = new DOMParser().parseFromString(text, 'image/svg+xml');
    const all = (selector) => [...svg.querySelectorAll(selector)];
    return { counts: ['parsererror', 'image', 'line', 'circle'].map((name) => all(name).length),
      red: all('circle[stroke="#ff0000"]').map((c) => [c.cx.baseVal.value, c.cy.baseVal.value]),
      texts: all('text').map((t) => t.textContent) };
  }, readFileSync(await download.path(), 'utf8'));
  const [errors, images, lines, circles] = found.counts;
  assert.ok(!errors && !images && lines > 10 && circles >= 3, `counts ${found.counts}`);
  // At phase 90 the mass lies 21 x 3.5 pixels above its rest at (80.5, 220.5) in P1's inner
  // area; the pendulum's bob, red too, is in p3.
  assert.deepEqual(found.red.filter(([x, y]) => x < 167 && y < 392), [[90.5, 155.5]]);
  for (const text of ['90', '1.57', '25%', 'F  a  z  a ', '   Rad:', 'Start', 'T/4', '+A'])
    assert.ok(found.texts.includes(text), `"${text}" among the texts`);
});

await check('Ctrl+C copies the PNG; with a read-out\'s text selected, the text', async () => {
  await page.focus('#P1');
  await page.keyboard.press('Control+C');
  const copied = await page.evaluate(async () => {
    let item; // the PNG lands once it is made, after the key
    while (!(item = (await navigator.clipboard.read())[0]).types.includes('image/png'))
      await new Promise(requestAnimationFrame);
    const bitmap = await createImageBitmap(await item.getType('image/png'));
    return [item.types, bitmap.width, bitmap.height];
  });
  assert.deepEqual(copied, [['image/png'], 1572, 1132]);
  await page.locator('#Text4').selectText();
  await page.keyboard.press('Control+C');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), '1.57');
});

// Where the layout fills the window, and beside or above it in a wider or a taller one.
for (const [width, height] of [[786, 566], [1280, 800], [500, 700]]) {
  await check(`in a window of ${width} x ${height} the menu button covers no control`, async () => {
    const other = await openPage({ viewport: { width, height } });
    assert.deepEqual(await other.evaluate(() => {
      const button = document.getElementById('pictures-button').getBoundingClientRect();
      return [...document.getElementById('form1').children].filter((control) => {
        const box = control.getBoundingClientRect();
        return box.left < button.right && button.left < box.right &&
          box.top < button.bottom && button.top < box.bottom;
      }).map((control) => control.id);
    }), []);
  });
}

// A browser without the asynchronous clipboard's items, and one whose user said no.
const refusals = [
  { locale: 'en-US', refuse: () => { delete window.ClipboardItem; },
    text: 'The browser does not let the page copy the picture. Use "Save picture" instead.' },
  { locale: 'ro-RO', refuse: () => {
    navigator.clipboard.write = () => Promise.reject(new DOMException('no', 'NotAllowedError'));
  }, text: 'Browserul nu permite paginii să copieze imaginea. Folosiți „Salvează imaginea”.' },
];
for (const { locale, refuse, text } of refusals) {
  await check(`where the clipboard refuses, a message says so (${locale})`, async () => {
    const other = await openPage({ locale });
    await other.evaluate(refuse);
    await other.focus('#P1');
    await other.keyboard.press('Control+C');
    await other.getByRole('alert').waitFor();
    assert.equal(await other.getByRole('alert').textContent(), text);
  });
}

await browser.close();
process.exit(failures === 0 ? 0 : 1);
