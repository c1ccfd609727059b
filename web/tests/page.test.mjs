// The page, headless:  node web/tests/page.test.mjs <page folder> <native zelwan>
// From file://, its controls convert a spreadsheet's CSV into what tests/cli/sheet_decimal_comma/out/ holds;
// from a local server, window.zelwan.run leaves what the native program leaves on generated cases.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const [pageDir, native] = process.argv.slice(2).map((arg) => path.resolve(arg));
const repo = fileURLToPath(new URL('../..', import.meta.url));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'zelwan-page-'));
let failures = 0;
const check = (ok, what) => console.log(`${(failures += !ok, ok ? 'ok  ' : 'FAIL')} ${what}`);

// The log's time stamp is the one thing two runs may differ in.
const stamp = /^(Data \/ godzina wykonania transformacji: )\d{4}-\d\d-\d\d \d\d:\d\d:\d\d/gm;
const masked = (name, bytes) => (name.endsWith('.log')
  ? Buffer.from(Buffer.from(bytes).toString('latin1').replace(stamp, '$1YYYY-MM-DD HH:MM:SS'), 'latin1') : Buffer.from(bytes));

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
const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'] });

// A page whose requests, its worker's included, must all start with `home` (or be data: or blob:),
// and which logs no error.
async function openPage(home) {
  const page = await browser.newPage();
  const seen = { requests: 0, problems: [] };
  const note = (problem) => seen.problems.push(problem);
  page.on('request', (r) => ++seen.requests && !/^(data|blob):/.test(r.url()) && !r.url().startsWith(home)
    && note(`request: ${r.url()}`));
  page.on('requestfailed', (r) => note(`failed: ${r.url()}`));
  page.on('console', (m) => m.type() === 'error' && note(`console: ${m.text()}`));
  page.on('pageerror', (e) => note(`page error: ${e.message}`));
  page.on('workercreated', (worker) => worker.on('console', (m) => m.type() === 'error' && note(`worker: ${m.text()}`)));
  await page.goto(home + 'index.html');
  const clean = () => check(seen.requests > 0 && seen.problems.length === 0,
    `${home}: ${seen.requests} requests, all its own; no error logged${seen.problems.map((p) => `\n     ${p}`).join('')}`);
  return { page, clean };
}

// --- 1. the page's own controls, from file:// ----------------------------------------------------

async function pageControls() {
  const { page, clean } = await openPage(pathToFileURL(pageDir).href + '/');
  const cdp = await browser.target().createCDPSession();
  const [names, finished] = [new Map(), new Map()];
  cdp.on('Browser.downloadWillBegin', (e) => names.set(e.guid, e.suggestedFilename));
  cdp.on('Browser.downloadProgress', (e) => e.state !== 'inProgress' && finished.set(e.guid, e.state));
  const downloads = path.join(tmp, 'downloads');
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: downloads, eventsEnabled: true });

  // A spreadsheet's CSV, converted as tests/cli/sheet_decimal_comma is: the choice sets the rest.
  const golden = path.join(repo, 'tests/cli/sheet_decimal_comma');
  await (await page.$('#files')).uploadFile(path.join(golden, 'in/arkusz.csv'));
  await page.waitForSelector('#direction option'); // the codes are the program's answer
  await page.click('#sheet');
  // The case's codes, one after another: a new mode fills the directions anew.
  const codes = { mode: '0', direction: '2', 'height-direction': '0', 'xy-code': '1', 'h-code': '1' };
  for (const [id, value] of Object.entries(codes)) await page.select(`#${id}`, value);
  await page.click('#convert');
  await page.waitForSelector('#results .result', { timeout: 60000 });

  // The program's summary; the two rejected lines marked; a tooltip on each point of the map.
  const shown = await page.$eval('#results .result', (article) => [article.className,
    article.querySelector('.summary').textContent,
    ...[...article.querySelectorAll('.output .rejected-line, .map svg title')].map((e) => e.textContent.trim())]);
  check(JSON.stringify(shown) === JSON.stringify(['result warning',
    'zelwan: linie 6, zapisane 3, odrzucone 2 (format 1, poza obszarem 1, H 0), ostrzezenia 0, log arkusz_wynik.csv.log',
    'linia 2: 101', 'linia 3: 102', 'linia 4: 103', 'linia 5: 104',
    '104;5541000,00;7415000,00;250,00', '105;5410000.00;4556000.00;250.00']), `file://: shown ${JSON.stringify(shown)}`);

  for (const link of await page.$$('#results .downloads a')) await link.click();
  for (let waited = 0; finished.size < 3 && waited < 300; ++waited) await new Promise((r) => setTimeout(r, 100));
  const got = Object.fromEntries([...finished].filter(([, state]) => state === 'completed')
    .map(([guid]) => [names.get(guid), fs.readFileSync(path.join(downloads, guid))]));
  const differ = Object.keys(got).filter((name) => !name.endsWith('.svg')
    && !masked(name, got[name]).equals(fs.readFileSync(path.join(golden, 'out', name))));
  check(Object.keys(got).sort().join() === 'arkusz_wynik.csv,arkusz_wynik.csv.log,arkusz_wynik.csv.svg' && !differ.length,
    `file://: downloaded ${Object.keys(got)}; the result and the log are out/'s${differ.length ? `, but not ${differ}` : ''}`);
  clean();
  await page.close();
}

// --- 2. generated cases, the page's run against the native program -------------------------------

// The golden cases' files, each run with its own arguments and then four times with options and
// codes drawn at random, so that every code meets every kind of line and file the cases hold.
let seed = 1965; // Park and Miller's minimal standard: the same cases on every run
const random = () => (seed = (seed * 48271) % 2147483647) / 2147483647;
const int = (lo, hi) => lo + Math.floor(random() * (hi - lo + 1));
const pick = (list) => list[int(0, list.length - 1)];

