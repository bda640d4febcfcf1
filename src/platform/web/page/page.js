// The page around the game: loads the pictures with a progress bar, keeps the best score
// in the browser's storage, shows the game's message boxes, and offers full screen and a
// new game when one has ended.
'use strict';

// Where the game looks for its files in the browser's memory: an installed game, with
// its pictures in the share folder and the player's folder in the browser's storage.
const SHARE_DIR = '/zr-ironfall/share';
const PLAYER_MOUNT = '/persist';
// The pictures and the font, with their sizes in bytes (filled in by tools/web.sh).
const FILES = @FILES@;

const $ = (id) => document.getElementById(id);
const canvas = $('canvas');
const stage = $('stage');

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

function focusGame() {
  if ($('dialog').hidden && $('ended').hidden) canvas.focus({preventScroll: true});
}

// --- Loading the pictures --------------------------------------------------------
const total = FILES.reduce((sum, f) => sum + f[1], 0);
const received = new Map();
let pictures = null;  // [name, bytes or null] of each file, once all have come

function showProgress() {
  let got = 0;
  for (const n of received.values()) got += n;
  const share = total > 0 ? Math.min(1, got / total) : 1;
  $('progress').style.width = (share * 100).toFixed(1) + '%';
  $('loading-bytes').textContent = `${(got / 1024).toFixed(0)} of ${(total / 1024).toFixed(0)} KB`;
}

// A file the server does not have is left out: the game then says which it misses.
async function fetchFile(name) {
  const response = await fetch('data/' + name);
  if (!response.ok) {
    console.warn(`data/${name}: ${response.status} ${response.statusText}`);
    return null;
  }
  const reader = response.body.getReader();
  const chunks = [];
  let length = 0;
  for (;;) {
    const {done, value} = await reader.read();
    if (done) break;
    chunks.push(value);
    length += value.length;
    received.set(name, length);
    showProgress();
  }
  const bytes = new Uint8Array(length);
  let at = 0;
  for (const c of chunks) {
    bytes.set(c, at);
    at += c.length;
  }
  return bytes;
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

// --- The game ----------------------------------------------------------------
var Module = {
  canvas: canvas,
  frames: 0,
  firstFrameAt: 0,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  zrShowMessage: showMessage,
  zrGameEnded: () => {
    saveToStorage();
    $('ended').hidden = false;
    $('again').focus();
  },
  preRun: [() => {
    Module.addRunDependency('pictures');
    FS.mkdir(PLAYER_MOUNT);
    FS.mount(IDBFS, {}, PLAYER_MOUNT);
    const stored = new Promise((resolve) => FS.syncfs(true, (err) => {
      if (err) console.warn('the browser storage could not be read:', err);
      resolve();
    }));
    Promise.all([pictures, stored, demo]).then(([files, , demoBytes]) => {
      FS.mkdirTree(SHARE_DIR + '/data');
      for (const [name, bytes] of files) {
        if (bytes) FS.writeFile(`${SHARE_DIR}/data/${name}`, bytes);
      }
      if (demoBytes) FS.writeFile(DEMO_FILE, demoBytes);
      Module.removeRunDependency('pictures');
    }, (err) => {
      $('loading-label').textContent = 'The pictures could not be loaded: ' + err;
    });
  }],
  onRuntimeInitialized: () => {
    $('loading').hidden = true;
    focusGame();
    setInterval(saveToStorage, 1000);
    // ?timedemo=ADDRESS plays a demo as fast as it draws, as the desktop's --timedemo does.
    Module.callMain(DEMO_ADDRESS ? ['--timedemo', DEMO_FILE] : []);
  },
  onAbort: (what) => {
    $('loading').hidden = true;
    showMessage('Application Error', 'The game stopped: ' + what, true).then(Module.zrGameEnded);
  },
};

$('fullscreen').addEventListener('click', () => {
  if (document.fullscreenElement) {
    document.exitFullscreen().catch(() => {});
  } else {
    stage.requestFullscreen().catch(() => {});
  }
  focusGame();
});
$('quit').addEventListener('click', () => {
  if (Module._zr_close_window) Module._zr_close_window();
  focusGame();
});
$('again').addEventListener('click', () => location.reload());
canvas.addEventListener('contextmenu', (e) => e.preventDefault());
// Keys go to the game while the canvas has the focus; one pressed elsewhere on the page
// gives it back.
document.addEventListener('keydown', (e) => {
  if (e.target === document.body) focusGame();
});
document.addEventListener('visibilitychange', () => {
  if (document.hidden) saveToStorage();
});
window.addEventListener('pagehide', saveToStorage);

// The pictures (and a demo asked for in the address) load while the browser compiles the game.
const DEMO_ADDRESS = new URLSearchParams(location.search).get('timedemo');
const DEMO_FILE = '/demo.zrd';
const demo = DEMO_ADDRESS ? fetch(DEMO_ADDRESS).then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(r.status)))
  .then((b) => new Uint8Array(b)) : Promise.resolve(null);
showProgress();
pictures = Promise.all(FILES.map((f) => fetchFile(f[0]).then((bytes) => [f[0], bytes])));
if (hasWebGL()) {
  const script = document.createElement('script');
  script.src = 'zr_ironfall.js';
  script.onerror = () => { $('loading-label').textContent = 'zr_ironfall.js could not be loaded.'; };
  document.body.appendChild(script);
} else {
  $('loading').hidden = true;
  $('nowebgl').hidden = false;
}
