'use strict';
// The page around the program: the settings, the files, and the results. Every conversion is a run
// of the program's real main in a worker, with the arguments the command line would get, so the
// files that come back are the command line's, byte for byte. What the codes name, which files a
// run writes and how its summary reads, the page asks the program too.

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
    zelwanAnswers.toString(),
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

// For automated checks: run() takes the command line's arguments after the program's name, and the
// working directory before the run (relative path -> Uint8Array, or null for an empty folder
// "name/"); describe() and outputPaths() are the program's zelwan_describe and zelwan_output_paths.
window.zelwan = {
  run(args, files) {
    return runInWorker({ args: args.map(String), files: files || {} }); // copied, never transferred
  },
  describe() {
    return runInWorker({ ask: 'describe' });
  },
  outputPaths(input, directory = '-') {
    return runInWorker({ ask: 'outputPaths', input: String(input), directory: String(directory) });
  },
};

// --- settings ---------------------------------------------------------------------------------

let described = null; // the program's zelwan_describe: direction codes, usage text

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

const codeRow = (code) => described.directions.find((row) => String(row.code) === code);

function directionText(row, heightsOnly) {
  if (!heightsOnly) return `„${row.from}” → „${row.to}”`;
  if (row.heights_system === null) return 'bez układu: bez obszaru i bez poprawki';
  return `X, Y w „${row.heights_system}”${row.heights_constant ? ' (poprawka stała)' : ''}`;
}

let lastPlanar = '0';

// A new mode keeps the file's system: heights only names the system a transformation starts from.
function fillDirections() {
  const select = $('direction');
  const heightsOnly = $('mode').value === '2';
  let value = select.value || '0';
  const shown = select.dataset.heightsOnly;
  if (shown !== undefined && (shown === 'yes') !== heightsOnly) {
    const row = codeRow(value);
    if (heightsOnly) {
      lastPlanar = value;
      const same = described.directions.find((other) => other.heights_system === row.from);
      value = same ? String(same.code) : value;
    } else if (codeRow(lastPlanar).from !== row.heights_system) {
      const same = described.directions.find((other) => other.from === row.heights_system);
      value = same ? String(same.code) : lastPlanar; // no system chosen: back to the transformation before
    } else {
      value = lastPlanar;
    }
  }
  select.length = 0;
  for (const row of described.directions) select.add(new Option(directionText(row, heightsOnly), String(row.code)));
  select.value = value;
  if (select.selectedIndex < 0) select.selectedIndex = 0;
  select.dataset.heightsOnly = heightsOnly ? 'yes' : 'no';
  $('direction-label').textContent = heightsOnly ? 'Układ współrzędnych pliku' : 'Kierunek';
}

// The systems the codes join, in the order the codes name them, for the page's words.
function fillSystems() {
  const names = [...new Set(described.directions.flatMap((row) => [row.from, row.to]))].map((name) => `„${name}”`);
  $('systems').textContent = `${names.slice(0, -1).join(', ')} i ${names[names.length - 1]}`;
  const constant = described.directions.find((row) => row.heights_constant);
  $('constant-system').textContent = constant ? constant.heights_system : '';
}

const delimiterBoxes = () => [...document.querySelectorAll('.delimiter')];
const optionBoxes = () => [...document.querySelectorAll('.option')];

function currentSettings() {
  return {
    mode: $('mode').value,
    direction: $('direction').value,
    height: $('height-direction').value,
    xy: $('xy-code').value,
    h: $('h-code').value,
    delimiters: delimiterBoxes().filter((box) => box.checked).map((box) => box.value),
    other: $('other-delimiters').value,
    separator: $('separator').value,
    options: Object.fromEntries(optionBoxes().map((box) => [box.id, box.checked])),
  };
}

const delimitersOf = (settings) => [...new Set([...settings.delimiters, ...settings.other])].join('');

// What a spreadsheet saves as CSV here: a header, ';' between the fields, comma decimals. The page
// starts with the plain kind: space or tab between the fields, decimal points, no header.
const FILE_KINDS = {
  sheet: { header: true, 'decimal-comma': true, delimiters: ';' },
  plain: { header: false, 'decimal-comma': false, delimiters: ' \t' },
};

