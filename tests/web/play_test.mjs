// The browser build played in a real Chromium: the menu against the Linux game's own
// picture at pixel ratios 1 and 2, full screen and the browser leaving it, the records
// screen and back, a battle whose fireballs burst where they were aimed and hit tanks, a
// hidden tab, the best score across a reload, the page's error dialog for a missing
// picture; the game in another site's frame (click to play, a key held when the focus
// leaves), a new build replacing the cache, a visit with the network gone on a 120 Hz
// display, and a whole game by touch on a phone held either way, with the keys of each
// screen. Prints the start-up time, the battle's frame cost and its frame period as it goes.
//   node --experimental-websocket play_test.mjs URL MISSING_URL NATIVE_MENU.rgb ARTIFACTS SITE_DIR
import {cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {launch, serve, sleep} from './browser.mjs';

const [url, missingUrl, nativeMenu, artifacts, siteDir] = process.argv.slice(2);
const W = 800, H = 600, BAR = 40;  // the game's picture lies under the page's 40-pixel bar
const GAME = {x: 0, y: BAR, width: W, height: H};

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
  return ok;
}

// --- Looking at the picture --------------------------------------------------------
const COLOURS = {red: [255, 0, 0], white: [255, 255, 255], yellow: [255, 255, 0]};
// Pixels of a rectangle near one colour (within 12% of full scale, as the desktop tests count).
function count(img, x, y, w, h, colour) {
  const [r, g, b] = COLOURS[colour];
  let n = 0;
  for (let j = y; j < y + h; ++j) {
    for (let i = x; i < x + w; ++i) {
      const p = (j * img.width + i) * 3;
      const d = ((img.rgb[p] - r) ** 2 + (img.rgb[p + 1] - g) ** 2 + (img.rgb[p + 2] - b) ** 2) / 3;
      if (d <= (0.12 * 255) ** 2) ++n;
    }
  }
  return n;
}
const isMenu = (img, item) => count(img, 50, 36, 200, 18, 'red') > 40 && count(img, 500, 186 + 20 * item, 100, 18, 'red') > 20;
const isRecords = (img) => count(img, 50, 36, 120, 18, 'red') < 5 && count(img, 200, 186, 250, 18, 'red') > 40;
const isBattle = (img) => count(img, 8, 498, 24, 94, 'yellow') > 300;
// The same, shown smaller and smoothed on a phone: the bar's frame thins out.
const isPhoneBattle = (img) => count(img, 4, 494, 32, 102, 'yellow') > 60;
const isGameOver = (img) => {  // the purple tint: the background has lost its green
  let green = 0;
  for (let j = 280; j < 580; ++j) for (let i = 10; i < 790; ++i) if (img.rgb[(j * W + i) * 3 + 1] > 0) ++green;
  return count(img, 200, 186, 250, 18, 'red') > 40 && green < 0.3 * 780 * 300;
};
// Pixels of a rectangle that differ between two pictures by more than `by` in a channel.
function changed(a, b, x, y, w, h, by = 40) {
  let n = 0;
  for (let j = y; j < y + h; ++j) {
    for (let i = x; i < x + w; ++i) {
      const p = (j * W + i) * 3;
      if (Math.max(...[0, 1, 2].map((c) => Math.abs(a.rgb[p + c] - b.rgb[p + c]))) > by) ++n;
    }
  }
  return n;
}

// Pixels of a rectangle that have caught fire: bright orange or white now, not before.
function lit(before, after, x, y, w, h) {
  const fire = (img, p) => img.rgb[p] > 220 && img.rgb[p + 1] > 140;
  let n = 0;
  for (let j = y; j < y + h; ++j) {
    for (let i = x; i < x + w; ++i) {
      const p = (j * W + i) * 3;
      if (fire(after, p) && !fire(before, p)) ++n;
    }
  }
  return n;
}

