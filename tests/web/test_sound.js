// test_sound.js SITE_DIR -- the page's sound, listened to at its output: the browser holds it
// until the player's first key, and the page says so; the key starts it, and then a shot
// is heard; the mute key silences the next shot and brings the sound back; ?volume=25
// plays it at a quarter of its level. A tap between emscripten's OpenAL and the speakers
// measures every block the page plays. The page's clock is the test's (playwright's fake
// timers), so the game runs only the steps the test lets it: no stone comes in to make a
// sound of its own.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { serveSite, startBrowser, openPage, waitForStart } = require('./browser');

const [site] = process.argv.slice(2);

// Everything connected to the speakers goes through one tap per context: an audio worklet,
// run on the audio thread, that hands every block's first frame, loudest sample
// and energy to the page by message, so a busy page loses none of them. Sound made before
// the tap's module is loaded would pass unheard: the test waits for tap.ready before any sound. Chromium's
// autoplay policy lets some fresh pages' sound start before any key, by its own judgement:
// here every context starts held, as a browser that waits for the player's gesture holds it.
function tapTheSpeakers() {
  const worklet = `registerProcessor('wibz-tap', class extends AudioWorkletProcessor {
    constructor() { super(); this.frames = 0; this.peak = 0; this.energy = 0; this.blockStart = 0; }
    process(inputs, outputs) {
      const input = inputs[0];
      const length = outputs[0][0].length;
      for (let c = 0; c < input.length; ++c) {
        for (const sample of input[c]) {
          this.peak = Math.max(this.peak, Math.abs(sample));
          this.energy += sample * sample;
        }
        outputs[0][c].set(input[c]);
      }
      this.frames += length;
      if (this.frames - this.blockStart >= 1024) {
        this.port.postMessage([this.blockStart, this.peak, this.energy, this.frames]);
        this.blockStart = this.frames;
        this.peak = 0;
        this.energy = 0;
      }
      return true;
    }
  });`;
  const workletUrl = URL.createObjectURL(new Blob([worklet], { type: 'text/javascript' }));
  const Context = window.AudioContext;
  window.AudioContext = class extends Context {
    constructor(...options) {
      super(...options);
      this.suspend();
    }
  };
  window.tap = { frames: 0, rate: 0, blocks: [], ready: false };
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function(target, ...rest) {
    if (!(target instanceof AudioDestinationNode)) return connect.call(this, target, ...rest);
    const context = target.context;
    if (!context.wibzTap) {
      const hub = context.createGain();
      context.wibzTap = hub;
      window.tap.rate = context.sampleRate;
      context.audioWorklet.addModule(workletUrl).then(() => {
        const node = new AudioWorkletNode(context, 'wibz-tap', { outputChannelCount: [2] });
        node.port.onmessage = event => {
          const [first, peak, energy, frames] = event.data;
          window.tap.blocks.push([first, peak, energy]);
          window.tap.frames = frames;
        };
        connect.call(hub, node);
        connect.call(node, target);
        window.tap.ready = true;
      });
    }
    return connect.call(this, context.wibzTap, ...rest);
  };
}

const loudestSince = (page, frame) =>
  page.evaluate(from => Math.max(0, ...tap.blocks.filter(b => b[0] >= from).map(b => b[1])), frame);
// The square root of the energy played since frame: a level that does not depend, as a
// peak does, on where the shot's samples fall between the output's.
const levelSince = (page, frame) =>
  page.evaluate(from => Math.sqrt(tap.blocks.filter(b => b[0] >= from)
                                      .reduce((sum, b) => sum + b[2], 0)), frame);
const framesPlayed = page => page.evaluate(() => tap.frames);
const shotsFired = page => page.evaluate(() => (wibz.events().match(/ shot-fired /g) || []).length);

// Real time for the audio to play secondsOfSound more, while the game's clock stands still.
async function listen(page, secondsOfSound) {
  const from = await framesPlayed(page);
  await page.waitForFunction(([start, seconds]) => tap.frames >= start + seconds * tap.rate,
                             [from, secondsOfSound], { polling: 50, timeout: 30000 });
  return from;
}

// The first key press lets the page's sound start (q: a key the game does not use); the
// sound is running once the speakers have played a tenth of a second. A shot fired with
// the sound held would start as the browser resumes it, at a moment of its choosing.
async function startTheSound(page) {
  await page.keyboard.press('q');
  await page.clock.runFor(50);
  await listen(page, 0.1);
}

// Space, and the game's clock run on only until the shot is fired: with no frame drawn
// while it sounds, the listener stands still, and the shot sounds the same however the
// page's real time falls between its frames.
async function fire(page) {
  const before = await shotsFired(page);
  await page.keyboard.press('Space');
  for (let frame = 0; frame < 50 && await shotsFired(page) === before; ++frame) {
    await page.clock.runFor(10);
  }
  assert.strictEqual(await shotsFired(page), before + 1, 'Space fires one shot');
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
    await page.waitForFunction(() => tap.ready, null, { polling: 50, timeout: 30000 });
    assert.match(await soundNotice(page), /^Press a key or click the game to hear it\.$/);
    assert.strictEqual(await framesPlayed(page), 0, 'nothing played before a key');

    // A key the game does not use: the browser lets the page's sound start, and all is quiet.
    await startTheSound(page);
    assert.strictEqual(await soundNotice(page), '', 'the page no longer asks for a key');
    assert.strictEqual(await loudestSince(page, 0), 0, 'nothing sounds before a shot');

    // Space: the craft fires, and the shot is heard.
    const shotFrom = await framesPlayed(page);
    await fire(page);
    await listen(page, 0.5);
    const shot = await loudestSince(page, shotFrom);
    const shotLevel = await levelSince(page, shotFrom);
    assert.ok(shot > 0.05, `the shot is heard: peak ${shot}`);
    // Nothing else could have made a sound: the shot is the game's only sounding event.
    const events = await page.evaluate(() => wibz.events());
    assert.match(events, /^\d+ shot-fired [^\n]*\n$/, events);

    // Muted, a second shot is silent.
    await page.keyboard.press('m');
    await page.clock.runFor(50);
    await listen(page, 0.5); // the first shot's sound is long over
    const mutedFrom = await framesPlayed(page);
    await fire(page);
    await listen(page, 0.5);
    assert.strictEqual(await loudestSince(page, mutedFrom), 0, 'muted, nothing is heard');

    // The mute key again: the third shot is heard as the first was.
    await page.keyboard.press('m');
    await page.clock.runFor(50);
    const unmutedFrom = await framesPlayed(page);
    await fire(page);
    await listen(page, 0.5);
    const again = await loudestSince(page, unmutedFrom);
    assert.ok(again > 0.05, `unmuted, the shot is heard again: peak ${again}`);
    assert.deepStrictEqual(errors, []);

    // At a quarter of the volume the same first shot, from the same place, plays at a quarter
    // of the level.
    const quiet = await openPage(browser, `${server.url}?volume=25`, tapTheSpeakers,
                                 { stoppedClock: true });
    await waitForStart(quiet.page);
    await quiet.page.clock.runFor(100);
    await quiet.page.waitForFunction(() => tap.ready, null, { polling: 50, timeout: 30000 });
    await startTheSound(quiet.page);
    const quietFrom = await framesPlayed(quiet.page);
    await fire(quiet.page);
    await listen(quiet.page, 0.5);
    const ratio = (await levelSince(quiet.page, quietFrom)) / shotLevel;
    assert.ok(ratio > 0.2 && ratio < 0.3, `?volume=25 plays the shot at ${ratio} of its level`);
  } finally {
    await browser.close();
    server.close();
  }
});
