// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT
//
// `make web-test`: the browser build in Debian's Chromium (headless, software WebGL),
// driven through the browser's own mouse events. Every picture of the window is
// compared pixel for pixel with the Linux spektrion-snapshot of the same state.
// Usage: node web_test.mjs BUILD_DIR
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const build = path.resolve(process.argv[2] ?? 'build');
const site = path.join(build, 'web');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'spektrion-web-'));
let passed = 0;
let failed = 0;
function check(ok, what) {
  if (ok) {
    passed++;
    console.log(`PASS: ${what}`);
  } else {
    failed++;
    console.log(`FAIL: ${what}`);
  }
}

// A plain static file server on the loopback, as a school's web host would be; it can
// hold back the program a while, to show the page's progress line.
let wasmDelayMs = 0;
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm' };
const server = http.createServer((request, response) => {
  const name = path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^\/+/, '');
  const file = path.join(site, name || 'index.html');
  if (!file.startsWith(site) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
    response.writeHead(404).end();
    return;
  }
  const send = () => {
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  };
  setTimeout(send, file.endsWith('.wasm') ? wasmDelayMs : 0);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/index.html`;

function launch(extraArgs = []) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(work, 'profile-')),
    args: ['--no-sandbox', '--no-first-run', '--disable-gpu', '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic', '--font-render-hinting=none', ...extraArgs],
  });
}

// The Linux program's picture of a state, and whether a shot equals it.
let shots = 0;
function linuxPicture(sizes, order, pointer) {
  const file = path.join(work, `linux-${shots}.png`);
  const args = ['--sizes', sizes.join(','), '--order', order, '-o', file];
  if (pointer) args.push('--pointer', `${pointer[0]},${pointer[1]}`);
  execFileSync(path.join(build, 'bin', 'spektrion-snapshot'), args);
  return file;
}
function samePicture(a, b) {
  // ImageMagick prints the count of differing pixels on stderr.
  const result = spawnSync('compare', ['-metric', 'AE', a, b, 'null:']);
  return result.status === 0 && result.stderr.toString().trim() === '0';
}
async function shows(page, canvas, sizes, order, pointer, what) {
  const expected = linuxPicture(sizes, order, pointer);
  const shot = path.join(work, `page-${shots++}.png`);
  let same = false;
  for (let tries = 0; tries < 20 && !same; tries++) {
    await page.screenshot({ path: shot, clip: canvas });
    same = samePicture(shot, expected);
    if (!same) await new Promise((r) => setTimeout(r, 100));
  }
  if (!same) {
    fs.mkdirSync(path.join(build, 'web-failures'), { recursive: true });
    fs.copyFileSync(shot, path.join(build, 'web-failures', `${what.replace(/\W+/g, '-')}-shown.png`));
    fs.copyFileSync(expected, path.join(build, 'web-failures', `${what.replace(/\W+/g, '-')}-expected.png`));
  }
  check(same, `${what}: the page shows the Linux picture`);
}

try {
  const browser = await launch();
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 800, deviceScaleFactor: 1 });

  // While the program loads, a progress line; then the window.
  wasmDelayMs = 1500;
  await page.goto(url, { waitUntil: 'domcontentloaded' });
  const loading = await page.$eval('#status', (e) => e.textContent.trim());
  const hidden = await page.$eval('#qtcanvas', (e) => getComputedStyle(e).display === 'none');
  check(loading.length > 0 && hidden, `a progress line while loading: "${loading}"`);
  await page.waitForFunction(() => document.getElementById('qtcanvas').style.display === 'block',
    { timeout: 60000 });
  wasmDelayMs = 0;
  check(await page.$eval('#status', (e) => e.textContent.trim() === ''), 'the progress line goes once the window is up');
  const canvas = await (await page.$('#qtcanvas')).boundingBox();
  check(canvas.width === 792 && canvas.height === 521, `the window is ${canvas.width} x ${canvas.height} CSS pixels`);
  check(Number.isInteger(canvas.x) && Number.isInteger(canvas.y), 'the window stands on whole pixels');
  await shows(page, canvas, [2, 2, 2], '>', null, 'start-up');

  // A walk through the states by clicks on letters, subscripts and the coupling label,
  // its expectation worked out here: a click cycles a group 1, 2, 3, 1 or swaps the order.
  const targets = {
    A: [204, 20, 0], subA: [220, 38, 0], M: [240, 20, 1], subM: [260, 38, 1], X: [278, 20, 2],
    subX: [296, 38, 2], J: [440, 20, -1],
  };
  const walk = ['A', 'subM', 'J', 'X', 'X', 'subA', 'M', 'J', 'subX', 'A', 'M', 'J', 'subM', 'A'];
  const sizes = [2, 2, 2];
  let order = '>';
  // A subscript has no help text: the bar keeps the text of the last place that had one.
  let explained = null;
  for (const [step, name] of walk.entries()) {
    const [x, y, group] = targets[name];
    await page.mouse.click(canvas.x + x, canvas.y + y);
    if (group < 0) order = order === '>' ? '<' : '>';
    else sizes[group] = (sizes[group] % 3) + 1;
    if (!name.startsWith('sub')) explained = [x, y];
    await shows(page, canvas, sizes, order, explained, `click ${step + 1} on ${name}`);
  }

  // Hovers: a letter, the chart, the coupling label, the bare window.
  for (const [name, x, y] of [['letter', 278, 20], ['chart', 300, 200], ['coupling label', 440, 20],
    ['bare window', 700, 25], ['description', 348, 470]]) {
    await page.mouse.move(canvas.x + x, canvas.y + y);
    await shows(page, canvas, sizes, order, [x, y], `hover over the ${name}`);
  }

  // How long a page takes from opening to the start-up spectrum, served from this
  // machine (a figure for the README, not a test): median of three loads.
  const startUp = linuxPicture([2, 2, 2], '>', null);
  const times = [];
  for (let i = 0; i < 3; i++) {
    const fresh = await browser.newPage();
    await fresh.setViewport({ width: 1024, height: 800, deviceScaleFactor: 1 });
    const start = Date.now();
    await fresh.goto(url, { waitUntil: 'domcontentloaded' });
    await fresh.waitForFunction(() => document.getElementById('qtcanvas').style.display === 'block',
      { timeout: 60000 });
    const box = await (await fresh.$('#qtcanvas')).boundingBox();
    const shot = path.join(work, 'timing.png');
    do await fresh.screenshot({ path: shot, clip: box });
    while (!samePicture(shot, startUp) && Date.now() - start < 60000);
    times.push(Date.now() - start);
    await fresh.close();
  }
  console.log(`start-up to the first spectrum in headless Chromium: ${times.sort((a, b) => a - b)[1]} ms`);

  // At a laptop's 125 % and at 200 % the chart is drawn at the device's resolution,
  // measured as on Linux.
  for (const ratio of [1.25, 2]) {
    const scaled = await browser.newPage();
    await scaled.setViewport({ width: 1280, height: 900, deviceScaleFactor: ratio });
    await scaled.goto(url, { waitUntil: 'domcontentloaded' });
    await scaled.waitForFunction(() => document.getElementById('qtcanvas').style.display === 'block',
      { timeout: 60000 });
    const box = await (await scaled.$('#window')).boundingBox();
    const shot = path.join(work, `scaled-${ratio}.png`);
    let verdict;
    for (let tries = 0; tries < 20; tries++) {
      await scaled.screenshot({ path: shot, clip: box });
      verdict = spawnSync(path.join(build, 'bin', 'scaled_chart_check'), [shot, String(ratio)]);
      if (verdict.status === 0) break;
      await new Promise((r) => setTimeout(r, 100));
    }
    if (verdict.status !== 0) {
      fs.mkdirSync(path.join(build, 'web-failures'), { recursive: true });
      fs.copyFileSync(shot, path.join(build, 'web-failures', `scaled-${ratio}.png`));
    }
    check(verdict.status === 0, `at a device scale factor of ${ratio}: ${verdict.stdout.toString().trim()}`);
    await scaled.close();
  }
  await browser.close();

  // Without WebGL: a clear sentence instead of the window.
  const plain = await launch(['--disable-webgl', '--disable-3d-apis']);
  const page2 = await plain.newPage();
  await page2.goto(url, { waitUntil: 'load' });
  const message = await page2.$eval('#status', (e) => (e.className === 'error' ? e.textContent : ''));
  check(message.includes('WebGL'), `without WebGL the page says so: "${message}"`);
  await plain.close();
} catch (e) {
  check(false, `the browser test ran to its end: ${e.stack}`);
} finally {
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
