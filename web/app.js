'use strict';
// The page around the program: the settings, the files, and the results. Every conversion is a run
// of the program's real main in a worker, with the arguments the command line would get, so the
// files that come back are the command line's, byte for byte.

const DIRECTIONS = {
  planar: [
    ['0', '„UL Skawina” → „2000 S7 21”'],
    ['1', '„2000 S7 21” → „UL Skawina”'],
    ['2', '„1965 pow krakowski” → „2000 S7 21”'],
    ['3', '„2000 S7 21” → „1965 pow krakowski”'],
  ],
  heights: [
    ['0', 'X, Y w „UL Skawina” (stała 0,03 m)'],
    ['1', 'X, Y w „1965 pow krakowski”'],
    ['2', 'X, Y w „2000 S7 21”'],
    ['3', 'bez układu: bez obszaru i bez poprawki'],
  ],
};
const SEPARATORS_FILE = 'separatory.txt';
const SETTINGS_KEY = 'zelwan.settings';
const $ = (id) => document.getElementById(id);

// --- the worker -------------------------------------------------------------------------------

// Made from the text of the scripts this page has loaded: a worker from a file of its own would
// not start on a page opened from a folder (file://).
function workerSource() {
  return [
    'var _scriptDir;',
    'var createZelwan = ' + createZelwan.toString() + ';',
    runZelwan.toString(),
    filesUnder.toString(),
    workerMain.toString(),
    'workerMain();',
  ].join('\n');
}

let worker = null;
let nextId = 1;
const pending = new Map();

function failAll(message) {
  for (const job of pending.values()) job.reject(new Error(message));
  pending.clear();
  worker = null;
}

function startWorker() {
  const url = URL.createObjectURL(new Blob([workerSource()], { type: 'text/javascript' }));
  worker = new Worker(url);
  worker.onmessage = (event) => {
    const { id, progress, result, error } = event.data;
    const job = pending.get(id);
    if (!job) return;
    if (progress !== undefined) {
      if (job.onProgress) job.onProgress(progress);
      return;
    }
    pending.delete(id);
    if (error) job.reject(new Error(error));
    else job.resolve(result);
  };
  worker.onerror = (event) => failAll(event.message || 'błąd modułu');
}

// One run; the page's thread only hands the bytes over and stays free for the user.
function runInWorker(request, onProgress, transfer) {
  if (!worker) startWorker();
  return new Promise((resolve, reject) => {
    const id = nextId++;
    pending.set(id, { resolve, reject, onProgress });
    worker.postMessage({ id, request }, transfer || []);
  });
}

// For automated checks: the command line's arguments after the program's name, and the working
// directory before the run (relative path -> Uint8Array, or null for an empty folder "name/").
window.zelwan = {
  run(args, files) {
    return runInWorker({ args: args.map(String), files: files || {} }); // copied, never transferred
  },
};

// --- settings ---------------------------------------------------------------------------------

function decimalsWord(count) {
  if (count === 1) return 'miejsce';
  const last = count % 10;
  return last >= 2 && last <= 4 && (count % 100 < 10 || count % 100 >= 20) ? 'miejsca' : 'miejsc';
}

// The program takes the places minus 2 for X and Y, minus 1 for H.
function fillDecimals(select, offset, chosen) {
  for (let places = 0; places <= 9; ++places) {
    const option = new Option(`${places} ${decimalsWord(places)}`, String(places - offset));
    select.add(option);
  }
  select.value = String(chosen);
}

// The system a direction's input is in: heights only names it, the four transformations start from it.
const PLANAR_INPUT = ['0', '2', '1', '2']; // "UL Skawina", "2000 S7 21", "1965 pow krakowski", "2000 S7 21"
let lastPlanar = '0';

