'use strict';
// Names are plain text: whatever a file or folder is called shows as it is written,
// runs nothing, and leaves the tree and the filter working.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { buildPage } = require('./tree_page');
const { loadPage } = require('./page_loader');

// [name on disk, name shown]; no name holds a slash, which no file or folder name can.
const hostileNames = [
  ['<b>bold.txt', '<b>bold.txt'],
  ['<script>stolen()<script>.txt', '<script>stolen()<script>.txt'],
  ['<img src=x onerror=stolen()>.txt', '<img src=x onerror=stolen()>.txt'],
  ['&amp; &lt;.txt', '&amp; &lt;.txt'],
  ['say "hi".txt', 'say "hi".txt'],
  ["Tom's.txt", 'Toms.txt'],
  ['back\\slash\\.txt', 'back\\slash\\.txt'],
  ['line\nbreak\r.txt', 'line\nbreak\r.txt'],
  ['para\u2028graph.txt', 'para\u2028graph.txt'],
  ['basefolder.txt', 'basefolder.txt'],
  ['my basefolder notes', 'my basefolder notes'],
  ['__proto__', '__proto__'],
  ['constructor', 'constructor'],
  ['toString', 'toString'],
  ['0', '0'],
  ['-1', '-1'],
  ['${stolen()}', '${stolen()}'],
  ["'); stolen(); ('", '); stolen(); ('],
  ['  two  blanks  ', '  two  blanks  '],
  ['Caf\u00e9 \u65e5\u672c \ud83d\udcda.epub', 'Caf\u00e9 \u65e5\u672c \ud83d\udcda.epub'],
];

function openWith(tree, top) {
  const page = loadPage(buildPage({ tree, top }));
  page.context.stolen = () => { throw new Error('a name ran as code'); };
  assert.deepEqual(page.errors, []);
  return page;
}

test('hostile names show as written', async (t) => {
  for (const [name, shown] of hostileNames) {
    await t.test(JSON.stringify(name), () => {
      const page = openWith({ files: ['plain.txt', name], dirs: [{ name, files: [name] }] });
      page.choose(1);
      const texts = page.box.options.map((option) => option.textContent);
      assert.equal(texts.length, 5);
      assert.ok(texts[1].endsWith(`\u25BE ${shown} (1)`), texts[1]);
      assert.ok(texts[2].endsWith(`\u00A0${shown}`), texts[2]);
      assert.ok(texts[4].endsWith(`\u00A0${shown}`), texts[4]);
      assert.equal(page.global('folders').length, 5);
      assert.deepEqual(page.document.written, []);
    });
  }
});

test('hostile names are found by the filter like any other', async (t) => {
  const files = hostileNames.map(([name]) => name);
  for (const [name, shown] of hostileNames) {
    await t.test(JSON.stringify(name), () => {
      const page = openWith({ files: ['plain.txt', ...files] });
      page.type(shown.toUpperCase());
      page.key('Enter');
      const matches = page.box.options.slice(1).map((option) => option.textContent.replace(/^\u00A0+/, ''));
      assert.ok(matches.includes(shown), `${JSON.stringify(shown)} in ${JSON.stringify(matches)}`);
      assert.ok(!matches.includes('plain.txt'));
    });
  }
});

test('the top directory may be named with the placeholder of its variable', () => {
  const page = openWith({ files: ['a.txt'], dirs: [{ name: 'basefolder', files: ['b.txt'] }] }, '/srv/basefolder');
  page.toggleRow('  + basefolder (1)');
  assert.deepEqual(page.rows(), ['- basefolder (2)', '  - basefolder (1)', '    b.txt', '  a.txt']);
});

test('folders whose identifiers collide still hold their own entries', () => {
  const page = openWith({ dirs: [{ name: 'a b', files: ['1.txt'] }, { name: 'a-b', files: ['2.txt', '3.txt'] }] });
  page.toggleRow('  + a b (1)');
  page.toggleRow('  + a-b (2)');
  assert.deepEqual(page.rows(), ['- Books (3)', '  - a b (1)', '    1.txt', '  - a-b (2)', '    2.txt', '    3.txt']);
});
