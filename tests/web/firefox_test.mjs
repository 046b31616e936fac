// The engine checks in Debian's Firefox ESR, headless, over WebDriver BiDi.
// node firefox_test.mjs build/web/tessarion.html
import { existsSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { runChecks } from './engine_checks.mjs';

const firefox = '/usr/bin/firefox-esr';
if (!existsSync(firefox)) {
  console.log('firefox-esr not installed: skipped');
  process.exit(77);
}
const { default: puppeteer } = await import('puppeteer-core');
const pageUrl = pathToFileURL(process.argv[2]).href;

// The language lives in the profile, so each one gets a browser of its own.
async function open(locale) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: firefox,
    headless: true,
    // navigator.languages, and the locale of Intl where a language pack provides it.
    extraPrefsFirefox: { 'intl.accept_languages': locale, 'intl.locale.requested': locale },
  });
  const page = await browser.newPage();
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`error: ${error.message}`));
  await page.goto(pageUrl);
  return {
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    click: (selector) => page.click(selector),
    problems: async () => problems,
    close: () => browser.close(),
  };
}

process.exit(await runChecks('firefox', open));