async function shot(page, name) {
  const img = await page.shot(GAME);
  if (name) writeFileSync(join(artifacts, name + '.png'), img.png);
  return img;
}
// Photographs the game until the check holds (about 10 s at most); the last picture.
async function waitFor(page, name, test, take = shot) {
  let img;
  for (let i = 0; i < 40; ++i) {
    img = await take(page);
    if (test(img)) break;
    await sleep(250);
  }
  writeFileSync(join(artifacts, name + '.png'), img.png);
  return img;
}

const KEYS = {Down: 40, Up: 38, Enter: 13, Space: 32};
const key = (page, name) => page.key(name === 'Down' || name === 'Up' ? 'Arrow' + name : name, KEYS[name]);
const click = (page, x, y) => page.click(x, y + BAR);
const bestScoreFile = "FS.analyzePath('/persist/zr-ironfall/bs.zrt').exists ? " +
                      "FS.readFile('/persist/zr-ironfall/bs.zrt', {encoding: 'utf8'}) : ''";

async function start(page, address) {
  await page.goto(address);
  await page.waitFor('window.Module && Module.frames > 0');
  return page.eval('Module.firstFrameAt');
}

// --- The game in another site's frame, and offline --------------------------------
// The frame sits at the top left of the embedding page, so its pixels are where the
// page's own would be.
const FRAME_PAGE = '<!DOCTYPE html><body style="margin:0"><iframe src="/" width="800" height="640" ' +
  'style="border:0;position:absolute;left:0;top:0"></iframe>' +
  '<button id="outside" style="position:absolute;left:10px;top:660px">outside</button></body>';
const inFrame = (expr) => `((w) => ((document, Module) => ${expr})(w.document, w.Module))` +
                          `(document.querySelector('iframe').contentWindow)`;

async function framedAndOffline(browser) {
  // A copy of the site, which becomes a new build halfway.
  const copy = mkdtempSync(join(tmpdir(), 'zr-site-'));
  cpSync(siteDir, copy, {recursive: true});
  const site = await serve(copy, {'/frame.html': FRAME_PAGE});
  const page = await browser.newPage(W, 700);
  try {
    await page.goto(site.url + 'frame.html');
    await page.waitFor(inFrame('!!(Module && Module.frames > 0)'));
    const layer = inFrame("!document.getElementById('clicktoplay').hidden");
    check(await page.eval(layer), 'in a frame without the focus, "click to play" shows');
    await click(page, 400, 300);
    check(await page.waitFor(`!${layer}`, 3000).catch(() => false), 'a click on the frame takes the layer away');
    await key(page, 'Enter');
    await waitFor(page, 'web_frame_battle', isBattle);
    await page.click(40, 670);
    const shown = await page.waitFor(layer, 3000).catch(() => false);
    await sleep(1000);
    const before = await shot(page);
    const target = [150, 120];
    await click(page, ...target);
    let burst = 0;
    for (let i = 0; i < 30 && burst <= 40; ++i) {
      burst = lit(before, await shot(page), target[0] - 30, target[1] - 30, 60, 60);
      await sleep(50);
    }
    check(shown && burst > 40 && !(await page.eval(layer)),
          `the focus gone, the layer is back; the first click both focuses and fires (${burst} pixels lit)`);

    // Up held while the focus leaves: the base stops, as on Windows, though no key-up came.
    const up = {key: 'ArrowUp', code: 'ArrowUp', windowsVirtualKeyCode: 38, nativeVirtualKeyCode: 38};
    const base = (a, b) => changed(a, b, 360, 100, 80, 240, 60);
    await page.send('Input.dispatchKeyEvent', {type: 'rawKeyDown', ...up});
    const moving = await shot(page);
    await sleep(600);
    const moved = base(moving, await shot(page));
    await page.click(40, 670);
    await sleep(300);
    const still = await shot(page);
    await sleep(600);
    const after = await shot(page, 'web_frame_blurred');
    await page.send('Input.dispatchKeyEvent', {type: 'keyUp', ...up});
    check(moved > 100 && base(still, after) < moved / 4,
          `a key held when the focus leaves is let go (${moved} pixels changed while held, ${base(still, after)} after)`);

    // The build's cache, whole and alone: the page, its worker's files and the packed ones.
    const packed = readdirSync(siteDir, {recursive: true}).filter((f) => f.endsWith('.gz')).length;
    const cachedAs = (build) => page.waitFor(`caches.keys().then((k) => k.join() === 'zr-ironfall-${build}' && ` +
      `caches.open(k[0]).then((c) => c.keys())).then((r) => r && r.length >= ${6 + packed})`, 10000).catch(() => false);
    const old = /const BUILD = '(\w+)'/.exec(readFileSync(join(copy, 'page.js'), 'utf8'))[1];
    const cached = await cachedAs(old);
    // A new build: the next visit's worker replaces the cache.
    const next = 'next' + old.slice(4);
    for (const f of ['index.html', 'page.js', 'sw.js']) {
      writeFileSync(join(copy, f), readFileSync(join(copy, f), 'utf8').replaceAll(old, next));
    }
    await page.metrics(W, H + BAR);
    await start(page, site.url);
    const renewed = await cachedAs(next);
    // With the server gone, a visit reaches the menu of the new build, on a display of
    // 120 refreshes a second (requestAnimationFrame on a clock of its own), where the
    // game keeps its own 60 frames a second.
    await site.close();
    await page.send('Page.addScriptToEvaluateOnNewDocument', {source: FAST_DISPLAY});
    await start(page, site.url);
    const offline = isMenu(await waitFor(page, 'web_offline_menu', (img) => isMenu(img, 0)), 0);
    check(cached && renewed && offline && (await page.eval('BUILD')) === next,
          'a new build replaces the cache; with the network gone, a visit reaches its menu');
    await key(page, 'Enter');
    await waitFor(page, 'web_offline_battle', isBattle);
    const sample = () => page.eval('[performance.now(), Module.frames, zrRefreshes]');
    const [t0, f0, r0] = await sample();
    await sleep(2000);
    const [t1, f1, r1] = await sample();
    const fps = (f1 - f0) * 1000 / (t1 - t0), hz = (r1 - r0) * 1000 / (t1 - t0);
    // No more than the game's own 60 (a busy machine draws fewer, and then misses refreshes).
    check(fps >= 20 && fps <= 75, `on a display of 120 Hz the battle shows ${fps.toFixed(1)} frames a second ` +
          `(the display gave ${hz.toFixed(1)} refreshes a second)`);
  } finally {
    await site.close();
    rmSync(copy, {recursive: true, force: true});
  }
}

