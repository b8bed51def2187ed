// test_demos.js SITE_DIR WIBZ3D_DEMO DEMO... -- every demo played in the page
// (?play=NAME&exit-at-end) ends in the state the native player's --dump-state writes. Shipped
// demos are in the page's data; the test replays are written into the page's file system
// before the game starts, where the page looks for demos. The page's clock is the test's,
// and each frame is let in a second after the one before, as after a tab hidden for a
// second: the game runs no more than the catch-up limit of ten steps a frame, so game time
// does not jump, and a long demo plays in a tenth of its frames, on a small canvas.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serveSite, startBrowser, openPage, withDemoFile, waitForStart } = require('./browser');

const [site, demoPlayer, ...demos] = process.argv.slice(2);

function nativeEndState(demo) {
  const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'wibz3d-dump-')), 'end.txt');
  execFileSync(demoPlayer, [demo, '--dump-state', out], { stdio: ['ignore', 'ignore', 'inherit'] });
  const text = fs.readFileSync(out, 'utf8');
  fs.rmSync(path.dirname(out), { recursive: true });
  return text;
}

// Lets the page draw a frame a second of its time after the last, until the game has left
// or shown a message; with the frames it took.
async function playToTheEnd(page) {
  const ended = () => page.evaluate(() => ({ status: wibz.exitStatus, endState: wibz.endState,
                                            message: wibz.message }));
  for (let frames = 0; ; frames += 1) {
    if (frames % 25 === 0) {
      const end = await ended();
      if (end.status !== null || end.message !== null) return { ...end, frames };
    }
    await page.clock.fastForward(1000);
  }
}

// The steps a demo's game ran: the number on its end line.
const demoSteps = text => Number(text.trim().split('\n').pop().split(' ')[0]) - 1;

test('every demo ends in the page as it ends natively', async () => {
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    for (const demo of demos) {
      const name = path.basename(demo, '.demo');
      const shipped = fs.existsSync(path.join(site, '..', 'data', 'demos', name + '.demo'));
      const setUp = shipped ? null : withDemoFile(name, fs.readFileSync(demo, 'utf8'));
      const { page, errors } = await openPage(
        browser, `${server.url}?play=${name}&exit-at-end&no-sound&window=8x6`, setUp,
        { stoppedClock: true });
      await waitForStart(page);
      const end = await playToTheEnd(page);
      assert.strictEqual(end.message, null, `${name}: ${end.message}`);
      assert.strictEqual(end.status, 0, `${name}: exit status`);
      assert.strictEqual(end.endState, nativeEndState(demo), `${name}: end state`);
      const steps = demoSteps(fs.readFileSync(demo, 'utf8'));
      assert.ok(end.frames >= Math.floor(steps / 10),
                `${name}: ${steps} steps in ${end.frames} frames a second apart`);
      assert.deepStrictEqual(errors, [], `${name}: console errors`);
      await page.close();
    }
  } finally {
    await browser.close();
    server.close();
  }
});