function generatedCases() {
  const cases = [];
  const cli = path.join(repo, 'tests/cli');
  // Not paths_long_base: the in-memory file system has no limit on the length of a name.
  for (const name of fs.readdirSync(cli).sort().filter((n) => n !== 'paths_long_base')) {
    const [args, inDir, files] = [path.join(cli, name, 'args'), path.join(cli, name, 'in'), {}];
    if (!fs.existsSync(args)) continue;
    try { // a name that is not UTF-8 cannot pass through JavaScript: no such case
      for (const file of fs.existsSync(inDir) ? fs.readdirSync(inDir, { recursive: true }) : []) {
        const full = path.join(inDir, file);
        if (fs.statSync(full).isDirectory()) files[`${file}/`] = null;
        else files[file] = fs.readFileSync(full);
      }
    } catch { continue; }
    const own = fs.readFileSync(args, 'utf8').split('\n').slice(0, -1);
    if (own.some((arg) => arg.includes('@WORK@') || arg.includes('\ufffd'))) continue;
    cases.push({ args: own, files });
    for (let k = 0; own.length === 7 && k < 4; ++k) {
      const options = [pick([[], ['--strict']]), pick([[], ['--map', pick(['mapa.svg', 'wyniki/m.svg'])]])];
      const codes = [int(0, 3), int(-1, 4), int(0, 2), int(-3, 8), int(-3, 8)].map(String);
      cases.push({ args: [...(random() < 0.5 ? options : options.reverse()).flat(), ...own.slice(0, 2), ...codes], files });
    }
  }
  return cases;
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

// The page's runs, a batch per call; bytes cross as arrays of numbers, a folder as null.
const mapFiles = (files, f) => Object.fromEntries(Object.entries(files).map(([name, b]) => [name, b && f(b)]));
const runOnPage = (page, batch) => page.evaluate((batch) => {
  const map = (files, f) => Object.fromEntries(Object.entries(files).map(([name, b]) => [name, b && f(b)]));
  return Promise.all(batch.map(({ args, files }) => window.zelwan.run(args, map(files, (b) => Uint8Array.from(b)))
    .then((run) => ({ status: run.status, stdout: [...run.stdout], stderr: [...run.stderr], files: map(run.files, (b) => [...b]) }),
      (error) => ({ error: String(error) }))));
}, batch.map(({ args, files }) => ({ args, files: mapFiles(files, (b) => [...b]) })));

// Runs `program` on each case and compares what it leaves with the page's run of the case.
function compare(program, cases, pageRuns, label) {
  const totals = { cases: cases.length, bytes: 0, mismatches: 0, casesWith: 0, statuses: {} };
  cases.forEach((testCase, i) => {
    const dir = path.join(tmp, `${label}-${i}`);
    const [want, got] = [runNative(program, testCase, dir), pageRuns[i]];
    const found = got.error ? [`the page's run failed: ${got.error}`] : [];
    if (!got.error && want.status !== got.status) found.push(`status ${got.status}, native ${want.status}`);
    const [mine, theirs] = [want, got].map((run) => ({ stdout: run.stdout, stderr: run.stderr, ...run.files }));
    for (const name of got.error ? [] : new Set([...Object.keys(mine), ...Object.keys(theirs)])) {
      if (!mine[name] || !theirs[name]) found.push(`${name}: ${mine[name] ? 'missing on the page' : 'only on the page'}`);
      else if (!masked(name, mine[name]).equals(masked(name, theirs[name]))) found.push(`${name} differs`);
      totals.bytes += mine[name]?.length ?? 0;
    }
    totals.statuses[want.status] = (totals.statuses[want.status] || 0) + 1;
    totals.mismatches += found.length;
    totals.casesWith += found.length > 0;
    if (found.length === 0 || label !== 'case') fs.rmSync(dir, { recursive: true });
    else console.log(`     case ${i} (native in ${dir}): zelwan ${testCase.args.join(' ')}: ${found.join('; ')}`);
  });
  return totals;
}

async function againstNative() {
  const { page, clean } = await openPage(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForFunction(() => typeof window.zelwan?.run === 'function');
  const cases = generatedCases();
  const pageRuns = [];
  for (let i = 0; i < cases.length; i += 25) pageRuns.push(...await runOnPage(page, cases.slice(i, i + 25)));
  clean();
  await page.close();

  const real = compare(native, cases, pageRuns, 'case');
  check(real.mismatches === 0, `window.zelwan.run against ${native}: ${real.cases} cases, ` +
    `${real.bytes} bytes compared, ${real.mismatches} mismatches; exit statuses ${JSON.stringify(real.statuses)}`);

  // The same comparison must notice a native program that writes H with one place more.
  const planted = path.join(tmp, 'planted.sh');
  fs.writeFileSync(planted, `#!/bin/bash\nargs=("$@")\nargs[-1]=$((args[-1] + 1))\nexec "${native}" "\${args[@]}"\n`,
    { mode: 0o755 });
  const slice = compare(planted, cases.slice(0, 40), pageRuns, 'planted');
  check(slice.mismatches > 0, `planted fault (H decimals code + 1): ${slice.cases} cases, ` +
    `${slice.mismatches} mismatches in ${slice.casesWith} cases`);
}

try {
  await pageControls();
  await againstNative();
} catch (error) {
  check(false, `stopped: ${error.stack || error}`);
} finally {
  await browser.close();
  server.close();
}
if (failures === 0) fs.rmSync(tmp, { recursive: true });
console.log(`${failures} failed checks${failures ? ` (left in ${tmp})` : ''}`);
process.exit(failures === 0 ? 0 : 1);
