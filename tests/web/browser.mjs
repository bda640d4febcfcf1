// A headless Chromium driven through the DevTools protocol with Node's own WebSocket
// (node --experimental-websocket on Node 20, a small one of our own on Node 18): start it,
// open a page, evaluate, press keys, click, touch, and take screenshots as RGB pixels; and
// a static server for a site that a test can switch off.
import {spawn} from 'node:child_process';
import {createServer} from 'node:http';
import {mkdtempSync, readFileSync, readdirSync, rmSync, statSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {extname, join, normalize} from 'node:path';
import {inflateSync} from 'node:zlib';
import {MiniWebSocket} from './websocket.mjs';

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// WebGL's renderer: Chromium's own SwiftShader by default; ZR_WEB_GL=mesa draws through
// ANGLE on the system's Mesa (llvmpipe here), the renderer the native game uses, so that a
// benchmark compares the two builds and not two rasterisers.
function rendererFlags() {
  if (process.env.ZR_WEB_GL === 'mesa') return ['--use-angle=gl-egl', '--ignore-gpu-blocklist'];
  return ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'];
}

export async function launch({width, height}) {
  const profile = mkdtempSync(join(tmpdir(), 'zr-chromium-'));
  const args = [
    '--headless=new', '--no-sandbox', ...rendererFlags(),
    '--remote-debugging-port=0', `--user-data-dir=${profile}`, `--window-size=${width},${height}`,
    '--hide-scrollbars', '--no-first-run', '--no-default-browser-check', '--mute-audio', 'about:blank',
  ];
  const proc = spawn(process.env.ZR_CHROMIUM || 'chromium', args, {stdio: ['ignore', 'ignore', 'pipe']});
  const endpoint = await new Promise((resolve, reject) => {
    let text = '';
    const timer = setTimeout(() => reject(new Error('chromium did not start:\n' + text)), 30000);
    proc.stderr.on('data', (d) => {
      text += d;
      const m = /DevTools listening on (ws:\/\/\S+)/.exec(text);
      if (m) {
        clearTimeout(timer);
        resolve(m[1]);
      }
    });
    proc.on('exit', (code) => reject(new Error(`chromium ended (${code}):\n${text}`)));
  });
  const browser = new Cdp(endpoint);
  await browser.opened;
  browser.profile = profile;
  // The browser's processes (its GPU process and the rest too), found by their profile.
  const processes = () => readdirSync('/proc').filter((d) => /^[0-9]+$/.test(d)).filter((pid) => {
    try {
      return readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes(profile);
    } catch {
      return false;  // it has ended
    }
  });
  // CPU time of all the browser's processes so far, in seconds.
  browser.cpuSeconds = () => {
    let ticks = 0;
    for (const pid of processes()) {
      try {
        const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
        ticks += Number(fields[11]) + Number(fields[12]);  // utime, stime
      } catch {
        // the process has ended
      }
    }
    return ticks / 100;  // USER_HZ
  };
  browser.close = async () => {
    const ended = new Promise((resolve) => proc.once('exit', resolve));
    proc.kill();
    await ended;
    // The browser's children outlive it for a moment and go on writing into the profile:
    // it is removed once they have gone (killed if they linger). A profile that still
    // cannot be removed is left in the temporary folder, which is no fault of the game's.
    for (let i = 0; i < 50 && processes().length > 0; ++i) await sleep(100);
    for (const pid of processes()) {
      try {
        process.kill(Number(pid), 'SIGKILL');
      } catch {
        // it has ended
      }
    }
    try {
      rmSync(profile, {recursive: true, force: true, maxRetries: 10, retryDelay: 100});
    } catch (e) {
      console.log(`note: the browser's profile ${profile} is left behind (${e.code})`);
    }
  };
  return browser;
}

class Cdp {
  constructor(url) {
    this.ws = typeof WebSocket === 'function' ? new WebSocket(url) : new MiniWebSocket(url);
    this.next = 1;
    this.pending = new Map();
    this.listeners = [];
    this.opened = new Promise((resolve, reject) => {
      this.ws.onopen = resolve;
      this.ws.onerror = reject;
    });
    this.ws.onmessage = (e) => {
      const msg = JSON.parse(e.data);
      if (msg.id && this.pending.has(msg.id)) {
        const {resolve, reject, method} = this.pending.get(msg.id);
        this.pending.delete(msg.id);
        if (msg.error) reject(new Error(`${method}: ${msg.error.message}`));
        else resolve(msg.result);
      } else if (msg.method) {
        for (const l of this.listeners) l(msg);
      }
    };
  }
  send(method, params = {}, sessionId) {
    const id = this.next++;
    this.ws.send(JSON.stringify({id, method, params, sessionId}));
    return new Promise((resolve, reject) => this.pending.set(id, {resolve, reject, method}));
  }
  // A tab of width x height CSS pixels, `ratio` device pixels each; a phone's takes touch.
  async newPage(width, height, ratio = 1, phone = false) {
    const {targetId} = await this.send('Target.createTarget', {url: 'about:blank'});
    const {sessionId} = await this.send('Target.attachToTarget', {targetId, flatten: true});
    const page = new Page(this, sessionId);
    await page.send('Page.enable');
    await page.send('Runtime.enable');
    await page.metrics(width, height, ratio, phone);
    await page.send('Page.bringToFront');  // the tab in front: a tab behind is hidden
    this.listeners.push((msg) => {
      if (msg.sessionId !== sessionId) return;
      if (msg.method === 'Runtime.consoleAPICalled') {
        page.console.push(msg.params.args.map((a) => a.value ?? a.description ?? '').join(' '));
      } else if (msg.method === 'Runtime.exceptionThrown') {
        page.console.push('exception: ' + msg.params.exceptionDetails.text + ' ' +
                          (msg.params.exceptionDetails.exception?.description ?? ''));
      }
    });
    return page;
  }
}

class Page {
  constructor(cdp, sessionId) {
    this.cdp = cdp;
    this.sessionId = sessionId;
    this.console = [];
  }
  send(method, params) { return this.cdp.send(method, params, this.sessionId); }
  async metrics(width, height, ratio = 1, phone = false) {
    await this.send('Emulation.setDeviceMetricsOverride', {width, height, deviceScaleFactor: ratio, mobile: phone});
    await this.send('Emulation.setTouchEmulationEnabled', {enabled: phone, maxTouchPoints: phone ? 5 : 1});
  }
  async goto(url) {
    await this.send('Page.navigate', {url});
  }
  async eval(expression) {
    const r = await this.send('Runtime.evaluate', {expression, returnByValue: true, awaitPromise: true});
    if (r.exceptionDetails) throw new Error(`${expression}: ${r.exceptionDetails.exception?.description}`);
    return r.result.value;
  }
  // Waits up to ms for the expression to be true; its last value otherwise.
  async waitFor(expression, ms = 20000) {
    const end = Date.now() + ms;
    for (;;) {
      const v = await this.eval(expression).catch(() => undefined);
      if (v) return v;
      if (Date.now() > end) throw new Error(`timed out waiting for ${expression}`);
      await sleep(50);
    }
  }
  // A key held for a few frames, as a hand does.
  async key(name, vk, modifiers = 0) {
    const base = {key: name, code: name, windowsVirtualKeyCode: vk, nativeVirtualKeyCode: vk, modifiers};
    await this.send('Input.dispatchKeyEvent', {type: 'rawKeyDown', ...base});
    await sleep(120);
    await this.send('Input.dispatchKeyEvent', {type: 'keyUp', ...base});
    await sleep(100);
  }
  async move(x, y) {
    await this.send('Input.dispatchMouseEvent', {type: 'mouseMoved', x, y});
  }
  async click(x, y, hold = 60) {
    await this.move(x, y);
    await this.send('Input.dispatchMouseEvent', {type: 'mousePressed', x, y, button: 'left', clickCount: 1});
    await sleep(hold);
    await this.send('Input.dispatchMouseEvent', {type: 'mouseReleased', x, y, button: 'left', clickCount: 1});
  }
  async tap(x, y, hold = 60) {
    await this.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [{x, y}]});
    await sleep(hold);
    await this.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
  }
  // The CSS box of an element, {x, y, width, height}.
  box(selector) {
    return this.eval(`(() => { const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
      return {x: r.x, y: r.y, width: r.width, height: r.height}; })()`);
  }
  // The page's pixels in the clip (in device pixels) as {width, height, rgb, png}.
  async shot(clip) {
    const r = await this.send('Page.captureScreenshot', {format: 'png', clip: {...clip, scale: 1}});
    const png = Buffer.from(r.data, 'base64');
    return {...decodePng(png), png};
  }
}

