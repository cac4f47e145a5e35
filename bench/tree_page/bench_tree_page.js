'use strict';
// Times the tree-view list page on a collection of 100,000 files in 10,000 folders:
// opening the page until the tree is usable, opening a folder of 1,000 files, and
// filtering all names. Each time is set against a baseline measured in the same run:
// a trivial script that puts every entry flatly into the box.
//
// First under node with the tests' fake DOM, which times the script's own work and the
// number of DOM calls it makes; then in headless Chromium, which adds the browser's
// parsing, layout and drawing (goals: usable within 2 s, a folder open within 100 ms).
// The pages are written by the program's own tree writer.
//
// Usage: bench_tree_page.js [Script.txt] [repeats]
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { buildPage, readScript } = require('../../tests/script/tree_page');
const { loadPage } = require('../../tests/script/page_loader');
const { Browser } = require('../../tests/script/browser');

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

// The same in the browser, each run on a freshly opened page.
async function inBrowser(browser, pageFile, work) {
  const runs = [];
  for (let i = 0; i < repeats; i++) {
    await browser.open('about:blank');
    runs.push(await work(pageFile));
  }
  return runs.sort((a, b) => a - b)[Math.floor(runs.length / 2)];
}

async function timed(work) {
  const start = process.hrtime.bigint();
  await work();
  return Number(process.hrtime.bigint() - start) / 1e6;
}

const browserTasks = {
  // From asking for the page until it has drawn its tree.
  load: (browser) => async (file) => {
    const time = await timed(async () => {
      await browser.open(file);
      await browser.nextFrame();
    });
    if (await browser.evaluate('document.getElementsByName("menu")[0].options.length') < 100) {
      throw new Error(`${file}: the box was not filled at load`);
    }
    return time;
  },
  // Enter on the highlighted folder until the browser has drawn its 1,000 files.
  open: (browser) => async (file) => {
    await browser.open(file);
    await browser.evaluate(`(() => {
      const box = document.getElementsByName('menu')[0];
      tvToggle(folders.find((entry) => entry.name === 'Shelf 0'));
      tvHighlight(folders.find((entry) => entry.name === 'Big'));
      box.focus();
    })()`);
    await browser.nextFrame();
    return timed(async () => {
      await browser.press('Enter');
      await browser.nextFrame();
    });
  },
  // 1,000 options put into an empty box of the same kind until drawn.
  fill: (browser) => async (file) => {
    await browser.open(file);
    await browser.evaluate(`(() => {
      const box = document.createElement('select');
      box.multiple = true;
      box.size = 30;
      document.body.appendChild(box);
      window.tvBenchBox = box;
    })()`);
    await browser.nextFrame();
    return timed(async () => {
      await browser.evaluate('tvFlatFill(tvBenchBox, folders.slice(0, 1000))');
      await browser.nextFrame();
    });
  },
};

async function browserFigures(treePage, flatPage) {
  if (!Browser.available()) {
    console.log('headless Chromium is not installed: no browser figures');
    return;
  }
  const browser = await Browser.start();
  try {
    const version = await browser.evaluate('navigator.userAgent.match(/Chrome\\/[\\d.]+/)[0]');
    console.log(`in headless ${version}; median of ${repeats} runs`);
    report('usable page', await inBrowser(browser, treePage, browserTasks.load(browser)),
      '(every entry flat in the box)', await inBrowser(browser, flatPage, browserTasks.load(browser)), 2000);
    report(`open a ${BIG_FOLDER_FILES}-file folder`, await inBrowser(browser, treePage, browserTasks.open(browser)),
      `(${BIG_FOLDER_FILES} options into a box)`, await inBrowser(browser, flatPage, browserTasks.fill(browser)), 100);
  } finally {
    await browser.close();
  }
}

async function main() {
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
    await browserFigures(treePage, flatPage);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

if (process.argv[2] === '--task') {
  process.stdout.write(String(tasks[process.argv[3]](fs.readFileSync(process.argv[4], 'utf8'))));
} else {
  main().catch((error) => {
    console.error(error);
    process.exit(1);
  });
}