function setFileKind(kind) {
  $('header').checked = kind.header;
  $('decimal-comma').checked = kind['decimal-comma'];
  for (const box of delimiterBoxes()) box.checked = kind.delimiters.includes(box.value);
  $('other-delimiters').value = '';
  $('separator').value = ';';
}

// Ticked exactly when the controls it sets are as it sets them.
function showFileKind() {
  const settings = currentSettings();
  const sheet = FILE_KINDS.sheet;
  $('sheet').checked = settings.options.header === sheet.header && settings.options['decimal-comma'] === sheet['decimal-comma'] &&
    delimitersOf(settings) === sheet.delimiters && settings.separator === ';';
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
  if (saved) {
    $('direction').value = saved.direction;
    if ($('direction').selectedIndex < 0) $('direction').selectedIndex = 0;
    $('height-direction').value = saved.height;
    for (const box of delimiterBoxes()) box.checked = saved.delimiters.includes(box.value);
    for (const box of optionBoxes()) box.checked = (saved.options || {})[box.id] === true;
    $('other-delimiters').value = saved.other;
    $('separator').value = saved.separator;
  }
  showFileKind();
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
    item.textContent = `${file.name} (${file.size} B)`;
    list.append(item);
  }
  $('convert').disabled = chosenFiles.length === 0 || !described;
  $('hint').textContent = chosenFiles.length === 0 ? 'Najpierw wybierz plik punktów.' : '';
}

// Beside the result and named after it: "punkty_wynik.txt" gives "punkty_wynik_odrzucone.txt".
function rejectedName(output) {
  const dot = output.lastIndexOf('.');
  return dot < 0 ? output + '_odrzucone' : output.slice(0, dot) + '_odrzucone' + output.slice(dot);
}

// The command line of one file: the settings as options, then the seven arguments.
function runArguments(settings, input, names) {
  const args = ['--map', names.map, '--delimiters', delimitersOf(settings), '--separator', settings.separator];
  for (const name of ['header', 'decimal-comma', 'keep-extra']) if (settings.options[name]) args.push(`--${name}`);
  if (names.rejected) args.push('--rejected', names.rejected);
  return [...args, input, '-', settings.mode, settings.direction, settings.height, settings.xy, settings.h];
}

// Line ends in the file, near enough to what the program will count, for the progress bar.
function countLines(bytes) {
  const count = (end) => {
    let lines = 0;
    for (let at = bytes.indexOf(end); at >= 0; at = bytes.indexOf(end, at + 1)) ++lines;
    return lines;
  };
  const lines = count(10) || count(13); // a classic Mac file ends its lines with CR alone
  return bytes.length > 0 && bytes[bytes.length - 1] !== 10 && bytes[bytes.length - 1] !== 13 ? lines + 1 : lines;
}

// --- results ----------------------------------------------------------------------------------

const PREVIEW_BYTES = 20000;
const LISTED_MESSAGES = 200;
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

// The first lines of a file the program wrote (Windows-1250, CR LF); the last one may be cut.
function previewLines(bytes) {
  const lines = new TextDecoder('windows-1250').decode(bytes.subarray(0, PREVIEW_BYTES)).split('\r\n');
  if (bytes.length <= PREVIEW_BYTES) lines.pop(); // what follows the last line end: nothing
  return { lines, cut: bytes.length > PREVIEW_BYTES };
}

// A preview of a file the run wrote, its rejected lines marked; hidden when there is no such file.
function fillPart(article, selector, bytes, marks = new Map()) {
  const pre = article.querySelector(selector);
  pre.closest('details').hidden = !bytes;
  if (bytes && bytes.length === 0) pre.textContent = '(pusty plik)';
  if (!bytes || bytes.length === 0) return;
  const { lines, cut } = previewLines(bytes);
  lines.forEach((line, i) => {
    const span = document.createElement('span');
    span.textContent = `${line}\n`;
    if (marks.has(i)) {
      span.className = 'rejected-line';
      span.title = marks.get(i);
    }
    pre.append(span);
  });
  if (cut) pre.append('…');
}

