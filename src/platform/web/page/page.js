// The page around the game: loads and unpacks the game and its pictures with a progress
// bar, keeps them for offline visits, keeps the best score in the browser's storage,
// shows the game's message boxes, offers full screen, keys for fingers, a "click to play"
// layer inside another site's frame, and a new game when one has ended.
'use strict';

// Where the game looks for its files in the browser's memory: an installed game, with
// its pictures in the share folder and the player's folder in the browser's storage.
const SHARE_DIR = '/zr-ironfall/share';
const PLAYER_MOUNT = '/persist';
// This build's name, and what the page loads: [name, packed name, packed bytes, step]
// (filled in by tools/web.sh; tools/web_pack.py tells how they are packed).
const BUILD = '@BUILD@';
const FILES = @FILES@;
const CACHE = 'zr-ironfall-' + BUILD;

const $ = (id) => document.getElementById(id);
const canvas = $('canvas');
const stage = $('stage');
const params = new URLSearchParams(location.search);

// Asked of the game's own canvas, with the attributes the game asks for: the context
// made here is the one the game then gets, not a second one.
function hasWebGL() {
  try {
    const attributes = {alpha: false, depth: true, stencil: false, antialias: false};
    return !!(window.WebGLRenderingContext && canvas.getContext('webgl', attributes));
  } catch (e) {
    return false;
  }
}

// Inside another site's frame the focus stays where the player left it: only a click
// brings it in.
function focusGame() {
  if (window.top !== window && !document.hasFocus()) return;
  if ($('dialog').hidden && $('ended').hidden) canvas.focus({preventScroll: true});
}

function showUnable(title, label, small) {
  $('loading').hidden = true;
  $('unable-title').textContent = title;
  $('unable-label').textContent = label;
  $('unable-small').textContent = small;
  $('nowebgl').hidden = false;
}

// --- Loading: every file counts towards the bar ---------------------------------
const total = FILES.reduce((sum, f) => sum + f[2], 0);
const received = new Map();

function showProgress() {
  let got = 0;
  for (const n of received.values()) got += n;
  const share = total > 0 ? Math.min(1, got / total) : 1;
  $('progress').style.width = (share * 100).toFixed(1) + '%';
  $('loading-bytes').textContent = `${(got / 1024).toFixed(0)} of ${(total / 1024).toFixed(0)} KB`;
}

async function readAll(stream, onChunk) {
  const reader = stream.getReader();
  const chunks = [];
  let length = 0;
  for (;;) {
    const {done, value} = await reader.read();
    if (done) break;
    chunks.push(value);
    length += value.length;
    if (onChunk) onChunk(length);
  }
  const bytes = new Uint8Array(length);
  let at = 0;
  for (const c of chunks) {
    bytes.set(c, at);
    at += c.length;
  }
  return bytes;
}

// Undoes the packing: gzip, then each byte's difference with the one `step` before it.
async function unpack(packed, step) {
  // A host that sends .gz files with a Content-Encoding has had the browser unpack them.
  const zipped = packed[0] === 0x1f && packed[1] === 0x8b;
  const bytes = zipped ? await readAll(new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip')))
                       : packed;
  for (let i = step; i < bytes.length && step > 0; ++i) bytes[i] = (bytes[i] + bytes[i - step]) & 255;
  return bytes;
}

// One packed file, unpacked; null for one the server does not have (the game then says
// which it misses). What came is kept in this build's cache for offline visits.
async function loadFile([name, packedName, , step]) {
  const address = `${packedName}?v=${BUILD}`;
  const response = await fetch(address);
  if (!response.ok) {
    console.warn(`${packedName}: ${response.status} ${response.statusText}`);
    return null;
  }
  const packed = await readAll(response.body, (length) => {
    received.set(name, length);
    showProgress();
  });
  if (window.caches) caches.open(CACHE).then((c) => c.put(address, new Response(packed))).catch(() => {});
  return unpack(packed, step);
}

function registerOffline() {
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch((e) => console.warn('no offline play:', e.message || e));
  }
}