function fillDirections() {
  const select = $('direction');
  const heightsOnly = $('mode').value === '2';
  const shownHeights = select.options.length > 0 && select.options[0].text === DIRECTIONS.heights[0][1];
  let value = select.value || '0';
  if (heightsOnly && !shownHeights) {
    lastPlanar = value;
    value = PLANAR_INPUT[Number(value)]; // the same file, its coordinates in the same system
  } else if (!heightsOnly && shownHeights) {
    value = PLANAR_INPUT[Number(lastPlanar)] === value ? lastPlanar : String(PLANAR_INPUT.indexOf(value));
    if (value === '-1') value = lastPlanar; // no system chosen: back to the transformation before
  }
  select.length = 0;
  for (const [option, text] of heightsOnly ? DIRECTIONS.heights : DIRECTIONS.planar) select.add(new Option(text, option));
  select.value = value;
  $('direction-label').textContent = heightsOnly ? 'Układ współrzędnych pliku' : 'Kierunek';
}

function currentSettings() {
  return {
    mode: $('mode').value,
    direction: $('direction').value,
    height: $('height-direction').value,
    xy: $('xy-code').value,
    h: $('h-code').value,
    delimiters: [...document.querySelectorAll('.delimiter')].filter((box) => box.checked).map((box) => box.value),
    other: $('other-delimiters').value,
    separator: $('separator').value,
  };
}

function restoreSettings() {
  let saved;
  try {
    saved = JSON.parse(localStorage.getItem(SETTINGS_KEY));
  } catch {
    saved = null; // no storage here, or something else in it: the defaults stand
  }
  fillDecimals($('xy-code'), 2, saved ? saved.xy : 1);
  fillDecimals($('h-code'), 1, saved ? saved.h : 1);
  if (saved) $('mode').value = saved.mode;
  fillDirections();
  if (!saved) return;
  $('direction').value = saved.direction;
  $('height-direction').value = saved.height;
  for (const box of document.querySelectorAll('.delimiter')) box.checked = saved.delimiters.includes(box.value);
  $('other-delimiters').value = saved.other;
  $('separator').value = saved.separator;
}

function saveSettings() {
  try {
    localStorage.setItem(SETTINGS_KEY, JSON.stringify(currentSettings()));
  } catch {
    // settings are a convenience: a page without storage converts all the same
  }
}

// --- files ------------------------------------------------------------------------------------

let chosenFiles = [];

function chooseFiles(files) {
  chosenFiles = [...files];
  const list = $('chosen');
  list.textContent = '';
  for (const file of chosenFiles) {
    const item = document.createElement('li');
    item.textContent = `${file.name} (${file.size.toLocaleString('pl-PL')} B)`;
    list.append(item);
  }
  $('convert').disabled = chosenFiles.length === 0;
  $('hint').textContent = chosenFiles.length === 0 ? 'Najpierw wybierz plik punktów.' : '';
}

// The separators file the program reads: line 1 the input delimiters, line 2 the output separator.
function separatorsFile(settings) {
  const delimiters = [...new Set([...settings.delimiters, ...settings.other])].join('');
  return new TextEncoder().encode(`${delimiters}\r\n${settings.separator}\r\n`);
}

// The program's own rule for a name without folders: the base name, "_wynik", the extension.
function outputName(inputName) {
  const dot = inputName.lastIndexOf('.');
  return dot < 0 ? inputName + '_wynik' : inputName.slice(0, dot) + '_wynik' + inputName.slice(dot);
}

function countLines(bytes) {
  let lines = 0;
  for (let at = bytes.indexOf(10); at >= 0; at = bytes.indexOf(10, at + 1)) ++lines;
  return bytes.length > 0 && bytes[bytes.length - 1] !== 10 ? lines + 1 : lines;
}

// --- results ----------------------------------------------------------------------------------

let blobUrls = [];

function download(name, bytes, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  blobUrls.push(url);
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.textContent = `Pobierz ${name}`;
  return link;
}

// The summary the terminal shows, for the page.
function summaryText(s, status) {
  const counts = s
    ? `linie ${s.lines}, zapisane ${s.written}, odrzucone ${s.rejected} (format ${s.format}, ` +
      `poza obszarem ${s.outside}, H ${s.height}), ostrzeżenia ${s.warnings}`
    : 'pliku nie przetworzono';
  return status === 0 ? counts : `${counts}; kod wyjścia ${status}`;
}

function preview(bytes) {
  const shown = new TextDecoder('windows-1250').decode(bytes.subarray(0, 20000));
  return bytes.length > 20000 ? shown + '\n…' : shown;
}

function newArticle(inputName) {
  const article = $('result-template').content.firstElementChild.cloneNode(true);
  article.querySelector('h3').textContent = inputName;
  return article;
}

