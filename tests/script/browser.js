'use strict';
// Headless Chromium driven over its DevTools protocol through a pipe (fd 3 takes
// commands, fd 4 gives replies, each message JSON ended by a NUL), without any package.
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const CHROMIUM = process.env.SHELVANA_CHROMIUM || '/usr/bin/chromium';

const KEYS = {
  ArrowDown: 40, ArrowUp: 38, ArrowLeft: 37, ArrowRight: 39, Home: 36, End: 35, PageDown: 34, PageUp: 33,
  Enter: 13, ' ': 32, Tab: 9, Escape: 27,
};
const KEY_CODES = { ' ': 'Space' };
const KEY_TEXT = { Enter: '\r', ' ': ' ' };

class Browser {
  static available() {
    return fs.existsSync(CHROMIUM);
  }

  static async start() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'shelvana-chromium-'));
    const child = spawn(CHROMIUM, [
      '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`, '--remote-debugging-pipe',
      '--window-size=1200,900', 'about:blank',
    ], { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    const browser = new Browser(child, profile);
    await browser.attach();
    return browser;
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.pending = new Map();
    this.waiters = [];
    this.exceptions = [];
    this.stderr = '';
    let buffered = Buffer.alloc(0);
    child.stderr.on('data', (data) => { this.stderr = (this.stderr + data).slice(-4000); });
    child.stdio[4].on('data', (data) => {
      buffered = Buffer.concat([buffered, data]);
      for (let end = buffered.indexOf(0); end >= 0; end = buffered.indexOf(0)) {
        this.receive(JSON.parse(buffered.subarray(0, end).toString('utf8')));
        buffered = buffered.subarray(end + 1);
      }
    });
    this.exited = new Promise((resolve) => child.on('exit', resolve));
    this.exited.then(() => {
      for (const { reject } of this.pending.values()) reject(new Error(`chromium ended: ${this.stderr}`));
    });
  }

  receive(message) {
    if (message.id !== undefined) {
      const call = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
      else call.resolve(message.result);
      return;
    }
    if (message.method === 'Runtime.exceptionThrown') this.exceptions.push(message.params.exceptionDetails);
    const waiting = this.waiters.filter((waiter) => waiter.method === message.method);
    this.waiters = this.waiters.filter((waiter) => waiter.method !== message.method);
    for (const waiter of waiting) waiter.resolve(message.params);
  }

  send(method, params = {}, sessionId = this.sessionId) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.child.stdio[3].write(`${JSON.stringify(message)}\0`);
    });
  }

  event(method) {
    return new Promise((resolve) => this.waiters.push({ method, resolve }));
  }

  async attach() {
    const { targetInfos } = await this.send('Target.getTargets', {}, null);
    const page = targetInfos.find((target) => target.type === 'page');
    ({ sessionId: this.sessionId } = await this.send('Target.attachToTarget',
      { targetId: page.targetId, flatten: true }, null));
    await this.send('Page.enable');
    await this.send('Runtime.enable');
    // Keys reach the page as in a focused window.
    await this.send('Emulation.setFocusEmulationEnabled', { enabled: true });
  }

  // Opens a file (or an address) and waits until its load event has run (for a list
  // page: init has filled the box).
  async open(file) {
    const loaded = this.event('Page.loadEventFired');
    await this.send('Page.navigate', { url: file.startsWith('/') ? `file://${file}` : file });
    await loaded;
  }

  // The value of an expression in the page; a promise is awaited.
  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate',
      { expression, returnByValue: true, awaitPromise: true });
    if (exceptionDetails) throw new Error(`${expression}: ${JSON.stringify(exceptionDetails.exception || exceptionDetails)}`);
    return result.value;
  }

  // Until the page has drawn a frame with every change so far.
  nextFrame() {
    return this.evaluate('new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)))');
  }

  async press(key) {
    const code = KEYS[key];
    const common = { key, code: KEY_CODES[key] || key, windowsVirtualKeyCode: code, nativeVirtualKeyCode: code };
    await this.send('Input.dispatchKeyEvent', { type: KEY_TEXT[key] ? 'keyDown' : 'rawKeyDown', text: KEY_TEXT[key], ...common });
    await this.send('Input.dispatchKeyEvent', { type: 'keyUp', ...common });
  }

  async type(text) {
    await this.send('Input.insertText', { text });
  }

  async click(x, y) {
    for (const type of ['mousePressed', 'mouseReleased']) {
      await this.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
    }
  }

  async close() {
    try {
      await Promise.race([this.send('Browser.close', {}, null), this.exited]);
    } catch (error) {
      // It may end before it answers.
    }
    await Promise.race([this.exited, new Promise((done) => setTimeout(done, 5000))]);
    this.child.kill('SIGKILL');
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

module.exports = { Browser };
