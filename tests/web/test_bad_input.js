// test_bad_input.js SITE_DIR -- what the page does when the game cannot start: a demo name
// the page does not have, the packed data missing from the host, a browser without WebGL.
// Each gives one message on the page, and the page waits for nothing more.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { serveSite, startBrowser, openPage, waitForEnd } = require('./browser');

const [site] = process.argv.slice(2);

// The message, once shown: the game's canvas is gone and nothing else is shown after it.
async function messageOf(page) {
  const end = await waitForEnd(page, 60000);
  assert.notStrictEqual(end.message, null, 'a message on the page');
  const shown = await page.evaluate(() => ({
    text: document.getElementById('message').textContent,
    visible: getComputedStyle(document.getElementById('message')).display !== 'none',
    canvas: getComputedStyle(document.getElementById('canvas')).display,
  }));
  assert.strictEqual(shown.text, end.message);
  assert.ok(shown.visible, 'the message is visible');
  assert.strictEqual(shown.canvas, 'none', 'no empty canvas beside it');
  return end.message;
}

test('a bad demo name, missing data and no WebGL each give their message', async (t) => {
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    await t.test('a demo the page does not have', async () => {
      const { page, lines } = await openPage(browser, `${server.url}?play=no-such-demo`);
      const message = await messageOf(page);
      assert.match(message, /There is no demo called "no-such-demo"\. The demos are: beam, hunt-to-the-end, orbit\./);
      // The desktop game's own line, in the console.
      assert.ok(lines.includes('wibz3d: demos/no-such-demo.demo: cannot open the demo: No such file or directory'),
                lines.join('\n'));
      await page.close();
    });
    await t.test('the packed data missing from the host', async () => {
      const page = await browser.context.newPage();
      await page.route('**/wibz3d.data', route => route.fulfill({ status: 404, body: 'not found' }));
      await page.goto(server.url);
      assert.match(await messageOf(page), /The game's data \(wibz3d\.data\) could not be loaded/);
      await page.close();
    });
    await t.test('a browser that gives the page no WebGL', async () => {
      const noWebGl = () => {
        const getContext = HTMLCanvasElement.prototype.getContext;
        HTMLCanvasElement.prototype.getContext = function(kind, ...rest) {
          return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest);
        };
      };
      const { page } = await openPage(browser, server.url, noWebGl);
      assert.match(await messageOf(page), /This browser gives the page no WebGL/);
      await page.close();
    });
  } finally {
    await browser.close();
    server.close();
  }
});