// 8-bit RGB or RGBA PNGs without interlace, as Chromium writes them; RGB out.
export function decodePng(buf) {
  let pos = 8, width = 0, height = 0, type = 0;
  const idat = [];
  while (pos < buf.length) {
    const len = buf.readUInt32BE(pos);
    const kind = buf.toString('ascii', pos + 4, pos + 8);
    const data = buf.subarray(pos + 8, pos + 8 + len);
    if (kind === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      type = data[9];
      if (data[8] !== 8 || (type !== 2 && type !== 6) || data[12] !== 0) throw new Error('unsupported PNG');
    } else if (kind === 'IDAT') {
      idat.push(data);
    }
    pos += 12 + len;
  }
  const bpp = type === 6 ? 4 : 3;
  const raw = inflateSync(Buffer.concat(idat));
  const stride = width * bpp;
  const out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const a = i >= bpp ? out[y * stride + i - bpp] : 0;
      const b = y > 0 ? out[(y - 1) * stride + i] : 0;
      const c = i >= bpp && y > 0 ? out[(y - 1) * stride + i - bpp] : 0;
      let v = line[i];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      out[y * stride + i] = v & 255;
    }
  }
  const rgb = Buffer.alloc(width * height * 3);
  for (let i = 0; i < width * height; ++i) out.copy(rgb, i * 3, i * bpp, i * bpp + 3);
  return {width, height, rgb};
}

// Serves a folder on a free port of 127.0.0.1 until close(), which also drops the open
// connections: a network that has gone.
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
               '.webmanifest': 'application/manifest+json'};
export async function serve(dir, extra = {}) {
  const server = createServer((req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    if (extra[path]) {
      res.writeHead(200, {'Content-Type': 'text/html'});
      res.end(extra[path]);
      return;
    }
    let file = join(dir, normalize(path).replace(/^(\.\.[/\\])+/, ''));
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      const body = readFileSync(file);
      res.writeHead(200, {'Content-Type': TYPES[extname(file)] || 'application/octet-stream'});
      res.end(body);
    } catch {
      res.writeHead(404);
      res.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((resolve) => {
      server.close(resolve);
      server.closeAllConnections();
    }),
  };
}