// --- The game's message boxes ----------------------------------------------------
function showMessage(caption, text, error) {
  return new Promise((resolve) => {
    $('dialog-caption').textContent = caption;
    $('dialog-text').textContent = text.replace(/\r\n/g, '\n').trimEnd();
    const icon = $('dialog-icon');
    icon.className = 'icon ' + (error ? 'error' : 'info');
    icon.textContent = error ? '✕' : 'i';
    $('dialog').hidden = false;
    const ok = $('dialog-ok');
    ok.focus();
    ok.onclick = () => {
      ok.onclick = null;
      $('dialog').hidden = true;
      focusGame();
      resolve();
    };
  });
}

// --- The best score in the browser's storage ----------------------------------
let syncing = false;
function saveToStorage() {
  if (syncing || !window.FS) return;
  syncing = true;
  FS.syncfs(false, (err) => {
    syncing = false;
    if (err) console.warn('the best score could not be stored:', err);
  });
}

// --- Full screen, in the forms browsers have it ---------------------------------
const fullScreen = {
  available: !!(document.fullscreenEnabled || document.webkitFullscreenEnabled),
  element: () => document.fullscreenElement || document.webkitFullscreenElement || null,
  set(on) {
    const request = stage.requestFullscreen || stage.webkitRequestFullscreen;
    const exit = document.exitFullscreen || document.webkitExitFullscreen;
    let asked = null;
    if (on && !this.element() && request) asked = request.call(stage);
    if (!on && this.element() && exit) asked = exit.call(document);
    // Refused (no gesture of the player's, say): the game learns that nothing changed.
    Promise.resolve(asked).catch(() => {}).then(() => this.changed());
  },
  changed() {
    if (Module._zr_full_screen_changed) Module._zr_full_screen_changed(this.element() ? 1 : 0);
  },
};

// --- Keys for fingers: the screen's own, held while touched, as a keyboard's ---------
// A key held repeats as a keyboard's does, after half a second, 30 times a second.
const REPEAT_DELAY_MS = 500, REPEAT_MS = 1000 / 30;
const keyStrip = {
  buttons: [],
  shown: null,
  listen() {
    for (const button of $('keys').querySelectorAll('button')) {
      const vk = Number(button.dataset.vk);
      let held = null, timer = 0;
      const send = (down) => { if (Module._zr_strip_key) Module._zr_strip_key(vk, down ? 1 : 0); };
      const repeat = () => {
        send(true);
        timer = setTimeout(repeat, REPEAT_MS);
      };
      // Also when the key goes from the strip under the finger: never left down.
      button.release = () => {
        if (held === null) return;
        held = null;
        clearTimeout(timer);
        send(false);
        button.classList.remove('held');
      };
      button.addEventListener('pointerdown', (e) => {
        e.preventDefault();
        if (held !== null) return;
        held = e.pointerId;
        button.setPointerCapture(e.pointerId);
        button.classList.add('held');
        send(true);
        timer = setTimeout(repeat, REPEAT_DELAY_MS);
      });
      const lifted = (e) => { if (e.pointerId === held) button.release(); };
      button.addEventListener('pointerup', lifted);
      button.addEventListener('pointercancel', lifted);
      button.addEventListener('lostpointercapture', lifted);
      this.buttons.push(button);
    }
  },
  // Asked at each display refresh while fingers play; the strip changes only with the
  // screen.
  follow() {
    const takes = (b) => !!(Module._zr_screen_takes_key && Module._zr_screen_takes_key(Number(b.dataset.vk)));
    const shown = this.buttons.map(takes);
    if (shown.join() !== this.shown) {
      this.shown = shown.join();
      this.buttons.forEach((b, i) => {
        if (!shown[i]) b.release();
        b.hidden = !shown[i];
      });
    }
    requestAnimationFrame(() => this.follow());
  },
  // Fingers get the strip; a finger that arrives later brings it too.
  show() {
    if (document.body.classList.contains('touch')) return;
    document.body.classList.add('touch');
    this.follow();
  },
};

