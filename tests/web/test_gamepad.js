// test_gamepad.js SITE_DIR -- a gamepad offered to the page through the browser's Gamepad
// API steers and fires the craft through the desktop's pad table: the stick moves the craft,
// A and the right trigger fire, nothing acts while the game lacks the focus, and the pad's
// coming and going print the desktop's lines. The pad is the test's own, put in place of
// navigator.getGamepads before the game starts; the page's clock is the test's, so each
// check runs a known number of frames.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { serveSite, startBrowser, openPage, waitForLine, waitForStart } = require('./browser');

const [site] = process.argv.slice(2);
const padName = 'Wibz Test Pad (STANDARD GAMEPAD Vendor: 045e Product: 028e)';

// A pad in the standard mapping: 17 buttons, four axes, all at rest.
function offerPad(name) {
  window.testPad = {
    id: name, index: 0, connected: true, mapping: 'standard', timestamp: 0,
    axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  window.padPlugged = true;
  navigator.getGamepads = () => [window.padPlugged ? window.testPad : null, null, null, null];
}

const setButton = (page, index, value) => page.evaluate(([b, v]) => {
  testPad.buttons[b] = { pressed: v > 0.5, touched: v > 0, value: v };
}, [index, value]);
const setStick = (page, x, y) => page.evaluate(([ax, ay]) => { testPad.axes[0] = ax; testPad.axes[1] = ay; }, [x, y]);
// A line may follow the frame timer's line, which has no line end, on the same console line,
// as it does in a terminal.
const escape = text => text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
const shotsFired = page => page.evaluate(() => (wibz.events().match(/ shot-fired /g) || []).length);
const craft = page => page.evaluate(() => wibz.state().match(/^craft (\S+) (\S+)$/m).slice(1).map(Number));

test('a gamepad offered to the page steers and fires the craft', async () => {
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    const { page, lines, errors } = await openPage(browser, server.url, `(${offerPad})(${JSON.stringify(padName)})`,
                                                   { stoppedClock: true });
    await waitForStart(page);
    await page.clock.runFor(100);
    await waitForLine(lines, new RegExp('Gamepad connected: ' + escape(padName) + '$'));

    // The stick pushed up: the craft moves towards its focus while it is held, and stops.
    const start = await craft(page);
    await setStick(page, 0, -1);
    await page.clock.runFor(500);
    await setStick(page, 0.1, -0.1); // inside the dead zone
    await page.clock.runFor(50);
    const moved = await craft(page);
    assert.ok(Math.hypot(moved[0] - start[0], moved[1] - start[1]) > 1, `moved from ${start} to ${moved}`);
    await page.clock.runFor(200);
    assert.deepStrictEqual(await craft(page), moved, 'at rest, the stick steers nothing');

    // A fires once per press; the right trigger once per pull past half way.
    await setButton(page, 0, 1);
    await page.clock.runFor(200);
    await setButton(page, 0, 0);
    await page.clock.runFor(50);
    assert.strictEqual(await shotsFired(page), 1, 'A held for many frames fires once');
    await setButton(page, 7, 0.4);
    await page.clock.runFor(50);
    assert.strictEqual(await shotsFired(page), 1, 'a trigger short of half way does nothing');
    await setButton(page, 7, 0.9);
    await page.clock.runFor(50);
    await setButton(page, 7, 0);
    await page.clock.runFor(50);
    assert.strictEqual(await shotsFired(page), 2, 'the trigger pulled fires');

    // Without the keyboard focus the pad plays no more than the keys do.
    await page.click('#keys');
    await setButton(page, 0, 1);
    await page.clock.runFor(100);
    await setButton(page, 0, 0);
    await page.clock.runFor(50);
    assert.strictEqual(await shotsFired(page), 2, 'no shot while the game lacks the focus');
    await page.click('#canvas');
    await setButton(page, 0, 1);
    await page.clock.runFor(100);
    assert.strictEqual(await shotsFired(page), 3, 'a click gives the pad back');

    await page.evaluate(() => { window.padPlugged = false; });
    await page.clock.runFor(50);
    await waitForLine(lines, new RegExp('Gamepad disconnected: ' + escape(padName) + '$'));
    assert.deepStrictEqual(errors, []);
  } finally {
    await browser.close();
    server.close();
  }
});
