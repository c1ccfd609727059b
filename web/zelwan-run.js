'use strict';
// One run of the program's real main, in a fresh module instance on an in-memory file system,
// exactly as on the command line. Shared by the page's worker and by the tests under Node.
//
// request: {args, files, cwd}: the arguments after the program's name; the working directory's
// contents before the run, relative path -> Uint8Array (a path ending in "/" with null is an empty
// folder); and where that directory stands (an empty folder of its own by default).
// Resolves nothing asynchronously: the module compiles synchronously (in a worker or in Node).
// Returns {status, stdout, stderr, summary, notes, files}: the status as a shell sees it (0-255),
// the standard streams as bytes, the counts of the record loop with the program's summary line as
// `text` (null when the loop never ran), the program's words for a person (lines of text, "" when
// none), and every regular file under the working directory after the run.
function runZelwan(createModule, request, onProgress) {
  const stdout = [];
  const stderr = [];
  let summary = null;
  let notes = '';
  const instance = {
    noInitialRun: true,
    quit: (code, toThrow) => {
      throw toThrow; // ends main, never the worker or Node
    },
    onProgress: (lines) => onProgress && onProgress(lines),
    onSummary: (counts) => {
      summary = counts;
    },
    onNote: (text) => {
      notes += text;
    },
    preRun: [
      // Byte by byte: never decoded, never split into lines.
      (module) => module.FS.init(null, (b) => stdout.push(b), (b) => stderr.push(b)),
      // A file of tens of megabytes grows by doubling, not by an eighth at a time, each growth
      // copying all of it again.
      (module) => {
        const grow = module.MEMFS.expandFileStorage;
        module.MEMFS.expandFileStorage = (node, capacity) => {
          const held = node.contents ? node.contents.length : 0;
          if (capacity > held) grow(node, Math.max(capacity, 2 * held));
        };
      },
    ],
  };
  const ready = createModule(instance); // a synchronous start: the instance is ready on return
  if (ready && ready.catch) ready.catch(() => {}); // a failure is the run's, below
  const FS = instance.FS;
  const cwd = request.cwd || '/praca';
  FS.mkdirTree(cwd);
  FS.chdir(cwd);
  for (const [path, bytes] of Object.entries(request.files || {})) {
    const folder = path.slice(0, path.lastIndexOf('/') + 1);
    if (folder) FS.mkdirTree(cwd + '/' + folder);
    if (!path.endsWith('/')) FS.writeFile(cwd + '/' + path, bytes, { canOwn: true }); // no copy of a big input
  }
  const status = instance.callMain(request.args) & 255; // main's return or exit()'s code alike
  return {
    status,
    stdout: Uint8Array.from(stdout),
    stderr: Uint8Array.from(stderr),
    summary,
    notes,
    files: filesUnder(FS, cwd),
  };
}

// The program's own answers, from an instance that never runs main: describe() what each direction
// code names (zelwan_describe), and outputPaths(input, directory) the result and the log that a run
// with these two arguments writes.
function zelwanAnswers(createModule) {
  const instance = { noInitialRun: true };
  const ready = createModule(instance);
  if (ready && ready.catch) ready.catch(() => {}); // a failure shows at the first question
  const ask = (name, ...args) => JSON.parse(instance.ccall(name, 'string', args.map(() => 'string'), args));
  return {
    describe: () => ask('zelwan_describe'),
    outputPaths: (input, directory) => ask('zelwan_output_paths', input, directory),
  };
}

// Every regular file under root, by its path relative to root.
function filesUnder(FS, root) {
  const files = {};
  const walk = (folder, prefix) => {
    for (const name of FS.readdir(folder)) {
      if (name === '.' || name === '..') continue;
      const path = folder + '/' + name;
      const node = FS.lookupPath(path).node;
      if (FS.isDir(node.mode)) walk(path, prefix + name + '/');
      else if (FS.isFile(node.mode)) {
        // The bytes as they stand, not a copy; whatever array holds them, seen as bytes.
        const { contents, usedBytes } = node;
        files[prefix + name] = contents ? new Uint8Array(contents.buffer, contents.byteOffset, usedBytes) : new Uint8Array(0);
      }
    }
  };
  walk(root, '');
  return files;
}

if (typeof module !== 'undefined') module.exports = { runZelwan };
