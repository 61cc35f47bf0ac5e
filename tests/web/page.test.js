// The web version in Debian's Chromium, served from this machine: the window as described, presses,
// droplets, 按钮1, the double-click rule, Esc, and the page compared with the desktop window.
'use strict';

const {test, before, after} = require('node:test');
const assert = require('node:assert/strict');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {repo, startServer, launchBrowser, openGame, decodePng} = require('./browser.js');

const desktopGrab = process.env.VINTELLO_DESKTOP_GRAB ||
    path.join(repo, 'build', 'web-desktop', 'tests', 'web', 'vintello_desktop_grab');

let server;
let browser;

before(async () => {
  server = await startServer();
  browser = await launchBrowser();
});

after(async () => {
  if (browser) await browser.close();
  if (server) await server.stop();
});

// The middle of tile `tile` (1 to 36) in stage pixels.
function tileMiddle(tile) {
  return {x: ((tile - 1) % 6) * 60 + 30, y: Math.floor((tile - 1) / 6) * 60 + 30};
}

async function caption(page, name) {
  return page.$eval(`[data-name="${name}"]`, (label) => label.textContent);
}

async function pressTile(page, tile, options = {}) {
  const {x, y} = tileMiddle(tile);
  await page.click('[data-name="动画框1"]', {position: {x, y}, ...options});
}

// The canvas's pixels of a tile's cell, less the 4-pixel margin where neighbours may overlap it.
async function tilePixels(page, tile) {
  const {x, y} = tileMiddle(tile);
  return page.$eval('[data-name="动画框1"]', (canvas, [left, top]) =>
    Array.from(canvas.getContext('2d').getImageData(left, top, 52, 52).data), [x - 26, y - 26]);
}

async function layout(page) {
  return page.evaluate(() => {
    const win = document.getElementById('window').getBoundingClientRect();
    return Array.from(document.querySelectorAll('#window > [data-name]'), (element) => {
      const box = element.getBoundingClientRect();
      return {
        name: element.dataset.name,
        place: [box.left - win.left, box.top - win.top, box.width, box.height],
        hidden: element.hidden,
      };
    });
  });
}

test('the page opens the window: 36 tiles, "10" and "1", every control in its place', async () => {
  const {page, errors} = await openGame(browser.context, server.url);
  assert.equal(await page.evaluate(() => vintello.objectCount()), 36);
  assert.equal(await caption(page, '标签1'), '10');
  assert.equal(await caption(page, '标签3'), '1');
  assert.equal(await caption(page, '标签2'), '关卡:');
  assert.equal(await caption(page, '标签4'), '剩余水:');
  assert.match(await caption(page, '标签5'), /^Powered by /);
  assert.equal(await caption(page, '按钮1'), '重新开始');
  assert.equal(await page.title(), 'Vintello 单击版');
  assert.deepEqual(await layout(page), [
    {name: '标签5', place: [0, 368, 544, 40], hidden: false},
    {name: '标签4', place: [376, 64, 152, 40], hidden: false},
    {name: '标签3', place: [384, 266, 144, 104], hidden: false},
    {name: '标签2', place: [376, 221, 152, 40], hidden: false},
    {name: '标签1', place: [384, 101, 144, 104], hidden: false},
    {name: '按钮1', place: [384, 12, 144, 48], hidden: false},
    {name: '动画框1', place: [0, 0, 362, 362], hidden: false},
  ]);
  // Every tile shows a picture: no cell of the canvas is plain face colour at its middle.
  const middles = await page.$eval('[data-name="动画框1"]', (canvas) => {
    const context = canvas.getContext('2d');
    const out = [];
    for (let tile = 0; tile < 36; ++tile) {
      const [r, g, b] = context.getImageData((tile % 6) * 60 + 30,
                                             Math.floor(tile / 6) * 60 + 30, 1, 1).data;
      out.push([r, g, b]);
    }
    return out;
  });
  const face = await page.$eval('#window', (win) => getComputedStyle(win).backgroundColor);
  for (const [r, g, b] of middles) assert.notEqual(`rgb(${r}, ${g}, ${b})`, face);
  // The labels use the embedded face, loaded from the site.
  assert.ok(await page.evaluate(() => document.fonts.check('700 96px "Vintello Embedded Face"',
                                                           '0123456789')));
  assert.deepEqual(errors, []);
  await page.close();
});

