'use strict';
// Writes a tree-view list page as the program does, for a tree given as
//   { files: ['a.txt'], dirs: [{ name: 'SF', files: [...], dirs: [...] }] }
// below a top directory path.
const fs = require('node:fs');
const path = require('node:path');

const SCRIPT_FILE = process.env.SHELVANA_SCRIPT || path.join(__dirname, '../../data/Script.txt');

function readScript(file = SCRIPT_FILE) {
  return fs.readFileSync(file, 'utf8');
}

function trimmed(dirPath) {
  return dirPath.length > 1 && dirPath.endsWith('/') ? dirPath.slice(0, -1) : dirPath;
}

function folderIdentifier(dirPath) {
  return Array.from(trimmed(dirPath), (c) => (/[A-Za-z0-9]/.test(c) ? c : '_')).join('');
}

function parentPath(dirPath) {
  const t = trimmed(dirPath);
  return t.slice(0, t.lastIndexOf('/'));
}

function shownName(name) {
  return name.split("'").join('');
}

function lastPathPart(dirPath) {
  const t = trimmed(dirPath);
  return t.slice(t.lastIndexOf('/') + 1);
}

// The body of a single-quoted JS string; "<" is escaped so no name can end the script.
function jsText(text) {
  return text.replace(/[\\\n\r<\u2028\u2029]/g, (c) => ({
    '\\': '\\\\', '\n': '\\n', '\r': '\\r', '<': '\\x3C', '\u2028': '\\u2028', '\u2029': '\\u2029',
  })[c]);
}

// The Folder and Add lines, directories visited breadth first, each one's files after it.
function treeStatements(top, tree) {
  const topId = folderIdentifier(top);
  const lines = [`${topId} = Folder('${jsText(shownName(lastPathPart(top)))}',false);`];
  const queue = [{ dirPath: trimmed(top), dir: tree }];
  const totals = { files: 0, directories: 0 };
  while (queue.length > 0) {
    const { dirPath, dir } = queue.shift();
    const id = folderIdentifier(dirPath);
    totals.directories += 1;
    if (id !== topId) {
      lines.push(`${id} = Add (${folderIdentifier(parentPath(dirPath))}, '${jsText(shownName(lastPathPart(dirPath)))}');`);
    }
    for (const file of dir.files || []) {
      lines.push(`Add(${id},'${jsText(shownName(file))}');`);
      totals.files += 1;
    }
    for (const sub of dir.dirs || []) queue.push({ dirPath: `${dirPath}/${sub.name}`, dir: sub });
  }
  return { lines, totals };
}

function buildPage({ top = '/home/ann/Books', tree = {}, title = 'My Books', script = readScript(), statements } = {}) {
  const built = treeStatements(top, tree);
  const scriptLines = script.split(/\r\n|\n|\r/);
  if (scriptLines[scriptLines.length - 1] === '') scriptLines.pop();
  const lines = [
    "<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.0 Transitional//EN'>",
    '<HTML><HEAD><TITLE>Shelvana Treeview List</TITLE>',
    '<SCRIPT>',
    'folders=new Array();',
    'menuIndex =0;',
    'selection = -1;',
    'selectionIndex = -1;',
    '',
    ...(statements || built.lines),
    '',
    '',
    ...scriptLines.map((line) => line.split('basefolder').join(folderIdentifier(top))),
    '<BODY bgColor=white onload=init()>',
    '<FORM><TABLE><TBODY><TR>',
    '<TD align=left vAlign=top>',
    `<H2>${title}</H2>`,
    '<SELECT multiple name=menu',
    'onchange=toggleItem(this.options[this.options.selectedIndex].value)',
    'size=30>',
    '<SCRIPT>spacerOption(24)</SCRIPT>',
    '</SELECT> </TD></TR></TBODY></TABLE></FORM><PRE></PRE>',
    `<BR><BR><BR><B>Files = ${built.totals.files}<BR>`,
    `Directories = ${built.totals.directories}</B><BR><BR><BR>`,
    '</BODY></HTML>',
  ];
  return `\uFEFF${lines.join('\r\n')}\r\n`;
}

module.exports = { buildPage, treeStatements, folderIdentifier, readScript, SCRIPT_FILE };
