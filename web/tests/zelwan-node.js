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

const cwd = process.cwd();
const before = {}; // relative path -> bytes; a folder's path ends in "/" and holds null
for (const name of fs.readdirSync(cwd, { recursive: true })) {
  const full = path.join(cwd, name);
  const relative = name.split(path.sep).join('/');
  if (fs.lstatSync(full).isDirectory()) before[relative + '/'] = null;
  else if (fs.lstatSync(full).isFile()) before[relative] = fs.readFileSync(full);
}
const result = runZelwan(createZelwan, { args, files: before, cwd });
for (const [name, bytes] of Object.entries(result.files)) {
  if (!before[name] || Buffer.compare(before[name], bytes) !== 0) fs.writeFileSync(path.join(cwd, name), bytes);
}
fs.writeSync(1, result.stdout);
fs.writeSync(2, result.stderr);
process.exitCode = result.status;
