// The page in headless Chromium against the native program, in one run, on one generated file:
//   node bench/web.mjs <page folder> <native zelwan> <points file> [REPETITIONS]
// Each repetition converts the file on the page (from the click to the result shown) and natively
// (the same arguments the page passes), alternating; prints the medians and their ratio, how often
// the progress bar moved, and the longest the page's thread was ever busy during a conversion.
// Needs web/node_modules (cd web && npm ci) and Debian's chromium.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from '../web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js';

const [pageDir, nativeArgument, points, repetitions = '3'] = process.argv.slice(2);
const native = path.resolve(nativeArgument);
const name = path.basename(points);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zelwan-web-bench-'));
fs.copyFileSync(points, path.join(work, name));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage();
await page.goto(pathToFileURL(path.resolve(pageDir, 'index.html')).href);
await (await page.$('#files')).uploadFile(path.resolve(points));
await page.waitForSelector('#direction option'); // the codes are the program's answer
for (const [id, value] of [['mode', '0'], ['direction', '2'], ['height-direction', '0'], ['xy-code', '1'], ['h-code', '1']]) {
  await page.select(`#${id}`, value);
}
// The page's defaults as options, and the result's name as the program gives it.
const { output } = await page.evaluate((input) => window.zelwan.outputPaths(input), name);
const args = ['--map', `${output}.svg`, '--delimiters', ' \t', '--separator', ';', name, '-', '0', '2', '0', '1', '1'];

const timings = { page: [], native: [] };
let moves = 0;
let longestBusy = 0;
for (let i = 0; i < Number(repetitions); ++i) {
  const onPage = await page.evaluate(async () => {
    const bar = document.getElementById('progress');
    let moves = 0;
    let last = bar.value;
    let longestBusy = 0;
    let frame = performance.now();
    let running = true;
    const watch = () => { // a frame every few milliseconds while the page's thread is free
      const now = performance.now();
      longestBusy = Math.max(longestBusy, now - frame);
      frame = now;
      if (bar.value !== last) ++moves;
      last = bar.value;
      if (running) requestAnimationFrame(watch);
    };
    requestAnimationFrame(watch);
    const started = performance.now();
    document.getElementById('results').textContent = '';
    document.getElementById('convert').click();
    while (!document.querySelector('#results .result')) await new Promise((r) => setTimeout(r, 5));
    running = false;
    return { seconds: (performance.now() - started) / 1000, moves, longestBusy };
  });
  timings.page.push(onPage.seconds);
  moves = Math.max(moves, onPage.moves);
  longestBusy = Math.max(longestBusy, onPage.longestBusy);
  const started = process.hrtime.bigint();
  spawnSync(native, args, { cwd: work, stdio: 'ignore' });
  timings.native.push(Number(process.hrtime.bigint() - started) / 1e9);
}
await browser.close();
fs.rmSync(work, { recursive: true });

const [onPage, natively] = [median(timings.page), median(timings.native)];
console.log(`page runs: ${timings.page.map((s) => s.toFixed(3)).join(" ")}; native: ${timings.native.map((s) => s.toFixed(3)).join(" ")}`);
console.log(`${name}: page ${onPage.toFixed(3)} s, native ${natively.toFixed(3)} s, ratio ${(onPage / natively).toFixed(2)}`);
console.log(`the progress bar moved ${moves} times; the page's thread was busy at most ${longestBusy.toFixed(0)} ms at a time`);
