'use strict';
// Writes a tree-view list page with the program's own tree writer (the fixture tool
// tree_page_fixture), for a tree given as
//   { files: ['a.txt'], dirs: [{ name: 'SF', files: [...], dirs: [...] }] }
// below a top directory path.
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const SCRIPT_FILE = process.env.SHELVANA_SCRIPT || path.join(__dirname, '../../build/Script.txt');
const FIXTURE = process.env.SHELVANA_TREE_PAGE_FIXTURE || path.join(__dirname, '../../build/tests/tree_page_fixture');

function readScript(file = SCRIPT_FILE) {
  return fs.readFileSync(file, 'utf8');
}

// The page as the program writes it. A script text other than the shipped one is
// written to a file of its own for the writer to copy.
function buildPage({ top = '/home/ann/Books', tree = {}, title = 'My Books', script } = {}) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tree_page-'));
  try {
    let scriptFile = SCRIPT_FILE;
    if (script !== undefined) {
      scriptFile = path.join(folder, 'Script.txt');
      fs.writeFileSync(scriptFile, script);
    }
    execFileSync(FIXTURE, [scriptFile, folder], {
      input: JSON.stringify({ top, title, tree }), stdio: ['pipe', 'inherit', 'inherit'],
    });
    return fs.readFileSync(path.join(folder, 'EBookTree.html'), 'utf8');
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

module.exports = { buildPage, readScript, SCRIPT_FILE };
