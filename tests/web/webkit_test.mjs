// The engine checks in Debian's WebKitGTK: WebKitWebDriver drives its MiniBrowser over W3C
// WebDriver, in an Xvfb of its own, since the GTK MiniBrowser has no headless mode.
// node webkit_test.mjs build/web/tessarion.html
import { spawn, spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { runChecks } from './engine_checks.mjs';

const needs = [['/usr/bin/WebKitWebDriver', 'webkit2gtk-driver'], ['/usr/bin/Xvfb', 'xvfb'],
  ['/usr/share/i18n/locales/ro_RO', 'locales']];
for (const [file, name] of needs) {
  if (!existsSync(file)) {
    console.log(`${name} not installed: skipped`);
    process.exit(77);
  }
}

const dir = mkdtempSync(join(tmpdir(), 'tessarion-webkit-'));
const locales = join(dir, 'locales');
const copy = join(dir, 'tessarion.html');
const children = new Set();
const output = [];
let display;

// Each in a process group of its own, which ends with it.
function start(command, args, options) {
  const child = spawn(command, args, { ...options, detached: true });
  children.add(child);
  child.on('exit', () => children.delete(child));
  for (const stream of [child.stdout, child.stderr]) stream?.on('data', (data) => output.push(data));
  return child;
}

// Ends what still runs and waits for it, then removes the files it may have been writing.
async function cleanUp() {
  await Promise.all([...children].map((child) => new Promise((resolve) => {
    child.once('exit', resolve);
    process.kill(-child.pid);
  })));
  rmSync(dir, { recursive: true, force: true, maxRetries: 5 });
}

// WebKit takes the language from the locale of its web process, which glibc loads only where it
// has been compiled: both are compiled here rather than assumed on the machine.
function compileLocales() {
  mkdirSync(locales);
  for (const name of ['en_US', 'ro_RO']) {
    const built = spawnSync('localedef', ['-i', name, '-f', 'UTF-8', join(locales, `${name}.UTF-8`)]);
    if (built.status !== 0) throw new Error(`localedef ${name}: ${built.stderr}`);
  }
}

// A free display: Xvfb picks one with neither a socket nor a lock and names it once it is ready.
function startXvfb() {
  // -noreset: a browser starting while the server resets after the last one left is refused.
  const xvfb = start('Xvfb',
    ['-displayfd', '3', '-noreset', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
  return new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (data) => resolve(`:${String(data).trim()}`));
    xvfb.once('exit', () => reject(new Error(`Xvfb did not start: ${Buffer.concat(output)}`)));
  });
}

// WebDriver has no console to listen to, so the copy of the page that the browser opens
// records errors from its first line on: console errors, uncaught errors and rejections, and
// anything the page's policy blocks.
const recorder = `<script>
window.tessarionProblems = [];
{
  const note = (text) => tessarionProblems.push(text);
  const error = console.error.bind(console);
  console.error = (...args) => { note('console: ' + args.join(' ')); error(...args); };
  addEventListener('error', (e) => note('error: ' + (e.message || e.target.outerHTML)), true);
  addEventListener('unhandledrejection', (e) => note('unhandled rejection: ' + e.reason));
  addEventListener('securitypolicyviolation', (e) => note('blocked: ' + e.blockedURI));
}
</script>`;

const freePort = () => new Promise((resolve) => {
  const server = createServer().listen(0, '127.0.0.1', () => {
    const { port } = server.address();
    server.close(() => resolve(port));
  });
});

// The W3C WebDriver commands this test needs, over fetch.
async function webdriver(base, method, path, body) {
  const response = await fetch(base + path, {
    method,
    headers: { 'content-type': 'application/json' },
    body: body && JSON.stringify(body),
    signal: AbortSignal.timeout(30000),
  });
  const { value } = await response.json();
  if (!response.ok) throw new Error(`${method} ${path}: ${value.error}: ${value.message}`);
  return value;
}

// One driver, and so one browser, per language: the locale is fixed when the browser starts.
async function open(locale) {
  const port = await freePort();
  const base = `http://127.0.0.1:${port}`;
  const driver = start('/usr/bin/WebKitWebDriver', [`--port=${port}`], {
    stdio: ['ignore', 'pipe', 'pipe'],
    env: {
      ...process.env,
      DISPLAY: display,
      LOCPATH: locales,
      LC_ALL: `${locale.replace('-', '_')}.UTF-8`,
      LANGUAGE: '',
      // WebKit's caches and data, no shader cache, and no accessibility bus to wait for.
      XDG_CACHE_HOME: join(dir, 'cache'),
      XDG_DATA_HOME: join(dir, 'data'),
      MESA_SHADER_CACHE_DISABLE: 'true',
      NO_AT_BRIDGE: '1',
    },
  });
  for (;;) {
    const ready = await webdriver(base, 'GET', '/status').then((value) => value.ready, () => false);
    if (ready) break;
    if (driver.exitCode !== null) throw new Error(`WebKitWebDriver: ${Buffer.concat(output)}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  const { sessionId } = await webdriver(base, 'POST', '/session', { capabilities: {} });
  const session = (method, path, body) =>
    webdriver(base, method, `/session/${sessionId}${path}`, body);
  await session('POST', '/url', { url: pathToFileURL(copy).href });
  const evaluate = (fn, ...args) => session('POST', '/execute/sync',
    { script: `return (${fn}).apply(null, arguments);`, args });
  return {
    evaluate,
    async click(selector) {
      const element = await session('POST', '/element', { using: 'css selector', value: selector });
      await session('POST', `/element/${Object.values(element)[0]}/click`, {});
    },
    problems: () => evaluate(() => window.tessarionProblems),
    // Closing the session lets each process reap its own; whatever is left ends with the
    // driver's process group.
    async close() {
      await session('DELETE', '').catch(() => {});
      await new Promise((resolve) => {
        driver.once('exit', resolve);
        process.kill(-driver.pid);
      });
    },
  };
}

let status = 1;
try {
  compileLocales();
  display = await startXvfb();
  writeFileSync(copy, readFileSync(process.argv[2], 'utf8').replace('<head>', `<head>\n${recorder}`));
  // In the C locale, as on many a server, WebKit reports the tag "C", which Intl rejects.
  status = await runChecks('webkit', open, [['C', '1.57']]);
} finally {
  await cleanUp();
  if (status !== 0) console.log(`--- Xvfb, WebKitWebDriver and MiniBrowser said ---\n${Buffer.concat(output)}`);
}
process.exit(status);
