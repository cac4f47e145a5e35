'use strict';
// The folder tree of the tree-view list page: what shows at load, opening and closing
// folders, the counts, the empty tree, and the page's contract with the script's text.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { buildPage, readScript } = require('./tree_page');
const { loadPage } = require('./page_loader');

const books = {
  files: ['a.txt', 'b.txt'],
  dirs: [
    { name: 'SF', files: ['c.txt', 'd.txt'], dirs: [{ name: 'Old', files: ['e.txt'] }, { name: 'Empty' }] },
    { name: 'History', files: ['h.txt'] },
  ],
};

const atLoad = [
  '- Books (6)',
  '  + SF (3)',
  '  + History (1)',
  '  a.txt',
  '  b.txt',
];

function openBooks() {
  const page = loadPage(buildPage({ tree: books }));
  assert.deepEqual(page.errors, []);
  return page;
}

test('at load the top folder is open, subfolders first, each with the files below it', () => {
  const page = openBooks();
  assert.deepEqual(page.rows(), atLoad);
  assert.equal(page.global('menuIndex'), atLoad.length);
  assert.equal(page.global('selection'), -1);
  assert.equal(page.global('selectionIndex'), -1);
  assert.equal(page.global('folders').length, 1 + 4 + 6, 'one entry per folder and file');
  for (const option of page.box.options) assert.match(option.value, /^\d+$/);
});

test('toggleItem opens and closes folders', async (t) => {
  const cases = [
    { name: 'open a folder', toggles: ['  + SF (3)'], rows: [
      '- Books (6)', '  - SF (3)', '    + Old (1)', '    + Empty (0)', '    c.txt', '    d.txt',
      '  + History (1)', '  a.txt', '  b.txt'] },
    { name: 'open a folder twice deep', toggles: ['  + SF (3)', '    + Old (1)'], rows: [
      '- Books (6)', '  - SF (3)', '    - Old (1)', '      e.txt', '    + Empty (0)', '    c.txt', '    d.txt',
      '  + History (1)', '  a.txt', '  b.txt'] },
    { name: 'close it again', toggles: ['  + SF (3)', '  - SF (3)'], rows: atLoad },
    { name: 'closing a parent hides the open folders below it',
      toggles: ['  + SF (3)', '    + Old (1)', '  - SF (3)'], rows: atLoad },
    { name: 'reopening the parent shows them open as they were',
      toggles: ['  + SF (3)', '    + Old (1)', '  - SF (3)', '  + SF (3)'], rows: [
        '- Books (6)', '  - SF (3)', '    - Old (1)', '      e.txt', '    + Empty (0)', '    c.txt', '    d.txt',
        '  + History (1)', '  a.txt', '  b.txt'] },
    { name: 'the last folder of the box', toggles: ['  + History (1)'], rows: [
      '- Books (6)', '  + SF (3)', '  - History (1)', '    h.txt', '  a.txt', '  b.txt'] },
    { name: 'close the top folder', toggles: ['- Books (6)'], rows: ['+ Books (6)'] },
    { name: 'an empty folder opens with nothing below it', toggles: ['  + SF (3)', '    + Empty (0)'], rows: [
      '- Books (6)', '  - SF (3)', '    + Old (1)', '    - Empty (0)', '    c.txt', '    d.txt',
      '  + History (1)', '  a.txt', '  b.txt'] },
    { name: 'a file changes nothing', toggles: ['  a.txt'], rows: atLoad },
  ];
  for (const c of cases) {
    await t.test(c.name, () => {
      const page = openBooks();
      c.toggles.forEach((row) => page.toggleRow(row));
      assert.deepEqual(page.rows(), c.rows);
      assert.equal(page.global('menuIndex'), c.rows.length);
    });
  }
});

test('clicking a folder toggles it and keeps it highlighted; a second click toggles it back', () => {
  const page = openBooks();
  page.chooseRow('  + SF (3)');
  assert.equal(page.rows()[1], '  - SF (3)');
  assert.equal(page.highlighted(), '  - SF (3)');
  assert.equal(page.global('folders')[page.global('selection')].name, 'SF');
  assert.equal(page.global('selectionIndex'), 1);
  page.chooseRow('  - SF (3)');
  assert.deepEqual(page.rows(), atLoad);
  assert.equal(page.highlighted(), '  + SF (3)');
});

