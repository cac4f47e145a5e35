'use strict';
// The little of the DOM that the page script may use. Anything that would parse markup
// (innerHTML, outerHTML, insertAdjacentHTML) throws, so a test fails if names reach it.

class FakeNode {
  constructor(document, nodeType) {
    this.ownerDocument = document;
    this.nodeType = nodeType;
    this.parentNode = null;
    this.childNodes = [];
  }

  get firstChild() { return this.childNodes[0] || null; }
  get lastChild() { return this.childNodes[this.childNodes.length - 1] || null; }

  get nextSibling() {
    if (!this.parentNode) return null;
    const siblings = this.parentNode.childNodes;
    return siblings[siblings.indexOf(this) + 1] || null;
  }

  appendChild(node) { return this.insertBefore(node, null); }

  insertBefore(node, reference) {
    const moving = node.nodeType === 11 ? node.childNodes.splice(0) : [node];
    for (const child of moving) {
      if (child.parentNode && child.parentNode !== node) child.parentNode.removeChild(child);
      child.parentNode = this;
    }
    if (reference === null || reference === undefined) {
      for (const child of moving) this.childNodes.push(child);
      return node;
    }
    const at = this.childNodes.indexOf(reference);
    if (at < 0) throw new Error('insertBefore: reference is not a child');
    this.childNodes = this.childNodes.slice(0, at).concat(moving, this.childNodes.slice(at));
    return node;
  }

  removeChild(node) {
    const at = this.childNodes.indexOf(node);
    if (at < 0) throw new Error('removeChild: not a child');
    this.childNodes.splice(at, 1);
    node.parentNode = null;
    return node;
  }

  remove() { if (this.parentNode) this.parentNode.removeChild(this); }

  get textContent() { return this.childNodes.map((child) => child.textContent).join(''); }

  set textContent(text) {
    for (const child of this.childNodes) child.parentNode = null;
    this.childNodes = [];
    if (text !== '') this.appendChild(this.ownerDocument.createTextNode(String(text)));
  }
}

class FakeText extends FakeNode {
  constructor(document, text) {
    super(document, 3);
    this.data = text;
  }

  get textContent() { return this.data; }
  set textContent(text) { this.data = String(text); }
}

function refuseMarkup() {
  throw new Error('markup parsing is not allowed: names must go in as text');
}

class FakeElement extends FakeNode {
  constructor(document, tagName) {
    super(document, 1);
    this.tagName = tagName.toUpperCase();
    this.attributes = new Map();
    this.style = {};
    this.listeners = new Map();
  }

  setAttribute(name, value) { this.attributes.set(name.toLowerCase(), String(value)); }
  getAttribute(name) {
    const key = name.toLowerCase();
    return this.attributes.has(key) ? this.attributes.get(key) : null;
  }

  get name() { return this.getAttribute('name'); }

  set innerHTML(_markup) { refuseMarkup(); }
  set outerHTML(_markup) { refuseMarkup(); }
  insertAdjacentHTML() { refuseMarkup(); }

  addEventListener(type, listener) {
    if (!this.listeners.has(type)) this.listeners.set(type, []);
    this.listeners.get(type).push(listener);
  }

  // Returns the event, so tests can see whether its default was prevented.
  dispatch(type, fields = {}) {
    const event = { type, target: this, defaultPrevented: false, ...fields };
    event.preventDefault = () => { event.defaultPrevented = true; };
    for (const listener of this.listeners.get(type) || []) listener.call(this, event);
    return event;
  }
}

class FakeOption extends FakeElement {
  constructor(document) {
    super(document, 'option');
    this.selected = false;
  }

  get value() {
    const value = this.getAttribute('value');
    return value === null ? this.textContent : value;
  }
  set value(value) { this.setAttribute('value', value); }

  get text() { return this.textContent; }
  set text(text) { this.textContent = text; }
}

class FakeSelect extends FakeElement {
  constructor(document) { super(document, 'select'); }

  // Like the browser's options collection, it also tells the selected index.
  get options() {
    const options = this.childNodes.filter((child) => child instanceof FakeOption);
    Object.defineProperty(options, 'selectedIndex', { get: () => this.selectedIndex });
    return options;
  }

  get selectedIndex() { return this.options.findIndex((option) => option.selected); }
  set selectedIndex(index) {
    this.options.forEach((option, at) => { option.selected = at === index; });
  }

  get value() {
    const index = this.selectedIndex;
    return index < 0 ? '' : this.options[index].value;
  }
}

class FakeInput extends FakeElement {
  constructor(document) {
    super(document, 'input');
    this.value = '';
    this.type = 'text';
  }
}

class FakeDocument {
  constructor() {
    this.written = [];
    this.body = this.createElement('body');
  }

  createElement(tagName) {
    switch (tagName.toLowerCase()) {
      case 'option': return new FakeOption(this);
      case 'select': return new FakeSelect(this);
      case 'input': return new FakeInput(this);
      default: return new FakeElement(this, tagName);
    }
  }

  createTextNode(text) { return new FakeText(this, String(text)); }
  createDocumentFragment() { return new FakeNode(this, 11); }

  getElementsByName(name) {
    const found = [];
    const visit = (node) => {
      if (node.nodeType === 1 && node.getAttribute('name') === name) found.push(node);
      node.childNodes.forEach(visit);
    };
    visit(this.body);
    return found;
  }

  write(text) { this.written.push(String(text)); }
}

module.exports = { FakeDocument, FakeElement, FakeOption, FakeSelect };
