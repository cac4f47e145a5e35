'use strict';
// The filter box above the tree: which entries it keeps, its counts, how it waits for
// typing, its keys, and how the tree comes back when it is cleared.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { buildPage } = require('./tree_page');
const { loadPage, elementsInOrder } = require('./page_loader');

const books = {
  files: ['Dune.txt', 'Emma.txt'],
  dirs: [
    { name: 'SF', files: ['Dune Messiah.txt', 'Foundation.txt'], dirs: [
      { name: 'Herbert', files: ['Children of Dune.txt'] }, { name: 'Dunes', files: ['Sand.txt'] }] },
    { name: 'Classics', files: ['Emma Notes.txt'] },
  ],
};

const unfiltered = ['- Books (7)', '  + SF (4)', '  + Classics (1)', '  Dune.txt', '  Emma.txt'];

function openBooks() {
  const page = loadPage(buildPage({ tree: books }));
  assert.deepEqual(page.errors, []);
  return page;
}

function filtered(text, page = openBooks()) {
  page.type(text);
  page.key('Enter');
  return page;
}

test('the filter box stands above the tree', () => {
  const page = openBooks();
  const order = elementsInOrder(page.document.body);
  assert.ok(order.indexOf(page.filterInput()) < order.indexOf(page.box));
  assert.equal(page.status(), '');
});

test('the filter keeps the entries whose names hold the text and the folders leading to them', async (t) => {
  const dune = [
    '- Books (3 of 7)',
    '  - SF (2 of 4)',
    '    - Herbert (1 of 1)',
    '      Children of Dune.txt',
    '    + Dunes (1)',
    '    Dune Messiah.txt',
    '  Dune.txt',
  ];
  const cases = [
    { text: 'dune', rows: dune, status: '4 matching names' },
    { text: 'DuNe', rows: dune, status: '4 matching names' },
    { text: 'emma', status: '2 matching names', rows: [
      '- Books (2 of 7)', '  - Classics (1 of 1)', '    Emma Notes.txt', '  Emma.txt'] },
    { text: 'sf', status: '1 matching name', rows: ['- Books (0 of 7)', '  + SF (4)'] },
    { text: 'books', status: 'No name contains this text', rows: ['- Books (0 of 7)'] },
    { text: 'zzz', status: 'No name contains this text', rows: ['- Books (0 of 7)'] },
    { text: ' of ', status: '1 matching name', rows: [
      '- Books (1 of 7)', '  - SF (1 of 4)', '    - Herbert (1 of 1)', '      Children of Dune.txt'] },
    { text: '.*', status: 'No name contains this text', rows: ['- Books (0 of 7)'] },
  ];
  for (const c of cases) {
    await t.test(JSON.stringify(c.text), () => {
      const page = filtered(c.text);
      assert.deepEqual(page.rows(), c.rows);
      assert.equal(page.status(), c.status);
      assert.equal(page.global('menuIndex'), c.rows.length);
    });
  }
});

test('folders open and close within the filtered tree', async (t) => {
  const cases = [
    { name: 'a matching folder opens to show all it holds', text: 'sf', toggles: ['  + SF (4)'], rows: [
      '- Books (0 of 7)', '  - SF (4)', '    + Herbert (1)', '    + Dunes (1)',
      '    Dune Messiah.txt', '    Foundation.txt'] },
    { name: 'and so do the folders inside it', text: 'sf', toggles: ['  + SF (4)', '    + Herbert (1)'], rows: [
      '- Books (0 of 7)', '  - SF (4)', '    - Herbert (1)', '      Children of Dune.txt', '    + Dunes (1)',
      '    Dune Messiah.txt', '    Foundation.txt'] },
    { name: 'a folder leading to matches closes', text: 'dune', toggles: ['  - SF (2 of 4)'], rows: [
      '- Books (3 of 7)', '  + SF (2 of 4)', '  Dune.txt'] },
    { name: 'and opens again to the matches', text: 'dune', toggles: ['  - SF (2 of 4)', '  + SF (2 of 4)'], rows: [
      '- Books (3 of 7)', '  - SF (2 of 4)', '    - Herbert (1 of 1)', '      Children of Dune.txt',
      '    + Dunes (1)', '    Dune Messiah.txt', '  Dune.txt'] },
  ];
  for (const c of cases) {
    await t.test(c.name, () => {
      const page = filtered(c.text);
      c.toggles.forEach((row) => page.toggleRow(row));
      assert.deepEqual(page.rows(), c.rows);
    });
  }
});