test('keys move the highlight and open and close folders as in a tree view', async (t) => {
  const sfOpen = ['- Books (6)', '  - SF (3)', '    + Old (1)', '    + Empty (0)', '    c.txt', '    d.txt',
    '  + History (1)', '  a.txt', '  b.txt'];
  const cases = [
    { name: 'Down from nothing highlights the top folder, nothing opens or closes', keys: ['ArrowDown'],
      rows: atLoad, highlighted: '- Books (6)' },
    { name: 'arrows only move', keys: ['ArrowDown', 'ArrowDown', 'ArrowDown', 'ArrowUp'], rows: atLoad,
      highlighted: '  + SF (3)' },
    { name: 'End and Home', keys: ['ArrowDown', 'End'], rows: atLoad, highlighted: '  b.txt' },
    { name: 'Home', keys: ['ArrowDown', 'End', 'Home'], rows: atLoad, highlighted: '- Books (6)' },
    { name: 'Page Down', keys: ['ArrowDown', 'PageDown'], rows: atLoad, highlighted: '  b.txt' },
    { name: 'Enter opens', keys: ['ArrowDown', 'ArrowDown', 'Enter'], rows: sfOpen, highlighted: '  - SF (3)' },
    { name: 'Space closes again', keys: ['ArrowDown', 'ArrowDown', 'Enter', ' '], rows: atLoad,
      highlighted: '  + SF (3)' },
    { name: 'Right opens', keys: ['ArrowDown', 'ArrowDown', 'ArrowRight'], rows: sfOpen, highlighted: '  - SF (3)' },
    { name: 'Right on an open folder goes to its first entry',
      keys: ['ArrowDown', 'ArrowDown', 'ArrowRight', 'ArrowRight'], rows: sfOpen, highlighted: '    + Old (1)' },
    { name: 'Left closes', keys: ['ArrowDown', 'ArrowDown', 'ArrowRight', 'ArrowLeft'], rows: atLoad,
      highlighted: '  + SF (3)' },
    { name: 'Left on a file goes to its folder',
      keys: ['ArrowDown', 'ArrowDown', 'ArrowRight', 'ArrowDown', 'ArrowDown', 'ArrowDown', 'ArrowLeft'],
      rows: sfOpen, highlighted: '  - SF (3)' },
    { name: 'Left on a closed folder goes to its folder', keys: ['ArrowDown', 'ArrowDown', 'ArrowLeft'],
      rows: atLoad, highlighted: '- Books (6)' },
    { name: 'Enter on a file does nothing', keys: ['ArrowDown', 'End', 'Enter'], rows: atLoad,
      highlighted: '  b.txt' },
    { name: 'Left on the top folder closes it', keys: ['ArrowDown', 'ArrowLeft'], rows: ['+ Books (6)'],
      highlighted: '+ Books (6)' },
  ];
  for (const c of cases) {
    await t.test(c.name, () => {
      const page = openBooks();
      c.keys.forEach((key) => page.press(key));
      assert.deepEqual(page.rows(), c.rows);
      assert.equal(page.highlighted(), c.highlighted);
      assert.equal(page.global('selectionIndex'), page.box.selectedIndex);
    });
  }
});

test('the keys the page acts on do not also act in the browser', () => {
  const page = openBooks();
  page.press('ArrowDown');
  for (const key of ['Enter', ' ', 'ArrowRight', 'ArrowLeft']) assert.equal(page.press(key).defaultPrevented, true, key);
  assert.equal(page.press('ArrowDown').defaultPrevented, false);
});

test('after the keyboard, a click still opens a folder', () => {
  const page = openBooks();
  page.press('ArrowDown');
  page.chooseRow('  + History (1)');
  assert.equal(page.rows()[3], '    h.txt');
});

test('the box keeps one width, wide enough for the longest row', () => {
  const long = 'A very long folder name that is wider than the box would otherwise be';
  const page = loadPage(buildPage({ tree: { dirs: [{ name: 'x', dirs: [{ name: long, files: ['f.txt'] }] }] } }));
  const width = page.box.style.width;
  const characters = Number(/^min\((\d+)ch, 95vw\)$/.exec(width)[1]);
  assert.ok(characters >= 8 + long.length + 9, width);
  page.toggleRow('  + x (1)');
  page.toggleRow(`    + ${long} (1)`);
  assert.equal(page.box.style.width, width);
});

test('choosing a file keeps it selected and remembers it', () => {
  const page = openBooks();
  page.chooseRow('  b.txt');
  assert.equal(page.box.selectedIndex, 4);
  assert.equal(page.global('folders')[page.global('selection')].name, 'b.txt');
  assert.equal(page.global('selectionIndex'), 4);
  assert.deepEqual(page.rows(), atLoad);
});

test('values that name no shown entry are ignored', async (t) => {
  const hidden = (page) => String(page.global('folders').findIndex((entry) => entry.name === 'e.txt'));
  const cases = [
    ['empty', () => ''], ['not a number', () => 'SF'], ['negative', () => '-1'],
    ['past the end', () => '100000'], ['undefined', () => undefined], ['inside a closed folder', hidden],
  ];
  for (const [name, value] of cases) {
    await t.test(name, () => {
      const page = openBooks();
      page.context.toggleItem(value(page));
      assert.deepEqual(page.rows(), atLoad);
      assert.equal(page.global('selection'), -1);
    });
  }
});

