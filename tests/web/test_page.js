// test_page.js SITE_DIR -- the page as a player first sees it: it loads with no error in the
// console, prints the desktop's start-up lines, lists the keys beside the canvas, and the
// canvas shows the arena: read back after the first frames, the picture is the mud world
// all round, the grey stone floor in its middle and the HUD's white letters in its corners.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { serveSite, startBrowser, openPage, waitForStart } = require('./browser');

const [site] = process.argv.slice(2);

// Shares of the canvas's pixels, by region and kind, read back through a 2D canvas.
function pictureShares() {
  const canvas = document.getElementById('canvas');
  const copy = document.createElement('canvas');
  copy.width = canvas.width;
  copy.height = canvas.height;
  const context = copy.getContext('2d');
  context.drawImage(canvas, 0, 0);
  const share = (x0, y0, x1, y1, kind) => {
    const { data } = context.getImageData(x0 * copy.width, y0 * copy.height,
                                          (x1 - x0) * copy.width, (y1 - y0) * copy.height);
    let count = 0;
    for (let i = 0; i < data.length; i += 4) count += kind(data[i], data[i + 1], data[i + 2]) ? 1 : 0;
    return count / (data.length / 4);
  };
  const lit = (r, g, b) => r + g + b > 60;
  const mud = (r, g, b) => r > g && g > b && r - b > 30;
  const stone = (r, g, b) => Math.max(r, g, b) - Math.min(r, g, b) < 40 && b >= r && r + g + b > 180;
  const white = (r, g, b) => r > 230 && g > 230 && b > 230;
  return {
    width: canvas.width, height: canvas.height,
    lit: share(0, 0, 1, 1, lit),
    mudBelow: share(0, 0.8, 1, 1, mud),
    stoneInTheMiddle: share(0.3, 0.3, 0.7, 0.6, stone),
    hudTopLeft: share(0, 0, 0.25, 0.1, white),
    hudBottomLeft: share(0, 0.9, 0.35, 1, white),
  };
}

test('the page loads without a console error and its canvas shows the arena', async () => {
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    const { page, lines, errors } = await openPage(browser, server.url, null, { stoppedClock: true });
    await waitForStart(page);
    await page.clock.runFor(1200); // past the frame timer's first line
    assert.ok(await page.evaluate(() => wibz.firstFrame), 'the first frame is drawn');
    const shares = await page.evaluate(pictureShares);
    const seen = JSON.stringify(shares);
    assert.strictEqual(shares.width, 640, seen);
    assert.strictEqual(shares.height, 480, seen);
    assert.ok(shares.lit > 0.95, `the world fills the canvas: ${seen}`);
    assert.ok(shares.mudBelow > 0.8, `mud below the arena: ${seen}`);
    assert.ok(shares.stoneInTheMiddle > 0.2, `the stone floor in the middle: ${seen}`);
    assert.ok(shares.hudTopLeft > 0.01 && shares.hudBottomLeft > 0.02, `the HUD's lines: ${seen}`);

    // The desktop's start-up lines: the thirteen pictures in the table's order, then the
    // lights (which print no line end: the frame timer's line ends it).
    const pictures = ['shadow.png', 'Base.png', 'BG.jpg', 'ship.png', 'stones.png', 'nosort.png',
                      'shot.png', 'twirl.png', 'smoke.png', 'mud.png', 'kombo.png',
                      'gameover.png', 'getready.png'];
    const loaded = lines.filter(line => /^Loaded '/.test(line));
    assert.deepStrictEqual(loaded.map(line => line.match(/^Loaded 'tex\/(.*)' ok \(\d+@2\)$/)[1]),
                           pictures);
    assert.ok(lines.includes('Initializing Lights...'), lines.join('\n'));

    // The keys beside the canvas, from the game's own table.
    const keys = await page.evaluate(() => document.getElementById('key-list').textContent);
    assert.match(keys, /Space +fire the beam/);
    assert.match(keys, /F3 +models as wire lines or solid/);
    assert.match(await page.evaluate(() => document.getElementById('pad-list').textContent),
                 /A \(south\), right trigger +fire the beam/);
    assert.deepStrictEqual(errors, []);
  } finally {
    await browser.close();
    server.close();
  }
});
