// What the browser tests share: the page served by web/serve on a free port of this machine,
// Debian's Chromium driven by playwright-core, and reading pictures' pixels.
'use strict';

const {spawn} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {chromium} = require('playwright-core');
const {PNG} = require('pngjs');

const repo = path.resolve(__dirname, '..', '..');
const siteDir = process.env.VINTELLO_SITE_DIR || path.join(repo, 'build', 'web', 'site');

const chromiumFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic',
];

// Starts web/serve on a port that the system picks; resolves to {url, stop}.
function startServer() {
  if (!fs.existsSync(path.join(siteDir, 'vintello.wasm'))) {
    throw new Error(`no built page in ${siteDir}: build the web preset first`);
  }
  const server = spawn(path.join(repo, 'web', 'serve'), ['0', siteDir], {
    env: {...process.env, PYTHONUNBUFFERED: '1'},
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  let output = '';
  return new Promise((resolve, reject) => {
    const fail = (why) => {
      server.kill();
      reject(new Error(`web/serve did not start (${why}): ${output}`));
    };
    const timer = setTimeout(() => fail('no address'), 20000);
    const read = (chunk) => {
      output += chunk;
      const port = /Serving HTTP on \S+ port (\d+)/.exec(output);
      if (!port) return;
      clearTimeout(timer);
      const stop = () => new Promise((done) => {
        if (server.exitCode !== null || server.signalCode !== null) return done();
        server.once('exit', () => done());
        server.kill();
      });
      resolve({url: `http://127.0.0.1:${port[1]}/`, stop});
    };
    server.stdout.on('data', read);
    server.stderr.on('data', read);
    server.once('exit', (code) => fail(`exit ${code}`));
  });
}

// Chromium with a new empty profile; resolves to {context, close}.
async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vintello-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    args: chromiumFlags,
    viewport: {width: 800, height: 600},
    deviceScaleFactor: 1,
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return {context, close};
}

// Opens the page (with ?draws=... when given) and waits until the game has started.
async function openGame(context, url, draws) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  await page.goto(draws ? `${url}?draws=${draws}` : url);
  await page.waitForFunction(() => window.vintello && window.vintello.ready);
  await page.evaluate(() => document.fonts.ready);
  return {page, errors};
}

// The RGBA pixels of a PNG: {width, height, at(x, y) -> [r, g, b]}.
function decodePng(bytes) {
  const png = PNG.sync.read(bytes);
  return {
    width: png.width,
    height: png.height,
    at(x, y) {
      const i = (y * png.width + x) * 4;
      return [png.data[i], png.data[i + 1], png.data[i + 2]];
    },
  };
}

module.exports = {repo, siteDir, startServer, launchBrowser, openGame, decodePng};