// --- Inside another site's frame: the game takes keys once it is clicked --------------
function watchFocus() {
  if (window.top === window) return;
  const layer = $('clicktoplay');
  // The layer lets the click through: it both gives the frame the focus and fires.
  const show = () => { layer.hidden = document.hasFocus(); };
  window.addEventListener('focus', show);
  window.addEventListener('blur', show);
  show();
}

// --- The game ----------------------------------------------------------------
// ?timedemo=ADDRESS plays a demo as fast as it draws, as the desktop's --timedemo does;
// ?play=ADDRESS at its recorded pace, as --play does (the hall of fame's "Watch").
const DEMO_ADDRESS = params.get('timedemo') || params.get('play');
const DEMO_MODE = params.has('timedemo') ? '--timedemo' : '--play';
const DEMO_FILE = '/demo.zrd';

// --- The hall of fame, when one serves this page -----------------------------------
// The game lies in the hall's game/ folder and its API beside it. After a new best score
// the page offers to send the game that made it, under a name it remembers.
const HALL_API = new URL('../api/', location.href);
const BEST_GAME = '/persist/zr-ironfall/bs.zrd';
const hall = {
  seen: 0,
  stamp() {
    try {
      return new Date(FS.stat(BEST_GAME).mtime).getTime();
    } catch (e) {
      return 0;
    }
  },
  watch() {
    if (DEMO_ADDRESS) return;
    fetch(new URL('status', HALL_API)).then((r) => (r.ok ? r.json() : null)).then((status) => {
      if (!status || !status.version) return;
      hall.seen = hall.stamp();
      setInterval(() => {
        const now = hall.stamp();
        if (now === hall.seen) return;
        hall.seen = now;
        $('hall-name').value = localStorage.getItem('zr-hall-name') || '';
        $('hall-answer').textContent = '';
        $('hall').hidden = !now;
      }, 1000);
    }).catch(() => {});
  },
  async send() {
    const name = $('hall-name').value;
    localStorage.setItem('zr-hall-name', name);
    const form = new FormData();
    form.append('name', name);
    form.append('demo', new Blob([FS.readFile(BEST_GAME)]), 'bs.zrd');
    const answer = $('hall-answer');
    answer.textContent = 'Replaying your game…';
    try {
      const reply = await fetch(new URL('games', HALL_API), {method: 'POST', body: form});
      const a = await reply.json();
      answer.textContent = reply.status === 201 ? `Kept: ${a.score} points, rank ${a.rank}.`
        : reply.status === 409 ? `The hall has this game already, at rank ${a.rank}.`
        : `Not kept: ${a.error || a.status}`;
    } catch (e) {
      answer.textContent = 'The hall cannot be reached.';
    }
  },
};

var Module = {
  canvas: canvas,
  frames: 0,
  firstFrameAt: 0,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  zrShowMessage: showMessage,
  zrFullScreen: fullScreen,
  zrGameEnded: () => {
    saveToStorage();
    $('ended').hidden = false;
    $('again').focus();
  },
  onRuntimeInitialized: () => {
    $('loading').hidden = true;
    focusGame();
    setInterval(saveToStorage, 1000);
    hall.watch();
    Module.callMain(DEMO_ADDRESS ? [DEMO_MODE, DEMO_FILE] : []);
  },
  onAbort: (what) => {
    $('loading').hidden = true;
    showMessage('Application Error', 'The game stopped: ' + what, true).then(Module.zrGameEnded);
  },
};