test('a press on a tile grows its drop, changes its picture only, and spends water', async () => {
  // Every draw 1: a board of size-1 drops.
  const {page} = await openGame(browser.context, server.url, '1');
  const before8 = await tilePixels(page, 8);
  const before9 = await tilePixels(page, 9);
  await pressTile(page, 8);
  assert.equal(await caption(page, '标签1'), '9');
  assert.equal(await page.evaluate(() => vintello.cell(8)), 2);
  assert.notDeepEqual(await tilePixels(page, 8), before8);
  assert.deepEqual(await tilePixels(page, 9), before9);
  await page.close();
});

test('the second press of a double-click is no press', async () => {
  const {page} = await openGame(browser.context, server.url, '1');
  await pressTile(page, 20, {clickCount: 2});
  assert.equal(await page.evaluate(() => vintello.cell(20)), 2);
  assert.equal(await caption(page, '标签1'), '9');
  await page.close();
});

test('a press on a full drop throws droplets that fly on the page clock until none is left',
     async () => {
       // Every draw 4: full drops everywhere, so the burst sets off chain bursts.
       const {page} = await openGame(browser.context, server.url, '4');
       await pressTile(page, 15);
       assert.equal(await page.evaluate(() => vintello.cell(15)), 5);
       assert.ok(await page.evaluate(() => vintello.objectCount()) > 36);
       await page.waitForFunction(() => vintello.objectCount() === 36, null, {timeout: 30000});
       // The chain burst tile 16 next to it, which shows the empty tile again.
       assert.equal(await page.evaluate(() => vintello.cell(16)), 5);
       await page.close();
     });

test('按钮1 starts a new board at level 1 with 10 water', async () => {
  const {page} = await openGame(browser.context, server.url, '0,1,2,3,4,2,1');
  const cellsBefore = await page.evaluate(
      () => Array.from({length: 36}, (_, i) => vintello.cell(i + 1)));
  const pictures = await Promise.all([1, 2, 3, 4, 5, 6].map((tile) => tilePixels(page, tile)));
  const growable = cellsBefore.findIndex((value) => value >= 0 && value <= 3) + 1;
  await pressTile(page, growable);
  assert.equal(await caption(page, '标签1'), '9');
  await page.click('[data-name="按钮1"]');
  assert.equal(await caption(page, '标签1'), '10');
  assert.equal(await caption(page, '标签3'), '1');
  const cellsAfter = await page.evaluate(
      () => Array.from({length: 36}, (_, i) => vintello.cell(i + 1)));
  assert.notDeepEqual(cellsAfter, cellsBefore);
  const picturesAfter = await Promise.all([1, 2, 3, 4, 5, 6].map((t) => tilePixels(page, t)));
  assert.notDeepEqual(picturesAfter, pictures);
  // Enter on the focused button does not press it again.
  await page.focus('[data-name="按钮1"]');
  await pressTile(page, growable);
  await page.focus('[data-name="按钮1"]');
  await page.keyboard.press('Enter');
  assert.equal(await caption(page, '标签1'), '9');
  await page.close();
});

test('Esc ends the game and shows it closed, whichever control has the focus', async () => {
  for (const focus of ['按钮1', '动画框1', null]) {
    const {page} = await openGame(browser.context, server.url, '1');
    if (focus) await page.focus(`[data-name="${focus}"]`);
    await page.keyboard.press('Shift+Escape');
    assert.equal(await page.evaluate(() => vintello.closed()), false, 'Shift+Esc is not Esc');
    await page.keyboard.press('Escape');
    assert.equal(await page.evaluate(() => vintello.closed()), true);
    assert.equal(await page.$('#window'), null);
    assert.match(await page.textContent('#closed'), /closed/);
    assert.equal(await page.evaluate(() => vintello.objectCount()), -1);
    await page.close();
  }
});

