// The page, headless:  node web/tests/page.test.mjs <page folder> <native zelwan>
// From file://, its controls convert the bundled example into what tests/cli/map_example/out/ holds;
// from a local server, window.zelwan.run leaves what the native program leaves on generated cases.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

if (process.argv.length !== 4) throw new Error('usage: page.test.mjs <page folder> <native zelwan>');
const [pageDir, native] = process.argv.slice(2).map((arg) => path.resolve(arg));
const repo = fileURLToPath(new URL('../..', import.meta.url));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'zelwan-page-'));
const started = Date.now();
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  failures += !ok;
}

// The one thing two runs may differ in, masked as tests/cli/run_case.sh masks it.
function masked(name, bytes) {
  if (!name.endsWith('.log')) return Buffer.from(bytes);
  const stamp = /^(Data \/ godzina wykonania transformacji: )\d{4}-\d\d-\d\d \d\d:\d\d:\d\d/gm;
  return Buffer.from(Buffer.from(bytes).toString('latin1').replace(stamp, '$1YYYY-MM-DD HH:MM:SS'), 'latin1');
}

// --- the server and the browser ------------------------------------------------------------------

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css' };
const server = http.createServer((req, res) => {
  const file = path.join(pageDir, decodeURIComponent(new URL(req.url, 'http://page').pathname));
  if (!file.startsWith(pageDir + path.sep) || !fs.statSync(file, { throwIfNoEntry: false })?.isFile()) {
    return res.writeHead(404).end();
  }
  res.writeHead(200, { 'content-type': types[path.extname(file)] || 'application/octet-stream' });
  res.end(fs.readFileSync(file));
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));

const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'] });

// A page whose requests, its worker's included, must all start with `home` (or be data: or blob:).
async function openPage(home) {
  const page = await browser.newPage();
  const seen = { requests: 0, problems: [] };
  const note = (problem) => seen.problems.push(problem);
  const own = (url) => url.startsWith(home) || /^(data|blob):/.test(url);
  page.on('request', (r) => ++seen.requests && !own(r.url()) && note(`request: ${r.url()}`));
  page.on('requestfailed', (r) => note(`failed: ${r.url()}`));
  page.on('console', (m) => m.type() === 'error' && note(`console: ${m.text()}`));
  page.on('pageerror', (e) => note(`page error: ${e.message}`));
  page.on('workercreated', (worker) => {
    worker.on('console', (m) => m.type() === 'error' && note(`worker console: ${m.text()}`));
    worker.on('error', (e) => note(`worker error: ${e.message}`));
  });
  await page.goto(home + 'index.html');
  return { page, seen };
}

function checkClean({ requests, problems }, where) {
  check(requests > 0 && problems.length === 0,
    `${where}: ${requests} requests, all its own; no error logged${problems.map((p) => `\n     ${p}`).join('')}`);
}

// --- 1. the page's own controls, from file:// ----------------------------------------------------

