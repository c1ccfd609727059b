'use strict';
// zelwan through its WebAssembly build, called the way tests/cli/run_case.sh calls a program:
//   node zelwan-node.js <page folder> ARGUMENTS...
// The working directory is copied into the module's in-memory file system at the same absolute
// path, the program's real main runs there, and every file it created or changed comes back to
// disk; standard output and error go out byte for byte, and the status is the program's.
const fs = require('fs');
const path = require('path');

const [page, ...args] = process.argv.slice(2);
const createZelwan = require(path.resolve(page, 'zelwan.js'));
const { runZelwan } = require(path.resolve(page, 'zelwan-run.js'));

function readTree(folder, prefix, files) {
  for (const entry of fs.readdirSync(folder, { withFileTypes: true })) {
    const full = path.join(folder, entry.name);
    if (entry.isDirectory()) {
      files[prefix + entry.name + '/'] = null;
      readTree(full, prefix + entry.name + '/', files);
    } else if (entry.isFile()) {
      files[prefix + entry.name] = fs.readFileSync(full);
    }
  }
  return files;
}

const cwd = process.cwd();
const before = readTree(cwd, '', {});
const result = runZelwan(createZelwan, { args, files: before, cwd });
for (const [name, bytes] of Object.entries(result.files)) {
  if (!before[name] || Buffer.compare(before[name], bytes) !== 0) fs.writeFileSync(path.join(cwd, name), bytes);
}
fs.writeSync(1, result.stdout);
fs.writeSync(2, result.stderr);
process.exitCode = result.status;
