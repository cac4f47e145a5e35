'use strict';
// The tree page in a real browser (headless Chromium): what a fake DOM cannot show,
// such as the list box's own keys, clicks, focus, layout and scrolling.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { buildPage } = require('./tree_page');
const { rowText } = require('./page_loader');
const { Browser } = require('./browser');

const books = {
  files: ['a.txt', "Tom's Guide.txt"],
  dirs: [
    { name: 'SF', files: ['c.txt', 'd.txt'], dirs: [{ name: 'Old', files: ['e.txt'] }, { name: 'Empty' }] },
    { name: 'History', files: ['h.txt'], dirs: [{ name: 'A folder name long enough to widen any box that fits its rows', files: ['x.txt'] }] },
  ],
};
const atLoad = ['- Books (7)', '  + SF (3)', '  + History (2)', '  a.txt', '  Toms Guide.txt'];

let browser;
let folder;

before(async () => {
  folder = fs.mkdtempSync(path.join(os.tmpdir(), 'chromium_page-'));
  if (Browser.available()) browser = await Browser.start();
});

after(async () => {
  if (browser) await browser.close();
  fs.rmSync(folder, { recursive: true, force: true });
});

const skip = !Browser.available() && 'Chromium is not installed';

async function openPage(options, name = 'EBookTree.html') {
  const file = path.join(folder, name);
  fs.writeFileSync(file, buildPage(options));
  browser.exceptions = [];
  await browser.open(file);
  assert.deepEqual(browser.exceptions, [], 'the page runs without errors');
}

async function state() {
  const seen = await browser.evaluate(`(() => {
    const box = document.getElementsByName('menu')[0];
    const row = box.selectedIndex;
    const option = row >= 0 ? box.options[row] : null;
    return {
      rows: Array.from(box.options, (o) => o.textContent),
      row,
      focused: document.activeElement === box,
      visible: !option || (() => {
        const shown = box.getBoundingClientRect(), line = option.getBoundingClientRect();
        return line.height > 0 && line.top >= shown.top && line.bottom <= shown.bottom;
      })(),
      width: box.offsetWidth,
    };
  })()`);
  const rows = seen.rows.map((textContent) => rowText({ textContent }));
  return { ...seen, rows, highlighted: seen.row >= 0 ? rows[seen.row] : null };
}

async function keys(...pressed) {
  for (const key of pressed) await browser.press(key);
  await browser.nextFrame();
  return state();
}

async function clickRow(text) {
  const { rows } = await state();
  const index = rows.indexOf(text);
  assert.ok(index >= 0, `no row ${text} in ${JSON.stringify(rows)}`);
  const { x, y } = await browser.evaluate(`(() => {
    const r = document.getElementsByName('menu')[0].options[${index}].getBoundingClientRect();
    return { x: r.left + 20, y: r.top + r.height / 2 };
  })()`);
  await browser.click(x, y);
  await browser.nextFrame();
  return state();
}

test('the keyboard moves the highlight, and opens and closes folders only when asked', { skip }, async () => {
  await openPage({ tree: books });
  let now = await keys('Tab', 'Tab');
  assert.ok(now.focused, 'Tab reaches the box after the filter box');
  assert.deepEqual(now.rows, atLoad);

  now = await keys('ArrowDown');
  assert.deepEqual(now.rows, atLoad, 'Down opens and closes nothing');
  assert.equal(now.highlighted, '- Books (7)');
  now = await keys('ArrowDown', 'ArrowDown', 'ArrowUp');
  assert.deepEqual(now.rows, atLoad);
  assert.equal(now.highlighted, '  + SF (3)');

  now = await keys('ArrowRight');
  assert.equal(now.highlighted, '  - SF (3)');
  assert.deepEqual(now.rows.slice(0, 4), ['- Books (7)', '  - SF (3)', '    + Old (1)', '    + Empty (0)']);
  now = await keys('ArrowDown', 'Enter');
  assert.equal(now.highlighted, '    - Old (1)');
  assert.equal(now.rows[3], '      e.txt');
  now = await keys(' ');
  assert.equal(now.highlighted, '    + Old (1)');
  assert.equal(now.rows[3], '    + Empty (0)');
  now = await keys('ArrowDown', 'ArrowDown');
  assert.equal(now.highlighted, '    c.txt', 'the keys go on from the row left highlighted');
  now = await keys('ArrowLeft');
  assert.equal(now.highlighted, '  - SF (3)', 'Left on a file goes to its folder');
  now = await keys('ArrowLeft');
  assert.deepEqual(now.rows, atLoad);
  assert.equal(now.highlighted, '  + SF (3)');
  now = await keys('End');
  assert.equal(now.highlighted, '  Toms Guide.txt');
  now = await keys('Home');
  assert.equal(now.highlighted, '- Books (7)');
  assert.deepEqual(now.rows, atLoad);
  assert.ok(now.focused);
});