test('counts add up the files of every folder below', () => {
  const deep = { files: ['1'], dirs: [{ name: 'A', files: ['2', '3'], dirs: [
    { name: 'B', dirs: [{ name: 'C', files: ['4', '5', '6'] }] }, { name: 'D', files: ['7'] }] }] };
  const page = loadPage(buildPage({ tree: deep }));
  page.toggleRow('  + A (6)');
  page.toggleRow('    + B (3)');
  assert.deepEqual(page.rows(), [
    '- Books (7)', '  - A (6)', '    - B (3)', '      + C (3)', '    + D (1)', '    2', '    3', '  1']);
});

test('an empty tree shows the top folder alone', () => {
  const page = loadPage(buildPage({ tree: {} }));
  assert.deepEqual(page.errors, []);
  assert.deepEqual(page.rows(), ['- Books (0)']);
  page.chooseRow('- Books (0)');
  assert.deepEqual(page.rows(), ['+ Books (0)']);
  page.type('x');
  page.key('Enter');
  assert.deepEqual(page.rows(), ['- Books (0 of 0)']);
});

test('pages for various top directories', async (t) => {
  const cases = [
    { top: '/home/ann/Books', root: '- Books (1)' },
    { top: '/home/ann/Books/', root: '- Books (1)' },
    { top: '/srv/basefolder', root: '- basefolder (1)' },
    { top: '/data/Sci-Fi & Fantasy', root: '- Sci-Fi & Fantasy (1)' },
    { top: "/data/Tom's Books", root: '- Toms Books (1)' },
    { top: '/', root: '- / (1)' },
    // Typed by hand into the settings file.
    { top: '/home/ann/Books//', root: '- Books (1)' },
    // A relative top directory names its variable after itself: no name the page uses
    // may be taken.
    ...['new', 'new/', 'folders', 'init', 'function', 'Object', 'location', 'name', 'onload', 'tvPage',
      'toggleItem', 'document', 'undefined', 'Books'].map((top) => ({ top, root: `- ${top.replace('/', '')} (1)` })),
  ];
  for (const c of cases) {
    await t.test(c.top, () => {
      const page = loadPage(buildPage({ top: c.top, tree: { files: ['x.txt'], dirs: [{ name: 'Sub' }] } }));
      assert.deepEqual(page.errors, []);
      assert.deepEqual(page.rows(), [c.root, '  + Sub (0)', '  x.txt']);
    });
  }
});

test('the script continues the head script element and ends it and the head', () => {
  const script = readScript();
  const lines = script.split(/\r\n|\n|\r/).filter((line) => line.trim() !== '');
  assert.match(lines[lines.length - 1], /^<\/SCRIPT>\s*<\/HEAD>$/i);
  assert.equal(script.search(/<\/script/i), script.lastIndexOf(lines[lines.length - 1]),
    'no earlier text may end the script element');
  assert.doesNotMatch(script, /<!--|<script/i, 'such text changes how the browser reads a script');
  assert.match(script, /^[\x09\x0A\x0D\x20-\x7E]*$/, 'plain ASCII reads the same in every code page');
});

test('the page calls only functions that the script declares', () => {
  const page = openBooks();
  for (const name of ['Folder', 'Add', 'init', 'toggleItem', 'spacerOption']) {
    assert.equal(typeof page.global(name), 'function', name);
  }
  assert.deepEqual(page.document.written, [], 'the box is filled by init, not while it is parsed');
  assert.equal(page.box.style.minWidth, '24ch');
});

test('a failing tree line leaves the entries built before it on show', () => {
  const written = buildPage({ tree: { files: ['a.txt', 'b.txt', 'c.txt'] } });
  const statement = "Add(_home_ann_Books,'b.txt');";
  assert.ok(written.includes(statement));
  const page = loadPage(written.replace(statement, "Add(_home_ann_Books_Missing,'b.txt');"));
  assert.equal(page.errors.length, 1);
  assert.equal(page.errors[0].name, 'ReferenceError');
  assert.deepEqual(page.rows(), ['- Books (1)', '  a.txt']);
});

test('init run a second time changes nothing', () => {
  const page = openBooks();
  page.toggleRow('  + SF (3)');
  const rows = page.rows();
  page.context.init();
  assert.deepEqual(page.rows(), rows);
  assert.equal(page.document.body.childNodes[0].childNodes[0].childNodes.length, 3, 'one filter box');
});