async function pageControls() {
  const { page, seen } = await openPage(pathToFileURL(pageDir).href + '/');
  const cdp = await browser.target().createCDPSession();
  const downloads = path.join(tmp, 'downloads');
  const [names, finished] = [new Map(), new Map()];
  cdp.on('Browser.downloadWillBegin', (e) => names.set(e.guid, e.suggestedFilename));
  cdp.on('Browser.downloadProgress', (e) => e.state !== 'inProgress' && finished.set(e.guid, e.state));
  const behavior = { behavior: 'allowAndName', downloadPath: downloads, eventsEnabled: true };
  await cdp.send('Browser.setDownloadBehavior', behavior);

  // The delimiters and separator are left as the page starts: those of the golden separatory.txt.
  await (await page.$('#files')).uploadFile(path.join(repo, 'examples/punkty_2000.txt'));
  // One after another: a new mode fills the directions anew.
  const settings = { mode: '0', direction: '3', 'height-direction': '0', 'xy-code': '1', 'h-code': '1' };
  const chosen = {};
  for (const [id, value] of Object.entries(settings)) chosen[id] = (await page.select(`#${id}`, value))[0];
  check(JSON.stringify(chosen) === JSON.stringify(settings), `file://: settings chosen ${JSON.stringify(chosen)}`);
  await page.click('#convert');
  await page.waitForSelector('#results .result', { timeout: 60000 });

  // The golden case's counts: 8 lines, 5 converted, 1 bad format, 1 outside, 1 H, 1 warning.
  const summary = await page.$eval('#results .summary', (p) => p.textContent);
  check(summary.includes('linie 8, zapisane 5, odrzucone 3 (format 1, poza obszarem 1, H 1), ostrzeżenia 1'),
    `file://: summary "${summary}"`);
  const drawn = await page.$eval('#results .map img', (img) => img.decode().then(() => img.naturalWidth, () => 0));
  check(drawn > 0, `file://: the map is drawn on the page (${drawn} px wide)`);

  for (const link of await page.$$('#results .downloads a')) await link.click();
  for (let waited = 0; finished.size < 3 && waited < 300; ++waited) await new Promise((r) => setTimeout(r, 100));
  const got = Object.fromEntries([...finished].filter(([, state]) => state === 'completed')
    .map(([guid]) => [names.get(guid), fs.readFileSync(path.join(downloads, guid))]));
  const result = 'punkty_2000_wynik.txt';
  const expected = { [result]: result, [`${result}.log`]: `${result}.log`, [`${result}.svg`]: 'mapa.svg' };
  check(Object.keys(got).sort().join() === Object.keys(expected).join(), `file://: downloaded ${Object.keys(got)}`);
  for (const [name, goldenName] of Object.entries(expected)) {
    const want = fs.readFileSync(path.join(repo, 'tests/cli/map_example/out', goldenName));
    const same = got[name] && masked(name, got[name]).equals(want);
    check(same, `file://: downloaded ${name} is out/${goldenName} (${want.length} B)`);
  }
  checkClean(seen, 'file://');
  await page.close();
}

// --- 2. generated cases, the page's run against the native program -------------------------------

let seed = 1965; // Park and Miller's minimal standard: the same cases on every run
const random = () => (seed = (seed * 48271) % 2147483647) / 2147483647;
const int = (lo, hi) => lo + Math.floor(random() * (hi - lo + 1));
const pick = (list) => list[int(0, list.length - 1)];
const chance = (p) => random() < p;

// Around the areas in the three systems (local Skawina, Skawina and the county in 2000, the county
// in 1965), a fifth wider on each side, so that some points fall outside.
const BOXES = [[-26109, -19106, 298298, 306228], [5534838, 5541730, 7411639, 7419590],
  [5526321, 5577503, 7393488, 7455297], [5383527, 5434675, 4524665, 4586463]];
const BAD = ['12O', 'abc', '1,5', '+5', '1e5', 'NaN', '-', '.', '--5', '0x10', '5541000.00.1', '1e999'];

function pointLine(n, delimiter) {
  const [x0, x1, y0, y1] = pick(BOXES);
  const number = (lo, hi) => (lo + random() * (hi - lo)).toFixed(int(0, 6));
  const fields = [pick(['', 'P', 'pkt_', '\xb9']) + n,
    number(x0 - (x1 - x0) / 5, x1 + (x1 - x0) / 5), number(y0 - (y1 - y0) / 5, y1 + (y1 - y0) / 5)];
  if (chance(0.8)) fields.push(chance(0.8) ? number(100, 600) : number(-50, 700));
  if (chance(0.08)) fields[int(1, fields.length - 1)] = pick(BAD);
  if (chance(0.05)) fields.push(pick(['pikieta', '12.5', '']));
  if (chance(0.05)) fields.length = int(1, 2);
  const line = fields.join(chance(0.1) ? delimiter.repeat(int(2, 4)) : delimiter);
  return chance(0.03) ? line + ' '.repeat(int(990, 1300)) : line;
}