// A display of 120 refreshes a second: requestAnimationFrame's callbacks run on a clock
// of their own, set before the page's scripts; a refresh the page was too busy for is
// missed, as on a real display.
const FAST_DISPLAY = `(() => {
  const period = 1000 / 120, start = performance.now();
  let waiting = [], shown = 0;
  window.zrRefreshes = 0;
  const refresh = () => {
    const at = performance.now(), slot = Math.floor((at - start) / period);
    if (slot > shown) {
      shown = slot;
      ++zrRefreshes;
      const due = waiting;
      waiting = [];
      for (const f of due) f(at);
    }
    setTimeout(refresh, (slot + 1) * period - (performance.now() - start) + 0.5);
  };
  window.requestAnimationFrame = (f) => waiting.push(f);
  refresh();
})()`;

// --- A phone, by touch alone -------------------------------------------------------
// The picture as the game's 800 x 600, sampled from wherever the page shows it.
async function phoneShot(page, name) {
  const c = await page.box('#canvas');
  const k = Math.min(c.width / W, c.height / H);
  const clip = {x: c.x + (c.width - W * k) / 2, y: c.y + (c.height - H * k) / 2, width: W * k, height: H * k};
  const img = await page.shot(clip);
  const rgb = Buffer.alloc(W * H * 3);
  for (let y = 0; y < H; ++y) {
    for (let x = 0; x < W; ++x) {
      const sx = Math.min(img.width - 1, Math.floor((x + 0.5) * img.width / W));
      const sy = Math.min(img.height - 1, Math.floor((y + 0.5) * img.height / H));
      img.rgb.copy(rgb, (y * W + x) * 3, (sy * img.width + sx) * 3, (sy * img.width + sx) * 3 + 3);
    }
  }
  if (name) writeFileSync(join(artifacts, name + '.png'), img.png);
  return {width: W, height: H, rgb, clip, png: img.png};
}
const phoneWait = (page, name, test) => waitFor(page, name, test, phoneShot);

