// test_sound.js SITE_DIR -- the page's sound, listened to at its output: the browser holds it
// until the player's first key, and the page says so; the key starts it and the shot it
// fires is heard; the mute key silences the next shot and brings the sound back; ?volume=25
// plays it at a quarter of its level. A tap between emscripten's OpenAL and the speakers
// measures every block the page plays. The page's clock is the test's (playwright's fake
// timers), so the game runs only the steps the test lets it: no stone comes in to make a
// sound of its own.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { serveSite, startBrowser, openPage, waitForStart } = require('./browser');

const [site] = process.argv.slice(2);

// Everything connected to the speakers goes through one processor per context, which keeps
// each block's first frame and loudest sample. Chromium's autoplay policy lets some fresh
// pages' sound start before any key, by its own judgement: here every context starts held,
// as a browser that waits for the player's gesture holds it.
function tapTheSpeakers() {
  const Context = window.AudioContext;
  window.AudioContext = class extends Context {
    constructor(...options) {
      super(...options);
      this.suspend();
    }
  };
  window.tap = { frames: 0, rate: 0, blocks: [] };
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function(target, ...rest) {
    if (!(target instanceof AudioDestinationNode)) return connect.call(this, target, ...rest);
    const context = target.context;
    if (!context.wibzTap) {
      const node = context.createScriptProcessor(1024, 2, 2);
      node.onaudioprocess = event => {
        let peak = 0;
        for (let c = 0; c < event.inputBuffer.numberOfChannels; ++c) {
          const samples = event.inputBuffer.getChannelData(c);
          for (const sample of samples) peak = Math.max(peak, Math.abs(sample));
          event.outputBuffer.getChannelData(c).set(samples);
        }
        window.tap.blocks.push([window.tap.frames, peak]);
        window.tap.frames += event.inputBuffer.length;
      };
      window.tap.rate = context.sampleRate;
      connect.call(node, target);
      context.wibzTap = node;
    }
    return connect.call(this, context.wibzTap, ...rest);
  };
}

const loudestSince = (page, frame) =>
  page.evaluate(from => Math.max(0, ...tap.blocks.filter(b => b[0] >= from).map(b => b[1])), frame);
const framesPlayed = page => page.evaluate(() => tap.frames);
const shotsFired = page => page.evaluate(() => (wibz.events().match(/ shot-fired /g) || []).length);

// Real time for the audio to play secondsOfSound more, while the game's clock stands still.
async function listen(page, secondsOfSound) {
  const from = await framesPlayed(page);
  await page.waitForFunction(([start, seconds]) => tap.frames >= start + seconds * tap.rate,
                             [from, secondsOfSound], { polling: 50, timeout: 30000 });
  return from;
}

const soundNotice = page => page.evaluate(() => document.getElementById('status').textContent);

test('a key press starts the page\'s sound, a shot is heard, and the mute key works', async () => {
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    const { page, errors } = await openPage(browser, server.url, tapTheSpeakers,
                                            { stoppedClock: true });
    await waitForStart(page);
    await page.clock.runFor(100); // the first frames: the sound device opens after the first
    assert.match(await soundNotice(page), /^Press a key or click the game to hear it\.$/);
    assert.strictEqual(await framesPlayed(page), 0, 'nothing played before a key');

    // Space: the browser lets the page's sound start, and the craft fires.
    await page.keyboard.press('Space');
    await page.clock.runFor(200);
    assert.strictEqual(await shotsFired(page), 1);
    await listen(page, 0.5);
    const shot = await loudestSince(page, 0);
    assert.ok(shot > 0.05, `the shot is heard: peak ${shot}`);
    assert.strictEqual(await soundNotice(page), '', 'the page no longer asks for a key');
    // Nothing else could have made a sound: the shot is the game's only sounding event.
    const events = await page.evaluate(() => wibz.events());
    assert.match(events, /^\d+ shot-fired [^\n]*\n$/, events);

    // Muted, a second shot is silent.
    await page.keyboard.press('m');
    await page.clock.runFor(50);
    await listen(page, 0.5); // the first shot's sound is long over
    const mutedFrom = await framesPlayed(page);
    await page.keyboard.press('Space');
    await page.clock.runFor(200);
    assert.strictEqual(await shotsFired(page), 2);
    await listen(page, 0.5);
    assert.strictEqual(await loudestSince(page, mutedFrom), 0, 'muted, nothing is heard');

    // The mute key again: the third shot is heard as the first was.
    await page.keyboard.press('m');
    await page.clock.runFor(50);
    const unmutedFrom = await framesPlayed(page);
    await page.keyboard.press('Space');
    await page.clock.runFor(200);
    assert.strictEqual(await shotsFired(page), 3);
    await listen(page, 0.5);
    const again = await loudestSince(page, unmutedFrom);
    assert.ok(again > 0.05, `unmuted, the shot is heard again: peak ${again}`);
    assert.deepStrictEqual(errors.filter(e => !/ScriptProcessorNode/.test(e)), []);

    // At a quarter of the volume the same first shot, from the same place, peaks at a quarter.
    const quiet = await openPage(browser, `${server.url}?volume=25`, tapTheSpeakers,
                                 { stoppedClock: true });
    await waitForStart(quiet.page);
    await quiet.page.clock.runFor(100);
    await quiet.page.keyboard.press('Space');
    await quiet.page.clock.runFor(200);
    assert.strictEqual(await shotsFired(quiet.page), 1);
    await listen(quiet.page, 0.5);
    const ratio = (await loudestSince(quiet.page, 0)) / shot;
    assert.ok(ratio > 0.2 && ratio < 0.3, `?volume=25 plays the shot at ${ratio} of its level`);
  } finally {
    await browser.close();
    server.close();
  }
});