// Pixels that are exactly `colour` inside `place` ([left, top, width, height]): how many, and
// the box around them.
function ink(image, place, colour) {
  const [left, top, width, height] = place;
  let count = 0;
  const box = [Infinity, Infinity, -Infinity, -Infinity];
  for (let y = top; y < Math.min(top + height, image.height); ++y) {
    for (let x = left; x < Math.min(left + width, image.width); ++x) {
      const [r, g, b] = image.at(x, y);
      if (r !== colour[0] || g !== colour[1] || b !== colour[2]) continue;
      ++count;
      box[0] = Math.min(box[0], x);
      box[1] = Math.min(box[1], y);
      box[2] = Math.max(box[2], x);
      box[3] = Math.max(box[3], y);
    }
  }
  return {count, box};
}

test('the page shows what the desktop window shows for the same draws and press', async () => {
  assert.ok(fs.existsSync(desktopGrab),
            `${desktopGrab} is missing: build vintello_desktop_grab (web/check-web does)`);
  const draws = '1,2,3,4,0,2';
  const pressed = tileMiddle(8);
  const out = fs.mkdtempSync(path.join(os.tmpdir(), 'vintello-desktop-'));
  const desktopPng = path.join(out, 'desktop.png');
  const run = spawnSync(desktopGrab, [draws, desktopPng, `${pressed.x},${pressed.y}`],
                        {encoding: 'utf8', timeout: 60000});
  assert.equal(run.status, 0, run.stderr);
  const desktop = decodePng(fs.readFileSync(desktopPng));
  fs.rmSync(out, {recursive: true, force: true});

  const {page} = await openGame(browser.context, server.url, draws);
  await pressTile(page, 8);
  const web = decodePng(await (await page.$('#window')).screenshot());
  await page.close();

  // The stage: every pixel, tiles and face colour alike, is the same.
  let differing = 0;
  for (let y = 0; y < 362; ++y) {
    for (let x = 0; x < 362; ++x) {
      if (web.at(x, y).join() !== desktop.at(x, y).join()) ++differing;
    }
  }
  assert.equal(differing, 0, `${differing} stage pixels differ`);
  // A spot that no control covers shows the same face colour.
  assert.deepEqual(web.at(535, 200), desktop.at(535, 200));

  // The labels: the face colour at a corner, and their text in the same colour at the same
  // place. Text antialiasing differs between the two, so only fully inked pixels are counted and
  // their box may differ by a few pixels.
  const labels = [
    {name: '标签5', place: [0, 368, 544, 40], colour: [255, 128, 0]},
    {name: '标签4', place: [376, 64, 152, 40], colour: [0, 0, 0]},
    {name: '标签3', place: [384, 266, 144, 104], colour: [255, 128, 0]},
    {name: '标签2', place: [376, 221, 152, 40], colour: [0, 0, 0]},
    {name: '标签1', place: [384, 101, 144, 104], colour: [128, 224, 0]},
  ];
  for (const {name, place, colour} of labels) {
    assert.deepEqual(web.at(place[0] + place[2] - 2, place[1] + 6),
                     desktop.at(place[0] + place[2] - 2, place[1] + 6), `${name} background`);
    const webInk = ink(web, place, colour);
    const desktopInk = ink(desktop, place, colour);
    assert.ok(desktopInk.count > 50, `${name}: the desktop shows no text`);
    assert.ok(Math.abs(webInk.count - desktopInk.count) <= desktopInk.count * 0.15,
              `${name}: ${webInk.count} inked pixels against ${desktopInk.count}`);
    for (let i = 0; i < 4; ++i) {
      assert.ok(Math.abs(webInk.box[i] - desktopInk.box[i]) <= 3,
                `${name}: text box ${webInk.box} against ${desktopInk.box}`);
    }
  }
});