async function phone(browser, width, height) {
  const name = width > height ? 'web_phone_landscape' : 'web_phone_portrait';
  const page = await browser.newPage(width, height, 3, true);
  // Taps are sent without waiting for each to be taken: a busy phone takes them in turn.
  const taps = [];
  const tapAt = async (img, x, y) => {
    const at = {x: img.clip.x + x * img.clip.width / W, y: img.clip.y + y * img.clip.height / H};
    taps.push(page.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [at]}));
    await sleep(30);
    taps.push(page.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []}));
    await sleep(30);
  };
  const keyAt = async (id) => page.box('#' + id).then((b) => ({x: b.x + b.width / 2, y: b.y + b.height / 2}));
  const tapKey = async (id, hold = 120) => {
    const at = await keyAt(id);
    await page.tap(at.x, at.y, hold);
    await sleep(150);
  };
  // The strip's keys, as the page shows them; what it sends to the game.
  const strip = (keys) => page.waitFor("[...document.querySelectorAll('#keys button:not([hidden])')]" +
                                       `.map((b) => b.textContent).join(' ') === '${keys}'`, 3000).catch(() => false);
  const photo = async (suffix) => writeFileSync(join(artifacts, name + suffix + '.png'),
                                                (await page.shot({x: 0, y: 0, width, height})).png);
  await start(page, url);
  const menu = await phoneWait(page, name + '_menu', (img) => isMenu(img, 0));
  check(isMenu(menu, 0) && await strip('↑ ↓ Enter'), `${width} x ${height}: the menu shows whole, with its keys ↑ ↓ Enter`);
  await photo('');
  // (Called once first: emscripten's first call puts the function itself in its place.)
  await page.eval('Module._zr_strip_key(0, 0); window.zrSent = []; Module._zr_strip_key = ((send) => ' +
                  '(vk, down) => { zrSent.push([vk, down]); send(vk, down); })(Module._zr_strip_key)');
  // ↓ held repeats as a keyboard's key does; then ↓ until the first item is chosen again.
  await tapKey('key-down', 1200);
  const repeats = await page.eval('zrSent.filter(([vk, down]) => vk === 40 && down).length');
  await sleep(350);
  const chosen = await phoneShot(page);
  for (let k = [1, 2].find((i) => isMenu(chosen, i)) ?? 0; k % 3 !== 0; ++k) await tapKey('key-down');
  await tapKey('key-enter');
  const battle = await phoneWait(page, name + '_battle', isPhoneBattle);
  const battleKeys = await strip('↑');
  await photo('_battle_page');
  await sleep(3000);  // the first tanks roll in from outside
  // Waves of taps over the field but the base, until the score moves.
  let hit = false;
  for (let wave = 0; wave < 4 && !hit && isPhoneBattle(battle); ++wave) {
    for (let y = 60; y <= 560; y += 100) {
      for (let x = 50; x <= 750; x += 100) {
        if ((x - 400) ** 2 + (y - 300) ** 2 > 110 ** 2) await tapAt(battle, x, y);
      }
    }
    await Promise.all(taps);
    // The fireballs fly by the frame-rate reading: a slow device takes its time.
    for (let i = 0; i < 20 && !hit; ++i) {
      await sleep(1000);
      const now = await phoneShot(page, name + '_hits');
      hit = isPhoneBattle(now) && changed(battle, now, 10, 4, 160, 20, 100) > 10;
    }
  }
  await tapAt(battle, 400, 300);
  await sleep(600);
  await tapAt(battle, 400, 300);
  await Promise.all(taps);
  const over = await phoneWait(page, name + '_game_over', isGameOver);
  const overKeys = await strip('Space');
  // Space held: the menu comes, whose strip has no Space, and the key is let go at once.
  await page.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [await keyAt('key-space')]});
  const backKeys = await strip('↑ ↓ Enter');
  const letGo = await page.eval('zrSent.some(([vk, down]) => vk === 32 && !down)');
  await page.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
  const back = await phoneWait(page, name + '_menu_after', (img) => isMenu(img, 0));
  check(isPhoneBattle(battle) && hit && isGameOver(over) && isMenu(back, 0),
        `${width} x ${height} by touch: a battle, a tank hit, the score screen, the menu again`);
  check(battleKeys && overKeys && backKeys && letGo && repeats > 3,
        `${width} x ${height}: the strip shows ↑ in battle, Space on the score screen; a key held repeats ` +
        `(${repeats} key-downs in 1.2 s); one held as it leaves the strip is let go`);
  await page.send('Page.close').catch(() => {});
}

