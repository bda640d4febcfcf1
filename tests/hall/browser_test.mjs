// The hall in a real Chromium: a game played in the browser build to a new best score is
// sent from the game's page, appears in the hall's table with its name shown as text, and
// "Watch" plays it at its recorded pace to the state line the server printed.
//   node --experimental-websocket browser_test.mjs HALL_URL SERVER_LOG
import {readFileSync} from 'node:fs';
import {launch, sleep} from '../web/browser.mjs';

const [hallUrl, serverLog] = process.argv.slice(2);
const W = 800, H = 600, BAR = 40;  // the game's picture lies under the page's 40-pixel bar
const NAME = 'Тест <b>&amp;</b>';

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
  return ok;
}

const click = (page, x, y) => page.click(x, y + BAR);
const offered = "!document.getElementById('hall').hidden";

const browser = await launch({width: W, height: H + BAR});
try {
  const page = await browser.newPage(W, H + BAR);
  await page.goto(hallUrl + '/game/');
  await page.waitFor('window.Module && Module.frames > 0', 60000);

  // Battles until one sets a new best score: waves of fireballs over the field but the
  // base, two bursts on the base itself, then Space on the game-over screen, which keeps
  // the score and its game.
  for (let round = 0; round < 5 && !(await page.eval(offered)); ++round) {
    await page.key('Enter', 13);
    await sleep(3000);
    for (let wave = 0; wave < 3; ++wave) {
      for (let y = 60; y <= 560; y += 100) {
        for (let x = 50; x <= 750; x += 100) {
          if ((x - 400) ** 2 + (y - 300) ** 2 > 110 ** 2) await click(page, x, y);
        }
      }
    }
    await sleep(4000);
    await click(page, 400, 300);
    await sleep(600);
    await click(page, 400, 300);
    for (let i = 0; i < 40 && !(await page.eval(offered)); ++i) {
      await page.key('Space', 32);
      await sleep(500);
    }
  }
  check(await page.eval(offered), 'after a new best score the page offers "Send this game to the hall of fame"');

  await page.eval(`document.getElementById('hall-name').value = ${JSON.stringify(NAME)}`);
  await page.eval("document.getElementById('hall-send').click()");
  const answer = await page.waitFor(
    "(t => /^(Kept|Not kept|The hall)/.test(t) && t)(document.getElementById('hall-answer').textContent)", 120000);
  check(/^Kept: \d+ points, rank 1\.$/.test(answer), `the hall keeps the game: "${answer}"`);
  const kept = /kept: score (\d+), frames (\d+), state ([0-9a-f]{16})/.exec(readFileSync(serverLog, 'utf8'));
  check(kept !== null, `the server prints the kept game's state line: ${kept && kept[0]}`);

  await page.goto(hallUrl + '/');
  await page.waitFor("document.querySelector('#table tbody tr')");
  const row = await page.eval(`(() => {
    const r = document.querySelector('#table tbody tr');
    return {name: r.querySelector('.name').textContent, html: r.querySelector('.name').innerHTML,
            score: r.children[2].textContent, watch: r.querySelector('a').href};
  })()`);
  check(row.name === NAME && row.html.includes('&lt;b&gt;'), `the table shows the name as text: ${row.html}`);
  check(kept && row.score === kept[1], `the table shows the score ${row.score}`);

  // Watch: the game at its own pace, to its end.
  page.console.length = 0;
  await page.goto(row.watch);
  let end = null;
  for (let waited = 0; !end && waited < 120000; waited += 500) {
    end = page.console.map((l) => /^demo: (\d+) frames, state ([0-9a-f]{16})/.exec(l)).find((m) => m);
    if (!end) await sleep(500);
  }
  check(end && kept && end[1] === kept[2] && end[2] === kept[3],
        `"Watch" plays it to the state the server printed: ${end ? end[0] : page.console.slice(-3).join(' | ')}`);
} finally {
  await browser.close();
}
process.exit(failures ? 1 : 0);