test('a click opens a folder, a second click on it closes it', { skip }, async () => {
  await openPage({ tree: books });
  let now = await clickRow('  + History (2)');
  assert.equal(now.highlighted, '  - History (2)');
  assert.equal(now.rows.length, atLoad.length + 2);
  now = await clickRow('  - History (2)');
  assert.deepEqual(now.rows, atLoad);
  assert.equal(now.highlighted, '  + History (2)');
  now = await clickRow('  a.txt');
  assert.deepEqual(now.rows, atLoad);
  assert.equal(now.highlighted, '  a.txt');
  now = await keys('ArrowUp', 'Enter');
  assert.equal(now.highlighted, '  - History (2)', 'keys work after clicks');
});

test('the box keeps its width while folders open and close', { skip }, async () => {
  await openPage({ tree: books });
  const before = (await state()).width;
  await clickRow('  + History (2)');
  const opened = await clickRow('    + A folder name long enough to widen any box that fits its rows (1)');
  assert.equal(opened.rows.length, atLoad.length + 3);
  assert.equal(opened.width, before);
  assert.equal((await clickRow('  - History (2)')).width, before);
});

test('the highlight stays in view as the keys move it through a long folder', { skip }, async () => {
  const files = Array.from({ length: 300 }, (_, i) => `book ${String(i).padStart(3, '0')}.txt`);
  await openPage({ tree: { files } });
  let now = await keys('Tab', 'Tab', 'ArrowDown', 'End');
  assert.equal(now.highlighted, '  book 299.txt');
  assert.ok(now.visible);
  now = await keys('PageUp');
  assert.ok(now.row < 299 && now.visible, JSON.stringify(now.row));
  now = await keys('Home');
  assert.equal(now.row, 0);
  assert.ok(now.visible);
});

test('the filter finds a name that lost its apostrophe', { skip }, async () => {
  await openPage({ tree: books });
  await browser.evaluate('document.querySelector("input").focus()');
  await browser.type("Tom's");
  const now = await keys('Enter');
  assert.deepEqual(now.rows, ['- Books (1 of 7)', '  Toms Guide.txt']);
  assert.equal(await browser.evaluate('document.querySelector("span").textContent'), '1 matching name');
  assert.ok((await browser.evaluate('location.href')).startsWith('file://'), 'Enter did not submit the form');
});

test('a top directory named like something the page uses still gives a working page', { skip }, async (t) => {
  for (const top of ['new/', 'function', 'folders', 'init', 'location', 'name', 'onload', 'Object', 'document',
    'top', 'tvPage', '__proto__']) {
    await t.test(top, async () => {
      const shown = top.replace('/', '');
      await openPage({ top, tree: { files: ['a.txt'], dirs: [{ name: 'Sub', files: ['b.txt'] }] } }, 'named.html');
      assert.match(await browser.evaluate('location.href'), /named\.html$/);
      const now = await clickRow('  + Sub (1)');
      assert.deepEqual(now.rows, [`- ${shown} (2)`, '  - Sub (1)', '    b.txt', '  a.txt']);
    });
  }
});