const browser = await launch({width: W, height: H + BAR});
try {
  const page = await browser.newPage(W, H + BAR);

  // The menu, against the Linux game's picture.
  const firstFrame = await start(page, url);
  console.log(`first menu frame ${firstFrame.toFixed(0)} ms after navigation`);
  const menu = await waitFor(page, 'web_menu', (img) => isMenu(img, 0));
  check(isMenu(menu, 0), 'the menu shows with its first item chosen');
  const native = readFileSync(nativeMenu);
  let off = 0, worst = 0;
  for (let i = 0; i < native.length; ++i) {
    const d = Math.abs(native[i] - menu.rgb[i]);
    worst = Math.max(worst, d);
    if (d > 1) ++off;
  }
  check(native.length === menu.rgb.length && off === 0,
        `the menu matches the Linux picture: ${off} channel values off by more than 1 (largest difference ${worst})`);

  // Sharp at any pixel ratio: the drawing buffer is the canvas's device pixels, and at 2
  // the menu is the Linux picture with each pixel a square of four.
  // (Chromium's emulated ratio tells neither the media query nor the resize observer; a
  // resize does.)
  for (const ratio of [1.25, 2, 3]) {
    await page.metrics(W, H + BAR + 2, ratio);
    await sleep(200);
    await page.metrics(W, H + BAR, ratio);
    const fits = await page.waitFor(`canvas.width === ${W * ratio} && canvas.height === ${H * ratio}`, 5000)
      .catch(() => false);
    check(fits, `at pixel ratio ${ratio} the canvas has ${W * ratio} x ${H * ratio} pixels`);
    if (ratio !== 2) continue;
    await sleep(500);
    const big = await page.shot(GAME);
    let unlike = 0;
    for (let y = 0; y < 2 * H; ++y) {
      for (let x = 0; x < 2 * W; ++x) {
        const p = (y * 2 * W + x) * 3, q = ((y >> 1) * W + (x >> 1)) * 3;
        if (big.rgb[p] !== menu.rgb[q] || big.rgb[p + 1] !== menu.rgb[q + 1] || big.rgb[p + 2] !== menu.rgb[q + 2]) ++unlike;
      }
    }
    writeFileSync(join(artifacts, 'web_menu_ratio2.png'), big.png);
    check(big.width === 2 * W && unlike === 0, `at ratio 2 the menu is the Linux picture at twice the size (${unlike} pixels unlike)`);
  }
  await page.metrics(W, H + BAR, 1);
  await sleep(500);

  // Alt+Enter and F11 switch the page's stage to full screen and back. The browser leaving
  // it by itself (Esc) is followed by the game, so that Alt+Enter then enters again.
  const fullScreen = (id) => page.waitFor(`String(document.fullscreenElement && document.fullscreenElement.id) === '${id}'`,
                                          3000).catch(() => false);
  await page.key('Enter', KEYS.Enter, 1);  // with Alt
  const entered = await fullScreen('stage');
  await page.eval('document.exitFullscreen()');
  const esc = await fullScreen('null');
  await page.key('Enter', KEYS.Enter, 1);
  const again = await fullScreen('stage');
  await page.key('F11', 122);
  const left = await fullScreen('null');
  check(entered && esc && again && left, 'Alt+Enter goes full screen; left by the browser, the game follows; F11 comes back');
  await sleep(500);

  // Records and back.
  await key(page, 'Down');
  check(isMenu(await waitFor(page, 'web_menu_down', (img) => isMenu(img, 1)), 1), 'Down chooses the second item');
  await key(page, 'Enter');
  const records = await waitFor(page, 'web_records', isRecords);
  check(isRecords(records), 'Enter shows the records screen');
  await key(page, 'Space');
  check(isMenu(await waitFor(page, 'web_menu_back', (img) => isMenu(img, 1)), 1), 'Space comes back to the menu');

  // A battle.
  await key(page, 'Up');
  await key(page, 'Enter');
  const battle = await waitFor(page, 'web_battle', isBattle);
  check(isBattle(battle), 'Enter on the first item starts a battle');
  await sleep(1500);
  const before = await shot(page);
  // A fireball far from the base: it flies there and bursts, and nowhere else.
  const target = [150, 120];
  await click(page, ...target);
  let burst = 0, elsewhere = 0;
  for (let i = 0; i < 30 && burst <= 40; ++i) {
    const img = await shot(page);
    burst = lit(before, img, target[0] - 30, target[1] - 30, 60, 60);
    elsewhere = lit(before, img, W - target[0] - 30, target[1] - 30, 60, 60);
    if (burst > 40) writeFileSync(join(artifacts, 'web_burst.png'), img.png);
    await sleep(50);
  }
  check(burst > 40, `the fireball bursts where it was aimed (${burst} pixels lit there, ${elsewhere} at the mirror point)`);

  // What a battle frame costs the program in the browser's main thread (the drawing
  // itself the browser does beside it), while the game runs paced.
  const sample = () => page.eval('[performance.now(), Module.frames, Module.waitedMs || 0]');
  const [t0, f0, w0] = await sample();
  const cpu0 = browser.cpuSeconds();
  await sleep(3000);
  const cpu1 = browser.cpuSeconds();
  const [t1, f1, w1] = await sample();
  console.log(`battle: ${((f1 - f0) / ((t1 - t0) / 1000)).toFixed(1)} frames/s, ` +
              `${(((t1 - t0) - (w1 - w0)) / (f1 - f0)).toFixed(2)} ms of the program's work per frame, ` +
              `${((cpu1 - cpu0) * 1000 / (f1 - f0)).toFixed(1)} ms CPU per frame in all the browser's processes`);
  const times = (await page.eval('Module.swapTimes')).filter((t) => t >= t0 && t <= t1);
  const periods = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  const mean = periods.reduce((a, b) => a + b, 0) / periods.length;
  const sd = Math.sqrt(periods.reduce((a, b) => a + (b - mean) ** 2, 0) / periods.length);
  console.log(`battle frame period: mean ${mean.toFixed(2)} ms, standard deviation ${sd.toFixed(2)} ms, ` +
              `99th percentile ${periods[Math.floor(periods.length * 0.99)].toFixed(1)} ms over ${periods.length} frames`);

  // A hidden tab is a minimised window: the battle stands still until the tab is back.
  const other = await browser.send('Target.createTarget', {url: 'about:blank'});
  await browser.send('Target.activateTarget', {targetId: other.targetId});
  await page.waitFor('document.hidden', 3000);
  const hiddenFrom = await page.eval('Module.frames');
  await sleep(1000);
  const hiddenTo = await page.eval('Module.frames');
  await page.send('Page.bringToFront');
  await browser.send('Target.closeTarget', {targetId: other.targetId});
  const back = await page.waitFor(`Module.frames > ${hiddenTo + 10}`, 5000).catch(() => false);
  check(hiddenTo - hiddenFrom <= 1 && back, `a hidden tab stops the battle (${hiddenTo - hiddenFrom} frames while hidden), and it goes on after`);

  // Battles until one keeps a best score (the tanks may win one first): waves of
  // fireballs over the field but the base, whose bursts reach every tank, then two bursts
  // on the base itself, and Space on the game-over screen.
  let saved = '', hit = false;
  for (let round = 0; round < 4 && !saved; ++round) {
    if (round > 0) {
      await key(page, 'Enter');
      await waitFor(page, 'web_battle', isBattle);
    }
    await sleep(3000);  // the first tanks roll in from outside
    const start = await shot(page);
    for (let wave = 0; wave < 3; ++wave) {
      for (let y = 60; y <= 560; y += 100) {
        for (let x = 50; x <= 750; x += 100) {
          if ((x - 400) ** 2 + (y - 300) ** 2 > 110 ** 2) await click(page, x, y, 30);
        }
      }
    }
    // The fireballs fly by the frame-rate reading: a slow machine takes its time.
    let scored = false;
    for (let i = 0; i < 15 && !scored; ++i) {
      await sleep(1000);
      const after = await shot(page, 'web_hits');
      scored = isBattle(after) && changed(start, after, 10, 4, 160, 20, 100) > 10;
    }
    hit = hit || scored;
    await click(page, 400, 300);
    await sleep(600);
    await click(page, 400, 300);
    await waitFor(page, 'web_game_over', isGameOver);
    await key(page, 'Space');
    await waitFor(page, 'web_menu_after', (img) => isMenu(img, 0));
    saved = await page.eval(bestScoreFile);
  }
  // Only a tank destroyed scores: a score kept, or one seen to change mid-battle.
  check(hit || /^[1-9]/.test(saved), 'a tank is hit: the score has grown');
  check(/^[1-9][0-9]*$/.test(saved), `a battle ends, and its score is written into the browser's storage ("${saved}")`);
  await sleep(1500);  // the page stores the player's folder every second

  // After a reload: the same best score in the file and on the records screen.
  await start(page, url);
  check((await page.eval(bestScoreFile)) === saved, 'the best score survives a reload of the page');
  await waitFor(page, 'web_menu_reloaded', (img) => isMenu(img, 0));
  await key(page, 'Down');
  await sleep(300);
  await key(page, 'Enter');
  const recordsAfter = await waitFor(page, 'web_records_after', isRecords);
  check(isRecords(recordsAfter) && changed(records, recordsAfter, 200, 186, 400, 18, 100) > 10,
        'the records screen shows the new best score');

  // The menu's last item ends the game: the page offers a new one.
  await key(page, 'Space');
  await waitFor(page, 'web_menu_last', (img) => isMenu(img, 1));
  await key(page, 'Down');
  await key(page, 'Enter');
  check(await page.waitFor("!document.getElementById('ended').hidden", 5000).catch(() => false),
        '"Выход" ends the game and the page offers a new one');

  // A picture missing on the server: the game's error report in the page's dialog, then
  // the button for a new game.
  await page.goto(missingUrl);
  await page.waitFor("!document.getElementById('dialog').hidden");
  const caption = await page.eval("document.getElementById('dialog-caption').textContent");
  const text = await page.eval("document.getElementById('dialog-text').textContent");
  writeFileSync(join(artifacts, 'web_error.png'), (await page.shot({x: 0, y: 0, width: W, height: H + BAR})).png);
  check(caption === 'Application Error' && /expl\.tga/.test(text) && /File not found/i.test(text),
        `a missing picture shows the error dialog ("${caption}": ${JSON.stringify(text)})`);
  await page.eval("document.getElementById('dialog-ok').click()");
  await page.waitFor("!document.getElementById('ended').hidden", 5000).catch(() => false);
  writeFileSync(join(artifacts, 'web_ended.png'), (await page.shot({x: 0, y: 0, width: W, height: H + BAR})).png);
  check(await page.eval("!document.getElementById('ended').hidden"), 'after OK the page offers a new game');
  if (failures > 0) console.log('--- the page said:\n' + page.console.join('\n'));
  await framedAndOffline(browser);
  await phone(browser, 844, 390);
  await phone(browser, 390, 844);
} finally {
  await browser.close();
}
process.exit(failures > 0 ? 1 : 0);