// Everything is fetched at once. The game's code is compiled as soon as it has come,
// while the pictures still come; its runtime waits for them and for the stored files.
function loadGame() {
  const loading = FILES.map(loadFile);
  const need = (p, what) => p.then((bytes) => bytes || Promise.reject(new Error(what + ' is missing on the server')));
  const compiled = need(loading[1], 'the game').then((bytes) => WebAssembly.compile(bytes));
  const pictures = Promise.all(loading.slice(2)).then((all) => all.map((bytes, i) => [FILES[i + 2][0], bytes]));
  const demo = DEMO_ADDRESS ? fetch(DEMO_ADDRESS).then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(r.status)))
    .then((b) => new Uint8Array(b)) : Promise.resolve(null);
  Module.instantiateWasm = (imports, done) => {
    compiled.then((module) => WebAssembly.instantiate(module, imports).then((instance) => done(instance, module)))
      .catch(failed);
    return {};
  };
  Module.preRun = [() => {
    FS.mkdir(PLAYER_MOUNT);
    FS.mount(IDBFS, {}, PLAYER_MOUNT);
    Module.addRunDependency('files');
    const stored = new Promise((resolve) => FS.syncfs(true, (err) => {
      if (err) console.warn('the browser storage could not be read:', err);
      resolve();
    }));
    Promise.all([pictures, demo, stored]).then(([files, demoBytes]) => {
      FS.mkdirTree(SHARE_DIR + '/data');
      for (const [name, bytes] of files) {
        if (bytes) FS.writeFile(`${SHARE_DIR}/${name}`, bytes);
      }
      if (demoBytes) FS.writeFile(DEMO_FILE, demoBytes);
      Module.removeRunDependency('files');
    }, failed);
  }];
  need(loading[0], 'the game').then((script) => {
    const element = document.createElement('script');
    element.src = URL.createObjectURL(new Blob([script], {type: 'text/javascript'}));
    document.body.appendChild(element);
  }).catch(failed);
  showProgress();
}

function failed(err) {
  $('loading-label').textContent = 'The game could not be loaded: ' + (err.message || err);
}

$('fullscreen').hidden = !fullScreen.available;
$('fullscreen').addEventListener('click', () => {
  fullScreen.set(!fullScreen.element());
  focusGame();
});
$('quit').addEventListener('click', () => {
  if (Module._zr_close_window) Module._zr_close_window();
  focusGame();
});
$('again').addEventListener('click', () => location.reload());
// The page's own dialogs keep their keys from the game.
for (const id of ['dialog', 'ended', 'hall']) $(id).addEventListener('keydown', (e) => e.stopPropagation());
for (const id of ['dialog', 'ended', 'hall']) $(id).addEventListener('keyup', (e) => e.stopPropagation());
$('hall').addEventListener('submit', (e) => {
  e.preventDefault();
  hall.send();
});
$('hall-close').addEventListener('click', () => {
  $('hall').hidden = true;
  focusGame();
});
document.addEventListener('contextmenu', (e) => e.preventDefault());
document.addEventListener('visibilitychange', () => {
  if (document.hidden) saveToStorage();
});
window.addEventListener('pagehide', saveToStorage);
keyStrip.listen();
window.addEventListener('blur', () => keyStrip.buttons.forEach((b) => b.release()));
if (navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches) keyStrip.show();
window.addEventListener('touchstart', () => keyStrip.show(), {once: true, passive: true});
watchFocus();

// The files are asked for first: the browser fetches them while it makes the WebGL context.
if (!window.DecompressionStream) {
  showUnable('Zr Ironfall needs a newer browser', 'This browser cannot unpack the game.',
             'Chrome 80, Firefox 113, Safari 16.4 or later play it.');
} else {
  loadGame();
  if (hasWebGL()) {
    registerOffline();
  } else {
    showUnable('Zr Ironfall needs WebGL', 'This browser cannot draw with WebGL, or it has been switched off.',
               "Turn on hardware acceleration in the browser's settings, or try another browser.");
  }
}