// The log's messages, after its heading, each about one line: "... w lini N '<the line>' ...".
function logMessages(bytes) {
  const lines = previewLines(bytes.subarray(0, 50 * PREVIEW_BYTES)).lines;
  const heading = lines.findIndex((line) => line.startsWith('Wykaz '));
  return heading < 0 ? [] : lines.slice(heading + 1).filter(Boolean).map((text) => {
    const about = /w lini (\d+)[^']*'(.*)'/.exec(text);
    return { text, line: about ? Number(about[1]) : 0, quoted: about ? about[2] : null };
  });
}

// Which lines of the result the messages rejected: a rejected line is copied there as read, in the
// input's order, and no sooner than its own line (line N is at most the result's N-th line). A
// warned line is written converted, so it matches nothing.
function rejectedLines(resultLines, messages) {
  const marks = new Map();
  let next = 0;
  for (const { text, line, quoted } of messages) {
    for (let i = next; quoted !== null && i < Math.min(line, resultLines.length); ++i) {
      if (resultLines[i] === quoted) {
        marks.set(i, text);
        next = i + 1;
        break;
      }
    }
  }
  return marks;
}

// The map as part of the page, so that a point's tooltip (its <title>) shows under the pointer.
// The SVG is the program's own, its texts escaped by it; the page only lets it scale.
function inlineMap(bytes, inputName) {
  const svg = new DOMParser().parseFromString(new TextDecoder().decode(bytes), 'image/svg+xml').documentElement;
  if (svg.nodeName !== 'svg') return null;
  if (!svg.hasAttribute('viewBox')) svg.setAttribute('viewBox', `0 0 ${svg.getAttribute('width')} ${svg.getAttribute('height')}`);
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', `Mapa przebiegu: ${inputName}`);
  return document.importNode(svg, true);
}

// What the program printed, without the usage text that follows a wrong call.
function programSaid(stdout) {
  const text = new TextDecoder().decode(stdout);
  return (text.endsWith(described.usage) ? text.slice(0, -described.usage.length) : text).trim();
}

// The page's own hint when the program has none: what most often makes every line fail.
function hintFor(summary) {
  if (summary.lines === 0) return 'Plik jest pusty.';
  if (summary.rejected === 0) return 'W pliku nie ma linii z punktami.';
  if (summary.format >= summary.outside + summary.height) {
    return 'Sprawdź, czym rozdzielone są pola w pliku i czy liczby mają przecinek dziesiętny (wtedy „plik z arkusza” ' +
      'albo „przecinek dziesiętny”). Komunikaty logu poniżej mówią, które pole jest złe.';
  }
  if (summary.outside >= summary.height) {
    return 'Punkty leżą poza obszarem układu, w którym mają być: sprawdź kierunek (układ współrzędnych pliku).';
  }
  return 'Wysokości H są poza dozwolonym zakresem: sprawdź, czy czwarte pole to H.';
}

// An error when nothing was converted, a warning when lines were rejected: why, the program's words
// for a person, and what to try.
function showVerdict(article, result) {
  const { status, summary, notes } = result;
  const said = programSaid(result.stdout);
  let [look, reason, hint] = ['', '', ''];
  if (!summary || (status !== 0 && status !== 3)) {
    look = 'error';
    reason = `Nie przeliczono pliku (kod wyjścia ${status}): ${said || 'program nie podał przyczyny'}`;
    hint = status === 2 ? 'Popraw ustawienia w kroku 2.' : ''; // 2: the program refused the call itself
  } else if (summary.written === 0) {
    look = 'error';
    reason = `Nic nie przeliczono${summary.rejected ? `: odrzucone ${summary.rejected} z ${summary.lines} linii` : ''}.`;
    hint = hintFor(summary);
  } else if (summary.rejected > 0) {
    look = 'warning';
    reason = `Odrzucone linie: ${summary.rejected} (zaznaczone w podglądzie, przyczyny w komunikatach logu).`;
  }
  if (!look && !notes) return;
  article.classList.add(look || 'info');
  const box = article.querySelector('.verdict');
  box.hidden = false;
  for (const [part, text] of [['.reason', reason], ['.notes', notes.trim()], ['.hint', hint]]) {
    box.querySelector(part).textContent = text;
    box.querySelector(part).hidden = !text;
  }
}

function showMessages(article, messages, total) {
  if (messages.length === 0) return;
  const list = article.querySelector('.messages');
  for (const { text } of messages.slice(0, LISTED_MESSAGES)) {
    const item = document.createElement('li');
    item.textContent = text;
    list.append(item);
  }
  if (total > LISTED_MESSAGES) {
    const item = document.createElement('li');
    item.className = 'more';
    item.textContent = `… razem ${total}: cały wykaz w logu`;
    list.append(item);
  }
  article.querySelector('.messages-part').hidden = false;
}

function newArticle(inputName) {
  const article = $('result-template').content.firstElementChild.cloneNode(true);
  article.querySelector('h3').textContent = inputName;
  return article;
}

function showResult(inputName, names, result) {
  const article = newArticle(inputName);
  const { summary, files } = result;
  article.querySelector('.summary').textContent = summary ? summary.text : '';
  showVerdict(article, result);
  const downloads = article.querySelector('.downloads');
  const order = (name) => [names.output, names.log, names.map, names.rejected].indexOf(name) >>> 0;
  for (const name of Object.keys(files).filter((n) => n !== inputName).sort((a, b) => order(a) - order(b))) {
    const svg = name === names.map;
    downloads.append(download(name, files[name], svg ? 'image/svg+xml' : 'application/octet-stream'));
    const map = svg && inlineMap(files[name], inputName);
    if (map) article.querySelector('.map').append(map);
  }
  // A map with no point on it is only the area: closed, out of the way of the reason.
  article.querySelector('.map').open = !summary || summary.written + summary.outside + summary.height > 0;
  article.querySelector('.map').hidden = !files[names.map];
  const messages = files[names.log] ? logMessages(files[names.log]) : [];
  const output = files[names.output];
  fillPart(article, '.output', output, output && rejectedLines(previewLines(output).lines, messages));
  fillPart(article, '.rejected', names.rejected && files[names.rejected]);
  showMessages(article, messages, summary ? summary.rejected + summary.warnings : messages.length);
  fillPart(article, '.log', files[names.log]);
  $('results').append(article);
}

// Counts as the program's summary writes them: plain digits.
function showProgress(done, total) {
  $('progress').value = total > 0 ? Math.min(done / total, 1) : 0;
  $('progress-text').textContent = `${done} z ${Math.max(done, total)} linii`;
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
    $('hint').textContent = `Przeliczam ${file.name}…`;
    try {
      const names = await window.zelwan.outputPaths(file.name);
      names.map = `${names.output}.svg`;
      names.rejected = settings.options.rejected ? rejectedName(names.output) : null;
      const bytes = new Uint8Array(await file.arrayBuffer());
      const total = countLines(bytes);
      showProgress(0, total);
      const args = runArguments(settings, file.name, names);
      const result = await runInWorker({ args, files: { [file.name]: bytes } }, (lines) => showProgress(lines, total), [bytes.buffer]);
      if (result.summary) showProgress(result.summary.lines, result.summary.lines);
      showResult(file.name, names, result);
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
  $('mode').addEventListener('change', fillDirections);
  $('sheet').addEventListener('change', (event) => setFileKind(FILE_KINDS[event.target.checked ? 'sheet' : 'plain']));
  $('step-settings').addEventListener('input', (event) => event.target.id !== 'sheet' && showFileKind());
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

// The settings wait for the program's own list of codes.
async function start() {
  wire();
  try {
    described = await window.zelwan.describe();
  } catch (error) {
    $('hint').textContent = `Program nie wystartował: ${error.message}`;
    return;
  }
  fillSystems();
  restoreSettings();
  chooseFiles(chosenFiles);
}

start();
