// The browser's half of bench/web_timedemo.sh: plays a demo with the page's timedemo in
// headless Chromium and prints what it cost: the game's own timedemo line, the draw calls
// a drawn frame, and the CPU time of all the browser's processes a drawn frame; then the
// same for a page that draws next to nothing (bench/web_floor.html), the browser's floor.
//   node --experimental-websocket bench/web_timedemo.mjs GAME_URL DEMO_URL FLOOR_URL
import {readFileSync, readdirSync} from 'node:fs';
import {launch, sleep} from '../tests/web/browser.mjs';

// CPU seconds of the browser's processes by kind (the page's renderer, the GPU process...).
function cpuByKind(profile) {
  const kinds = {};
  for (const pid of readdirSync('/proc').filter((d) => /^[0-9]+$/.test(d))) {
    try {
      const cmd = readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      if (!cmd.includes(profile)) continue;
      const kind = (/--type=([a-z-]+)/.exec(cmd) || [0, 'browser'])[1];
      const f = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      kinds[kind] = (kinds[kind] || 0) + (Number(f[11]) + Number(f[12])) / 100;
    } catch {
      // the process has ended
    }
  }
  return kinds;
}

const [gameUrl, demo, floorUrl] = process.argv.slice(2);
const browser = await launch({width: 800, height: 640});
try {
  const page = await browser.newPage(800, 640);
  await page.goto(`${gameUrl}?timedemo=${encodeURIComponent(demo)}`);
  await page.waitFor('window.Module && Module.frames > 0', 60000);
  const cpu0 = browser.cpuSeconds(), kinds0 = cpuByKind(browser.profile);
  const [frames0, calls0] = await page.eval('[Module.frames, Module.drawCalls]');
  const renderer = await page.eval(`(() => {
    const gl = document.createElement('canvas').getContext('webgl');
    const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'unknown';
  })()`);
  console.log(`browser: WebGL renderer ${renderer}`);
  const done = () => page.console.find((l) => l.startsWith('timedemo: '));
  const end = Date.now() + 900000;
  while (!done() && Date.now() < end) await sleep(100);
  const cpu1 = browser.cpuSeconds(), kinds1 = cpuByKind(browser.profile);
  const [frames1, calls1] = await page.eval('[Module.frames, Module.drawCalls]');
  const frames = frames1 - frames0;
  console.log(`browser ${done() || 'no timedemo line'}`);
  console.log(`browser: ${((calls1 - calls0) / frames).toFixed(1)} draw calls a drawn frame, ` +
              `${((cpu1 - cpu0) * 1000 / frames).toFixed(2)} ms CPU a drawn frame in all its processes (${frames} frames): ` +
              Object.keys(kinds1).map((k) => `${k} ${(((kinds1[k] - (kinds0[k] || 0)) * 1000) / frames).toFixed(2)}`).join(', '));
  // The browser's own floor beside it: a frame that clears, or clears and draws one quad.
  for (const variant of ['?clear', '']) {
    await page.goto(`${floorUrl}${variant}`);
    await page.waitFor('window.drawn > 30', 30000);
    const [c0, f0, t0] = [browser.cpuSeconds(), await page.eval('window.drawn'), Date.now()];
    await sleep(10000);
    const [c1, f1, t1] = [browser.cpuSeconds(), await page.eval('window.drawn'), Date.now()];
    console.log(`browser floor (${variant ? 'clear' : 'clear and a textured quad'}): ` +
                `${((c1 - c0) * 1000 / (f1 - f0)).toFixed(2)} ms CPU a frame in all its processes, ` +
                `${((f1 - f0) * 1000 / (t1 - t0)).toFixed(1)} frames/s at the display's refresh`);
  }
} finally {
  await browser.close();
}
