// The checks that every browser engine must pass, whatever drives it. An engine's test hands
// in open(locale), which loads the page with the browser's language set and gives back
// { evaluate(fn, ...args), click(selector), problems(), close() }; the page is ready once
// body[data-ready] is set.
import assert from 'node:assert/strict';

const background = [0xf0, 0xf0, 0xf0];

async function waitFor(page, condition, what, seconds = 20, ...args) {
  const deadline = Date.now() + seconds * 1000;
  while (!(await page.evaluate(condition, ...args))) {
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// The first press as a person's click, any further ones straight on the button.
async function press(page, button, times = 1) {
  await page.click(`#${button}`);
  await page.evaluate((id, more) => {
    for (let i = 0; i < more; ++i) document.getElementById(id).click();
  }, button, times - 1);
}

const phase = (page) => page.evaluate(() =>
  ['Text3', 'Text4', 'Text5'].map((id) => document.getElementById(id).value));

// Per panel: its canvas size, the pixels that are not the background, and the red ones of the
// mass, read after the next frame so that a pending repaint has landed.
const ink = (page) => page.evaluate(async (bg) => {
  await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
  return ['P1', 'p2', 'p3', 'p4'].map((id) => {
    const canvas = document.querySelector(`#${id} canvas`);
    const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    let drawn = 0, red = 0;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] !== bg[0] || data[i + 1] !== bg[1] || data[i + 2] !== bg[2]) ++drawn;
      if (data[i] > 200 && data[i + 1] < 90 && data[i + 2] < 90) ++red;
    }
    return { id, size: canvas.width * canvas.height, drawn, red };
  });
}, background);

const checks = {
  // The SVG rasterized on a canvas: no engine may refuse it or taint the canvas.
  async 'a picture: a PNG twice the layout, with the red mass in P1'(page) {
    const [width, height, red] = await page.evaluate(async () => {
      const image = await createImageBitmap(await tessarionPictures.png(tessarionPictures.svg(2)));
      const canvas = Object.assign(document.createElement('canvas'), { width: 1572, height: 1132 });
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      const { data } = context.getImageData(20, 16, 314, 768);
      const red = data.filter((v, i) => !(i % 4) && v > 200 && data[i + 1] < 90 && data[i + 2] < 90);
      return [image.width, image.height, red.length];
    });
    assert.ok(width === 1572 && height === 1132 && red > 80, `${width} x ${height}, ${red} red`);
  },

  async 'all four panels drawn, the mass in red'(page) {
    for (const { id, size, drawn, red } of await ink(page)) {
      assert.ok(size > 1000 && drawn > 100, `${id}: ${drawn} of ${size} pixels drawn`);
      if (id === 'P1') assert.ok(red > 20, `P1: ${red} red pixels`);
    }
  },

  async 'phase buttons and read-outs'(page) {
    const table = [
      ['Command8', 90, ['90', '1.57', '25%']],
      ['Command7', 45, ['45', '0.78', '12.5%']],
      ['Command9', 1, ['0', '0', '0%']],
    ];
    for (const [button, times, expected] of table) {
      await press(page, button, times);
      assert.deepEqual(await phase(page), expected, `${button} x${times}`);
    }
  },

  async 'Start ticks about 20 times a second, each 10 degrees on; Stop ends it'(page) {
    await page.evaluate(() => {
      window.ticks = [];
      // The runtime swaps its export in on the first call; the count stays in front of it.
      const tick = Module._tessarion_tick;
      const counted = () => {
        window.ticks.push(performance.now());
        tick();
        Module._tessarion_tick = counted;
      };
      Module._tessarion_tick = counted;
    });
    await press(page, 'Command5');
    await waitFor(page, () => window.ticks.length > 0, 'the first tick');
    // A fixed window to measure the rate over, not to wait for anything.
    await new Promise((resolve) => setTimeout(resolve, 2000));
    await press(page, 'Command6');
    const ticks = await page.evaluate(() => window.ticks);
    const perSecond = ((ticks.length - 1) * 1000) / (ticks.at(-1) - ticks[0]);
    console.log(`  ${perSecond.toFixed(1)} ticks a second`);
    assert.ok(perSecond >= 15 && perSecond <= 22, `${perSecond.toFixed(1)} ticks a second`);
    // The painters write the read-outs, on the next frame.
    const degrees = String((ticks.length * 10) % 360);
    await waitFor(page, (expected) => document.getElementById('Text3').value === expected,
      `${degrees} degrees after ${ticks.length} ticks`, 5, degrees);
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.equal(await page.evaluate(() => window.ticks.length), ticks.length, 'ticks after Stop');
    await press(page, 'Command9');
  },
};

// Each language: the page opens with it, and its decimal separator shows in radians. The whole
// set of checks runs under the first. An engine may add languages of its own.
const languages = [['en-US', '1.57'], ['ro-RO', '1,57']];

export async function runChecks(engine, open, ownLanguages = []) {
  let failures = 0, passed = 0;
  const check = async (name, body) => {
    try {
      await body();
      ++passed;
      console.log(`ok ${engine}: ${name}`);
    } catch (error) {
      ++failures;
      console.log(`FAILED ${engine}: ${name}\n${error.stack}`);
    }
  };
  for (const [index, [locale, radians]] of [...languages, ...ownLanguages].entries()) {
    let page;
    await check(`${locale}: the page opens`, async () => {
      page = await open(locale);
      await waitFor(page, () => document.body.dataset.ready === 'true', 'the page to be ready');
    });
    if (!page) continue;
    await check(`${locale}: the browser's language and its decimal separator`, async () => {
      assert.equal(await page.evaluate(() => navigator.languages[0]), locale);
      await press(page, 'Command8', 90);
      assert.equal((await phase(page))[1], radians);
      await press(page, 'Command9');
    });
    if (index === 0) {
      for (const [name, body] of Object.entries(checks)) await check(name, () => body(page));
    }
    await check(`${locale}: no console error and no uncaught error`, async () => {
      assert.deepEqual(await page.problems(), []);
    });
    await page.close();
  }
  console.log(`${passed} passed, ${failures} failed`);
  return failures === 0 ? 0 : 1;
}
