// The golden demos played in a real Chromium, as fast as it draws: each must reach its
// recorded end with every frame in step, as it does on Linux and Windows.
//   node --experimental-websocket demo_test.mjs GAME_URL DEMO_URL...
import {launch, sleep} from './browser.mjs';

const [gameUrl, ...demos] = process.argv.slice(2);
const browser = await launch({width: 800, height: 640});
let failures = 0;
try {
  for (const demo of demos) {
    const page = await browser.newPage(800, 640);
    await page.goto(`${gameUrl}?timedemo=${encodeURIComponent(demo)}`);
    let said = [];
    const end = Date.now() + 900000;
    while (Date.now() < end) {
      said = page.console.filter((l) => /^(demo|timedemo): /.test(l) || l.startsWith('exception'));
      if (said.some((l) => /^demo: (\d+ frames|out of step|stopped)/.test(l) || l.startsWith('exception'))) break;
      await sleep(250);
    }
    await sleep(500);  // the timedemo line follows the state line
    said = page.console.filter((l) => /^(demo|timedemo): /.test(l) || l.startsWith('exception'));
    const ok = said.some((l) => /^demo: \d+ frames, state [0-9a-f]{16}$/.test(l));
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${demo}: ${said.join(' | ') || 'no word from the game'}`);
    if (!ok) failures++;
  }
} finally {
  await browser.close();
}
process.exit(failures ? 1 : 0);