function showResult(inputName, sent, result) {
  const article = newArticle(inputName);
  article.querySelector('.summary').textContent = summaryText(result.summary, result.status);
  if (result.status !== 0 || result.stdout.length > 0) {
    const failure = article.querySelector('.failure');
    failure.hidden = false;
    failure.textContent = `Kod wyjścia ${result.status}\n${new TextDecoder().decode(result.stdout)}`;
  }
  const downloads = article.querySelector('.downloads');
  const output = outputName(inputName);
  const order = (name) => [output, output + '.log'].indexOf(name) >>> 0; // the result, the log, then the rest
  const made = Object.keys(result.files).filter((name) => !(name in sent)); // the inputs, as they were
  for (const name of made.sort((a, b) => order(a) - order(b))) {
    const bytes = result.files[name];
    const svg = name.endsWith('.svg');
    downloads.append(download(name, bytes, svg ? 'image/svg+xml' : 'application/octet-stream'));
    if (svg) {
      const map = document.createElement('img');
      map.alt = `Mapa przebiegu: ${inputName}`;
      map.src = downloads.lastChild.href;
      article.querySelector('.map').append(map);
    }
  }
  if (result.files[output]) article.querySelector('.output').textContent = preview(result.files[output]);
  if (result.files[output + '.log']) article.querySelector('.log').textContent = preview(result.files[output + '.log']);
  $('results').append(article);
}

function showSkipped(inputName, reason) {
  const article = newArticle(inputName);
  const failure = article.querySelector('.failure');
  failure.hidden = false;
  failure.textContent = reason;
  for (const part of article.querySelectorAll('details')) part.remove();
  $('results').append(article);
}

function showProgress(done, total) {
  $('progress').value = total > 0 ? Math.min(done / total, 1) : 0;
  $('progress-text').textContent = `${done.toLocaleString('pl-PL')} z ${total.toLocaleString('pl-PL')} linii`;
}

async function convertAll() {
  const settings = currentSettings();
  saveSettings();
  for (const url of blobUrls) URL.revokeObjectURL(url);
  blobUrls = [];
  $('results').textContent = '';
  $('convert').disabled = true;
  $('progress-box').hidden = false;
  for (const file of chosenFiles) {
    if (file.name === SEPARATORS_FILE) {
      showSkipped(file.name, `Plik ${SEPARATORS_FILE} to plik separatorów programu: zmień nazwę pliku punktów.`);
      continue;
    }
    $('hint').textContent = `Przeliczam ${file.name}…`;
    const bytes = new Uint8Array(await file.arrayBuffer());
    const total = countLines(bytes);
    showProgress(0, total);
    const args = ['--map', outputName(file.name) + '.svg', file.name, '-'];
    args.push(settings.mode, settings.direction, settings.height, settings.xy, settings.h);
    const files = { [SEPARATORS_FILE]: separatorsFile(settings), [file.name]: bytes };
    try {
      const result = await runInWorker({ args, files }, (lines) => showProgress(lines, total), [bytes.buffer]);
      showProgress(total, total);
      showResult(file.name, files, result);
    } catch (error) {
      $('hint').textContent = `Nie udało się przeliczyć ${file.name}: ${error.message}`;
      break;
    }
    $('hint').textContent = 'Gotowe.';
  }
  $('convert').disabled = false;
}

// --- wiring -----------------------------------------------------------------------------------

function wire() {
  restoreSettings();
  $('mode').addEventListener('change', fillDirections);
  $('files').addEventListener('change', (event) => chooseFiles(event.target.files));
  const drop = $('drop');
  for (const name of ['dragenter', 'dragover']) {
    drop.addEventListener(name, (event) => {
      event.preventDefault();
      drop.classList.add('over');
    });
  }
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (event) => {
    event.preventDefault();
    drop.classList.remove('over');
    chooseFiles(event.dataTransfer.files);
  });
  // A file dropped beside the zone must not make the browser leave the page for it.
  window.addEventListener('dragover', (event) => event.preventDefault());
  window.addEventListener('drop', (event) => event.preventDefault());
  $('convert').addEventListener('click', convertAll);
}

wire();
