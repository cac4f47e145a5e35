'use strict';
// Opens a tree-view list page the way a browser would, as far as its scripts see it:
// the head script runs up to the first end tag of a script element, the inline scripts
// of the box run while it is built, then the body's onload handler. Timers are manual.
const vm = require('node:vm');
const { FakeDocument } = require('./fake_dom');

function attribute(tag, name) {
  const found = new RegExp(`\\s${name}=("[^"]*"|'[^']*'|[^\\s>]+)`, 'i').exec(tag);
  if (!found) throw new Error(`no ${name} attribute in ${tag}`);
  return found[1].replace(/^["']|["']$/g, '');
}

function splitPage(page) {
  const text = page.replace(/^\uFEFF/, '');
  const open = /<SCRIPT>/i.exec(text);
  const close = /<\/script/i.exec(text.slice(open.index + open[0].length));
  const headScript = text.slice(open.index + open[0].length, open.index + open[0].length + close.index);
  const rest = text.slice(open.index + open[0].length + close.index);
  const after = /^<\/script\s*>\s*<\/head\s*>\s*/i.exec(rest);
  if (!after) throw new Error(`the head script is not followed by the end of the head: ${rest.slice(0, 80)}`);
  const body = rest.slice(after[0].length);
  const bodyTag = /<BODY[^>]*>/i.exec(body)[0];
  const selectTag = /<SELECT[^>]*>/i.exec(body)[0];
  const selectEnd = body.search(/<\/SELECT>/i);
  const inside = body.slice(body.indexOf(selectTag) + selectTag.length, selectEnd);
  const boxScripts = [...inside.matchAll(/<SCRIPT>([\s\S]*?)<\/SCRIPT>/gi)].map((m) => m[1]);
  return {
    headScript, boxScripts,
    onload: attribute(bodyTag, 'onload'),
    onchange: attribute(selectTag, 'onchange'),
    boxName: attribute(selectTag, 'name'),
    heading: /<H2>([\s\S]*?)<\/H2>/i.exec(body)[1],
  };
}

function manualTimers() {
  let now = 0;
  let nextId = 1;
  const pending = new Map();
  return {
    setTimeout(fn, ms = 0) {
      pending.set(nextId, { fn, at: now + ms });
      return nextId++;
    },
    clearTimeout(id) { pending.delete(id); },
    advance(ms) {
      now += ms;
      for (const [id, timer] of [...pending].sort((a, b) => a[1].at - b[1].at)) {
        if (timer.at <= now && pending.has(id)) {
          pending.delete(id);
          timer.fn();
        }
      }
    },
    get count() { return pending.size; },
  };
}

// Normalised view of one option: two blanks per level, "+" closed and "-" open folder.
function rowText(option) {
  const text = option.textContent;
  const indent = /^\u00A0*/.exec(text)[0].length;
  const rest = text.slice(indent);
  const marker = { '\u25B8': '+', '\u25BE': '-' }[rest[0]];
  if (marker && rest[1] === ' ') return `${'  '.repeat(indent / 4)}${marker} ${rest.slice(2)}`;
  if (indent === 0) return rest;
  return `${'  '.repeat(indent / 4 - 1)}${rest}`;
}

function elementsInOrder(node) {
  const found = [];
  const visit = (n) => {
    if (n.nodeType === 1) found.push(n);
    n.childNodes.forEach(visit);
  };
  visit(node);
  return found;
}

// Each page gets a context of its own; with { shared: true } it runs in this process's
// own global scope instead, where global variables are as quick as in a browser (one
// page per process: the benchmark).
function loadPage(page, { shared = false } = {}) {
  const parts = splitPage(page);
  const document = new FakeDocument();
  const timers = manualTimers();
  const context = shared ? globalThis : vm.createContext({});
  Object.assign(context, { document, setTimeout: timers.setTimeout, clearTimeout: timers.clearTimeout });
  context.window = context;
  const evaluate = (code, filename) => (shared
    ? vm.runInThisContext(code, { filename }) : vm.runInContext(code, context, { filename }));
  const errors = [];
  const run = (code, name) => {
    try {
      evaluate(code, name);
    } catch (error) {
      errors.push(error);
    }
  };

  run(parts.headScript, 'head script');
  const form = document.createElement('form');
  const cell = document.createElement('td');
  const heading = document.createElement('h2');
  heading.textContent = parts.heading;
  const box = document.createElement('select');
  box.setAttribute('name', parts.boxName);
  box.setAttribute('multiple', '');
  document.body.appendChild(form);
  form.appendChild(cell);
  cell.appendChild(heading);
  cell.appendChild(box);
  parts.boxScripts.forEach((code, i) => run(code, `box script ${i + 1}`));
  run(parts.onload, 'onload');
  const onchange = evaluate(`(function () { ${parts.onchange}\n})`, 'onchange');
  const first = (tagName) => elementsInOrder(document.body).find((n) => n.tagName === tagName);
  const filterInput = () => first('INPUT');

  return {
    context, document, box, cell, errors, timers, parts,
    rows: () => box.options.map(rowText),
    global: (name) => context[name],
    // The user clicks one option: it alone is selected, and the box reports a change
    // when that changed the selection, as a browser does.
    choose(index) {
      box.dispatch('mousedown');
      const before = box.selectedIndex;
      box.selectedIndex = index;
      if (box.selectedIndex !== before) onchange.call(box);
      box.dispatch('click');
    },
    // The user presses a key in the box; the keys that move the highlight do so as in a
    // browser's list box, unless the page took the key for itself.
    press(key) {
      const event = box.dispatch('keydown', { key });
      const last = box.options.length - 1;
      const at = box.selectedIndex;
      const moves = { ArrowDown: Math.min(at + 1, last), ArrowUp: Math.max(at - 1, 0), Home: 0, End: last,
                      PageDown: Math.min(at + 29, last), PageUp: Math.max(at - 29, 0) };
      if (!event.defaultPrevented && key in moves && moves[key] !== at) {
        box.selectedIndex = moves[key];
        onchange.call(box);
      }
      return event;
    },
    highlighted() { return box.selectedIndex < 0 ? null : rowText(box.options[box.selectedIndex]); },
    rowIndex(text) {
      const index = box.options.map(rowText).indexOf(text);
      if (index < 0) throw new Error(`no row ${JSON.stringify(text)} in ${JSON.stringify(box.options.map(rowText))}`);
      return index;
    },
    chooseRow(text) { this.choose(this.rowIndex(text)); },
    // What the box's change handler passes for the row, without touching the selection.
    toggleRow(text) { context.toggleItem(box.options[this.rowIndex(text)].value); },
    filterInput,
    type(text) {
      const input = filterInput();
      input.value = text;
      return input.dispatch('input');
    },
    key(key) { return filterInput().dispatch('keydown', { key }); },
    status() { return first('SPAN').textContent; },
  };
}

module.exports = { loadPage, splitPage, rowText, elementsInOrder };
