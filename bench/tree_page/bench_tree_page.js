'use strict';
// Times the tree-view list page on a collection of 100,000 files in 10,000 folders:
// opening the page until the tree is usable, opening a folder of 1,000 files, and
// filtering all names. Each time is set against a baseline measured in the same run:
// a trivial script that puts every entry flatly into the box.
//
// Runs under node with the tests' fake DOM, so it times the script's own work and the
// number of DOM calls it makes, not a browser's layout.
//
// Usage: bench_tree_page.js [Script.txt] [repeats]
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { buildPage, readScript } = require('../../tests/script/tree_page');
const { loadPage } = require('../../tests/script/page_loader');

const scriptFile = process.argv[2] !== '--task' && process.argv[2] || path.join(__dirname, '../../data/Script.txt');
const repeats = Number(process.argv[3]) || 5;
const FOLDER_COUNT = 10000;
const FILE_COUNT = 100000;
const BIG_FOLDER_FILES = 1000;
const FILTER_TEXT = 'vol 7';

// Everything a page can need, flatly: the entries go into the box in one go at load.
const flatScript = `
function Folder(name) { return tvFlatAdd(name); }
function Add(parent, name) { return tvFlatAdd(name); }
function tvFlatAdd(name) { folders.push(String(name)); return folders.length - 1; }
function spacerOption(width) {}
function toggleItem(value) {}
function tvFlatFill(box, names) {
  var options = document.createDocumentFragment();
  for (var i = 0; i < names.length; i++) {
    var option = document.createElement('option');
    option.value = String(i);
    option.textContent = names[i];
    options.appendChild(option);
  }
  box.textContent = '';
  box.appendChild(options);
}
function init() { tvFlatFill(document.getElementsByName('menu')[0], folders); }
function tvFlatFilter(text) {
  var query = text.toLowerCase(), found = [];
  for (var i = 0; i < folders.length; i++) if (folders[i].toLowerCase().indexOf(query) >= 0) found.push(folders[i]);
  tvFlatFill(document.getElementsByName('menu')[0], found);
}
</SCRIPT></HEAD>
`;

// 100 folders under the top, 99 under each of them; one of them holds 1,000 files and
// the others share the rest, ten each.
function collection() {
  let filesLeft = FILE_COUNT - BIG_FOLDER_FILES;
  const files = (prefix, count) => Array.from({ length: count }, (_, i) => `${prefix} vol ${i}.epub`);
  const tops = [];
  for (let t = 0; t < FOLDER_COUNT / 100; t++) {
    const subs = [];
    for (let s = 0; s < 99; s++) {
      const big = t === 0 && s === 0;
      const count = big ? BIG_FOLDER_FILES : Math.min(10, filesLeft);
      if (!big) filesLeft -= count;
      subs.push({ name: big ? 'Big' : `Author ${t}-${s}`, files: files(`Book ${t}-${s}`, count) });
    }
    const count = Math.min(10, filesLeft);
    filesLeft -= count;
    tops.push({ name: `Shelf ${t}`, files: files(`Shelf book ${t}`, count), dirs: subs });
  }
  return { dirs: tops };
}

function milliseconds(work) {
  const start = process.hrtime.bigint();
  work();
  return Number(process.hrtime.bigint() - start) / 1e6;
}

function valueOfRow(page, name) {
  const entries = page.global('folders');
  return page.box.options.find((option) => entries[Number(option.value)].name === name).value;
}

// One measurement in a fresh process, so the page has the process's global scope to
// itself as it would have a browser window.
const tasks = {
  load: (page) => milliseconds(() => loadPage(page, { shared: true })),
  open: (page) => {
    const loaded = loadPage(page, { shared: true });
    loaded.context.toggleItem(valueOfRow(loaded, 'Shelf 0'));
    const value = valueOfRow(loaded, 'Big');
    return milliseconds(() => loaded.context.toggleItem(value));
  },
  fill: (page) => {
    const loaded = loadPage(page, { shared: true });
    const names = loaded.global('folders').slice(0, BIG_FOLDER_FILES);
    const box = loaded.document.createElement('select');
    return milliseconds(() => loaded.context.tvFlatFill(box, names));
  },
  filter: (page) => {
    const loaded = loadPage(page, { shared: true });
    return milliseconds(() => { loaded.type(FILTER_TEXT); loaded.key('Enter'); });
  },
  flatFilter: (page) => {
    const loaded = loadPage(page, { shared: true });
    return milliseconds(() => loaded.context.tvFlatFilter(FILTER_TEXT));
  },
};

function measure(task, pageFile) {
  const runs = Array.from({ length: repeats }, () => Number(execFileSync(
    process.execPath, [__filename, '--task', task, pageFile], { encoding: 'utf8', maxBuffer: 1 << 20 })));
  return runs.sort((a, b) => a - b)[Math.floor(runs.length / 2)];
}

function report(label, time, baselineLabel, baseline, goal) {
  const verdict = goal ? `   goal < ${goal} ms: ${time < goal ? 'met' : 'MISSED'}` : '';
  console.log(`${label.padEnd(26)} ${time.toFixed(1).padStart(8)} ms   baseline ${baselineLabel.padEnd(34)} ${baseline.toFixed(1).padStart(8)} ms   ratio ${(time / baseline).toFixed(3)}${verdict}`);
}

function main() {
  const tree = collection();
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'bench_tree_page-'));
  const treePage = path.join(folder, 'EBookTree.html');
  const flatPage = path.join(folder, 'flat.html');
  try {
    fs.writeFileSync(treePage, buildPage({ tree, script: readScript(scriptFile) }));
    fs.writeFileSync(flatPage, buildPage({ tree, script: flatScript }));
    console.log(`tree page: ${FILE_COUNT} files in ${FOLDER_COUNT} folders, ${(fs.statSync(treePage).size / 1e6).toFixed(1)} MB; median of ${repeats} runs (node, fake DOM)`);
    report('usable page', measure('load', treePage), '(every entry flat in the box)', measure('load', flatPage), 2000);
    report(`open a ${BIG_FOLDER_FILES}-file folder`, measure('open', treePage),
      `(${BIG_FOLDER_FILES} options into a box)`, measure('fill', flatPage), 100);
    report(`filter "${FILTER_TEXT}"`, measure('filter', treePage),
      '(matching entries flat in the box)', measure('flatFilter', flatPage));
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

if (process.argv[2] === '--task') {
  process.stdout.write(String(tasks[process.argv[3]](fs.readFileSync(process.argv[4], 'utf8'))));
} else {
  main();
}