function inputFile(delimiters) {
  const lines = Array.from({ length: int(0, 25) }, (_, n) => {
    const odd = random();
    return odd < 0.05 ? '' : odd < 0.08 ? 'A'.repeat(int(995, 1300)) : pointLine(n + 1, pick(delimiters || ' '));
  });
  const eol = pick(['\r\n', '\n']);
  let text = lines.join(eol) + (chance(0.8) ? eol : '');
  if (chance(0.05)) {
    const at = int(0, text.length);
    text = text.slice(0, at) + '\x1a' + text.slice(at);
  }
  return Buffer.from(text, 'latin1');
}

function makeCase() {
  const length = chance(0.03) ? 0 : int(1, 3);
  const delimiters = [...new Set(Array.from({ length }, () => pick([' ', '\t', ';', ',', '|'])))].join('');
  const files = {};
  if (chance(0.95)) {
    const [eol, separator] = [pick(['\r\n', '\n']), chance(0.03) ? '' : pick([';', ';', ',', ' ', '\t', '|', ';;'])];
    files['separatory.txt'] = Buffer.from(delimiters + eol + (chance(0.03) ? '' : separator + eol), 'latin1');
  }
  const input = pick(['punkty.txt', 'dane.csv', 'pomiar', 'a.b.txt', 'żółw ąę.txt']);
  if (chance(0.95)) files[input] = inputFile(chance(0.9) ? delimiters : null);
  const output = chance(0.05) ? 'brak/' : pick(['-', '-', '-', 'wyniki/', 'wyniki']);
  if (output.startsWith('wyniki')) files['wyniki/'] = null;
  const options = [];
  if (chance(0.3)) options.push('--strict');
  if (chance(0.3)) options.push(['--map', pick(['mapa', 'plan', 'mapa', 'wyniki/m']) + '.svg']);
  if (chance(0.5)) options.reverse();
  const codes = [int(0, 3), int(-1, 4), int(0, 2), int(-3, 8), int(-3, 8)].map(String);
  return { args: [...options.flat(), input, output, ...codes], files };
}

function runNative(program, { args, files }, dir) {
  fs.mkdirSync(dir);
  for (const [name, bytes] of Object.entries(files)) {
    if (bytes === null) fs.mkdirSync(path.join(dir, name));
    else fs.writeFileSync(path.join(dir, name), bytes);
  }
  const run = spawnSync(program, args, { cwd: dir, stdio: ['ignore', 'pipe', 'pipe'] });
  if (run.error) throw run.error;
  const left = {};
  for (const name of fs.readdirSync(dir, { recursive: true })) {
    const full = path.join(dir, name);
    if (fs.statSync(full).isFile()) left[name.split(path.sep).join('/')] = fs.readFileSync(full);
  }
  return { status: run.status ?? run.signal, stdout: run.stdout, stderr: run.stderr, files: left };
}

// The page's runs, a batch per call. The bytes cross as base64 and come back so; null is a folder.
const mapFiles = (files, f) => Object.fromEntries(Object.entries(files).map(([name, b]) => [name, b && f(b)]));
const runOnPage = (page, batch) => page.evaluate((batch) => {
  const encode = (bytes) => btoa(Array.from(bytes, (b) => String.fromCharCode(b)).join(''));
  const decode = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  const map = (files, f) => Object.fromEntries(Object.entries(files).map(([name, b]) => [name, b === null ? b : f(b)]));
  const encodeRun = (run) => ({
    status: run.status, stdout: encode(run.stdout), stderr: encode(run.stderr), files: map(run.files, encode) });
  return Promise.all(batch.map(({ args, files }) => window.zelwan.run(args, map(files, decode))
    .then(encodeRun, (error) => ({ error: String(error) }))));
}, batch.map(({ args, files }) => ({ args, files: mapFiles(files, (b) => b.toString('base64')) })));