test('clearing the filter brings back the tree as it was left', async (t) => {
  const before = ['- Books (7)', '  + SF (4)', '  - Classics (1)', '    Emma Notes.txt', '  Dune.txt', '  Emma.txt'];
  const clearings = [
    ['by deleting the text', (page) => { page.type(''); page.timers.advance(1000); }],
    ['with Escape', (page) => page.key('Escape')],
  ];
  for (const [name, clear] of clearings) {
    await t.test(name, () => {
      const page = openBooks();
      page.toggleRow('  + Classics (1)');
      filtered('dune', page);
      page.toggleRow('  - SF (2 of 4)');
      clear(page);
      assert.deepEqual(page.rows(), before);
      assert.equal(page.filterInput().value, '');
      assert.equal(page.status(), '');
    });
  }
});

test('the filter waits for a pause in typing and then runs once', () => {
  const page = openBooks();
  page.type('d');
  page.timers.advance(100);
  page.type('du');
  page.timers.advance(100);
  page.type('dun');
  page.timers.advance(100);
  assert.deepEqual(page.rows(), unfiltered, 'not while typing');
  assert.equal(page.timers.count, 1, 'one search pending');
  page.timers.advance(1000);
  assert.equal(page.rows()[0], '- Books (3 of 7)');
  assert.equal(page.timers.count, 0);
});

test('Enter filters at once and does not submit the form', () => {
  const page = openBooks();
  page.type('emma');
  const enter = page.key('Enter');
  assert.equal(enter.defaultPrevented, true);
  assert.equal(page.rows()[0], '- Books (2 of 7)');
  assert.equal(page.timers.count, 0, 'the pending search is dropped');
});

// The "more" row and the status line count the same thing: names, not rows.
test('the last row counts the matching names left out, not rows', () => {
  const dirs = Array.from({ length: 40 }, (_, d) => ({
    name: `Shelf ${d}`, files: Array.from({ length: 100 }, (_, i) => `book ${d}-${i}.txt`) }));
  const page = filtered('book', loadPage(buildPage({ tree: { dirs } })));
  const rows = page.rows();
  const shownNames = rows.slice(1, 3000).filter((row) => row.includes('book')).length;
  assert.equal(page.status(), '4000 matching names');
  assert.equal(rows[3000], `... ${4000 - shownNames} more matching names; type more of the name to narrow the list`);
});

test('an apostrophe in the filter finds names that lost theirs', async (t) => {
  for (const text of ["Tom's", "tom's g", "'"]) {
    await t.test(text, () => {
      const page = filtered(text, loadPage(buildPage({ tree: { files: ["Tom's Guide.txt", 'Other.txt'] } })));
      if (text === "'") {
        assert.deepEqual(page.rows(), ['- Books (2)', '  Toms Guide.txt', '  Other.txt']);
        assert.equal(page.status(), '');
      } else {
        assert.deepEqual(page.rows(), ['- Books (1 of 2)', '  Toms Guide.txt']);
        assert.equal(page.status(), '1 matching name');
      }
    });
  }
});

test('a change of filter forgets the chosen entry', () => {
  const page = openBooks();
  page.chooseRow('  Dune.txt');
  filtered('dune', page);
  assert.equal(page.global('selection'), -1);
  assert.equal(page.global('selectionIndex'), -1);
});

test('a filter matching a great many names shows the first rows and how many more', () => {
  const files = Array.from({ length: 4000 }, (_, i) => `book ${i}.txt`);
  const page = loadPage(buildPage({ tree: { dirs: [{ name: 'Pile', files }] } }));
  filtered('book', page);
  const rows = page.rows();
  assert.equal(rows.length, 3001);
  assert.equal(rows[1], '  - Pile (4000 of 4000)');
  assert.equal(rows[3000], '... 1002 more matching names; type more of the name to narrow the list');
  page.choose(3000);
  assert.equal(page.rows().length, 3001, 'the last row is no entry');
  page.toggleRow('  - Pile (4000 of 4000)');
  assert.deepEqual(page.rows(), ['- Books (4000 of 4000)', '  + Pile (4000 of 4000)']);
  page.toggleRow('  + Pile (4000 of 4000)');
  assert.equal(page.rows().length, 3001);
});
