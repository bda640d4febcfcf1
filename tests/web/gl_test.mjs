// The browser build's drawing in a real Chromium: a battle frame takes a handful of draw
// calls, and a battle whose WebGL context is lost (WEBGL_lose_context, as after a GPU
// reset) goes on, and shows the same picture once the context is back, but for what moved.
//   node --experimental-websocket gl_test.mjs URL ARTIFACTS
import {writeFileSync} from 'node:fs';
import {join} from 'node:path';
import {launch, sleep} from './browser.mjs';

const [url, artifacts] = process.argv.slice(2);
const W = 800, H = 600, BAR = 40;
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
}
// Pixels that differ by more than `by` in a channel.
function unlike(a, b, by = 40) {
  let n = 0;
  for (let p = 0; p < a.rgb.length; p += 3) {
    if (Math.max(...[0, 1, 2].map((c) => Math.abs(a.rgb[p + c] - b.rgb[p + c]))) > by) ++n;
  }
  return n;
}
const yellowBar = (img) => {  // the base's health bar, bottom left
  let n = 0;
  for (let y = 498; y < 592; ++y) for (let x = 8; x < 32; ++x) {
    const p = (y * W + x) * 3;
    if (img.rgb[p] > 220 && img.rgb[p + 1] > 220 && img.rgb[p + 2] < 40) ++n;
  }
  return n;
};

const browser = await launch({width: W, height: H + BAR});
try {
  const page = await browser.newPage(W, H + BAR);
  await page.goto(url);
  await page.waitFor('window.Module && Module.frames > 0', 60000);
  await sleep(500);
  await page.key('Enter', 13);
  const shot = async (name) => {
    const img = await page.shot({x: 0, y: BAR, width: W, height: H});
    writeFileSync(join(artifacts, name + '.png'), img.png);
    return img;
  };
  let before;
  for (let i = 0; i < 40 && !(before && yellowBar(before) > 300); ++i) {
    await sleep(250);
    before = await shot('web_gl_battle');
  }
  check(yellowBar(before) > 300, 'a battle starts');

  // The draw calls of the battle's frames so far; then the context goes, and the battle
  // goes on without it until it comes back. All in a few seconds: the base does not last.
  const [f0, c0] = await page.eval('[Module.frames, Module.drawCalls]');
  before = await shot('web_gl_before');
  const [f1, c1] = await page.eval('[Module.frames, Module.drawCalls]');
  const perFrame = (c1 - c0) / (f1 - f0);
  check(f1 > f0 && perFrame <= 30, `a battle frame takes ${perFrame.toFixed(1)} draw calls`);
  await page.eval("Module.zrLoseContext = Module.ctx.getExtension('WEBGL_lose_context'); " +
                  'Module.zrLoseContext.loseContext()');
  const lostAt = await page.eval('Module.frames');
  await sleep(300);
  const lostFor = (await page.eval('Module.frames')) - lostAt;
  await page.eval('Module.zrLoseContext.restoreContext()');
  await page.waitFor('!Module.ctx.isContextLost()', 10000).catch(() => false);
  const backAt = await page.eval('Module.frames');
  await page.waitFor(`Module.frames > ${backAt + 5}`, 10000).catch(() => false);
  const after = await shot('web_gl_after');
  const moved = unlike(before, after);
  check(lostFor > 0, `the battle goes on while the context is lost (${lostFor} frames)`);
  check(yellowBar(after) > 300 && moved < 0.05 * W * H,
        `after the context is back the picture is the one before but for what moved (${moved} pixels unlike)`);
  const errors = page.console.filter((l) => l.startsWith('exception'));
  check(errors.length === 0, `no exception on the way${errors.length ? ': ' + errors.slice(0, 3).join(' | ') : ''}`);
} finally {
  await browser.close();
}
process.exit(failures > 0 ? 1 : 0);
