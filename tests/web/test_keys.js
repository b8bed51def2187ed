// test_keys.js SITE_DIR -- keys typed into the page play the game: the arrows move the craft,
// Space fires, the character keys print the desktop's lines, F3 and F8 act once a press,
// and Escape ends the game. The page keeps the game's keys from the browser (no scrolling,
// no find bar, no button pressed) and leaves it the others; the keys reach the game only
// while it has the focus, which a click gives it.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { serveSite, startBrowser, openPage, waitForEnd } = require('./browser');

const [site] = process.argv.slice(2);

// Every keydown the page's document sees after the game had it, and whether the game kept
// it from the browser.
function recordKeys() {
  window.keysSeen = [];
  document.addEventListener('keydown', event => {
    window.keysSeen.push({ key: event.key, kept: event.defaultPrevented });
  });
}

const craftOf = state => state.match(/^craft (\S+) (\S+)$/m).slice(1).map(Number);

test('keys typed into the page move and fire the craft', async () => {
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    const { page, errors } = await openPage(browser, server.url, recordKeys);
    await page.waitForFunction(() => wibz.firstFrame);
    assert.ok(await page.evaluate(() => document.activeElement.id === 'canvas'),
              'the game has the focus once it shows');

    // Held, the up arrow carries the craft towards its focus, step after step.
    const before = craftOf(await page.evaluate(() => wibz.state()));
    await page.keyboard.down('ArrowUp');
    await page.waitForFunction(([x, z]) => {
      const [nowX, nowZ] = wibz.state().match(/^craft (\S+) (\S+)$/m).slice(1).map(Number);
      return Math.hypot(nowX - x, nowZ - z) > 1;
    }, before);
    await page.keyboard.up('ArrowUp');

    await page.keyboard.press('Space');
    await page.waitForFunction(() => / shot-fired /.test(wibz.events()));

    // f: the next axis point as focus, with the desktop's console lines (the first may end
    // the frame timer's line, which has no line end, as it does in a terminal).
    const focusLines = Promise.all([
      page.waitForEvent('console', { predicate: m => /nextAxis \d+$/.test(m.text()) }),
      page.waitForEvent('console', { predicate: m => /^x: +\S+ +y: +\S+ +z: +\S+$/.test(m.text()) }),
    ]);
    await page.keyboard.press('f');
    await focusLines;

    // The game's keys are kept from the browser; a key it has no use for is left alone.
    for (const key of ['ArrowDown', 'F3', 'F3', 'F8', 'F2', 'q']) await page.keyboard.press(key);
    const seen = await page.evaluate(() => window.keysSeen);
    for (const key of ['ArrowUp', 'ArrowDown', ' ', 'f', 'F3', 'F8', 'F2']) {
      assert.ok(seen.some(k => k.key === key && k.kept), `${key} kept from the browser`);
    }
    assert.ok(seen.some(k => k.key === 'q' && !k.kept), 'q left to the browser');
    assert.strictEqual(await page.evaluate(() => scrollY), 0, 'the arrows scroll nothing');

    // Away from the game, its keys do nothing; a click gives them back.
    await page.click('#keys');
    const shots = await page.evaluate(() => (wibz.events().match(/ shot-fired /g) || []).length);
    await page.keyboard.press('Space');
    await page.click('#canvas');
    await page.keyboard.press('Space');
    await page.waitForFunction(n => (wibz.events().match(/ shot-fired /g) || []).length > n, shots);
    assert.strictEqual(await page.evaluate(() => (wibz.events().match(/ shot-fired /g) || []).length),
                       shots + 1, 'only the shot fired with the focus');

    // Escape ends the game, as it does the desktop's.
    await page.keyboard.press('Escape');
    const end = await waitForEnd(page, 20000);
    assert.strictEqual(end.status, 0);
    assert.deepStrictEqual(errors, []);
  } finally {
    await browser.close();
    server.close();
  }
});