// What differs between a native run and a page run; counts the native bytes compared.
function differences(want, got, totals) {
  if (got.error) return [`the page's run failed: ${got.error}`];
  const found = want.status === got.status ? [] : [`status ${got.status}, native ${want.status}`];
  const [wantAll, gotAll] = [want, got].map((run) => ({ stdout: run.stdout, stderr: run.stderr, ...run.files }));
  for (const name of new Set([...Object.keys(wantAll), ...Object.keys(gotAll)])) {
    const [mine, theirs] = [wantAll[name], gotAll[name] !== undefined && Buffer.from(gotAll[name], 'base64')];
    if (!mine || !theirs) found.push(`${name}: ${mine ? 'missing on the page' : 'only on the page'}`);
    else if (!masked(name, mine).equals(masked(name, theirs))) found.push(`${name} differs`);
    totals.bytes += mine ? mine.length : 0;
  }
  return found;
}

function compareAll(program, cases, pageResults, label) {
  const totals = { cases: cases.length, bytes: 0, mismatches: 0, casesWith: 0, statuses: {} };
  cases.forEach((testCase, i) => {
    const dir = path.join(tmp, `${label}-${i}`);
    const want = runNative(program, testCase, dir);
    const found = differences(want, pageResults[i], totals);
    totals.statuses[want.status] = (totals.statuses[want.status] || 0) + 1;
    totals.mismatches += found.length;
    totals.casesWith += found.length > 0;
    if (found.length === 0 || label !== 'case') fs.rmSync(dir, { recursive: true });
    else console.log(`     case ${i} (native in ${dir}): zelwan ${testCase.args.join(' ')}: ${found.join('; ')}`);
  });
  return totals;
}

async function againstNative() {
  const { page, seen } = await openPage(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForFunction(() => window.zelwan && typeof window.zelwan.run === 'function');
  const cases = Array.from({ length: 400 }, makeCase);
  const pageResults = [];
  for (let i = 0; i < cases.length; i += 25) pageResults.push(...await runOnPage(page, cases.slice(i, i + 25)));
  checkClean(seen, 'http');
  await page.close();

  const real = compareAll(native, cases, pageResults, 'case');
  check(real.mismatches === 0, `window.zelwan.run against ${native}: ${real.cases} cases, ` +
    `${real.bytes} bytes compared, ${real.mismatches} mismatches; exit statuses ${JSON.stringify(real.statuses)}`);

  // The same comparison must notice a native program that writes H with one place more.
  const planted = path.join(tmp, 'planted.sh');
  const wrapper = '#!/bin/bash\nargs=("$@")\nargs[-1]=$((args[-1] + 1))\nexec "$ZELWAN_NATIVE" "${args[@]}"\n';
  fs.writeFileSync(planted, wrapper, { mode: 0o755 });
  process.env.ZELWAN_NATIVE = native;
  const slice = compareAll(planted, cases.slice(0, 30), pageResults, 'planted');
  check(slice.mismatches > 0, `planted fault (H decimals code + 1): ${slice.cases} cases, ` +
    `${slice.bytes} bytes compared, ${slice.mismatches} mismatches in ${slice.casesWith} cases`);
  return real;
}

let totals = { cases: 0, bytes: 0, mismatches: 0 };
try {
  await pageControls();
  totals = await againstNative();
} catch (error) {
  check(false, `stopped: ${error.stack || error}`);
} finally {
  await browser.close();
  server.close();
}
console.log(`${totals.cases} cases, ${totals.bytes} bytes compared, ${totals.mismatches} mismatches, ` +
  `${failures} failed checks, ${((Date.now() - started) / 1000).toFixed(1)} s`);
if (failures === 0) fs.rmSync(tmp, { recursive: true });
else console.log(`(left in ${tmp})`);
process.exit(failures === 0 ? 0 : 1);
