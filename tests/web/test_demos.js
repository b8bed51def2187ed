// test_demos.js SITE_DIR WIBZ3D_DEMO DEMO... -- every demo timed in the page
// (?timedemo=NAME) ends in the state the native player's --dump-state writes. Shipped demos
// are in the page's data; the test replays are written into the page's file system before
// the game starts, where the page looks for demos.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serveSite, startBrowser, openPage, waitForEnd } = require('./browser');

const [site, demoPlayer, ...demos] = process.argv.slice(2);

function nativeEndState(demo) {
  const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'wibz3d-dump-')), 'end.txt');
  execFileSync(demoPlayer, [demo, '--dump-state', out], { stdio: ['ignore', 'ignore', 'inherit'] });
  const text = fs.readFileSync(out, 'utf8');
  fs.rmSync(path.dirname(out), { recursive: true });
  return text;
}

// Puts a demo file into the page's file system as it starts, beside the shipped ones.
function withDemoFile(name, text) {
  return `window.Module = window.Module || {};
    addEventListener('DOMContentLoaded', () => {
      Module.preRun = [].concat(Module.preRun || [], () => {
        FS.mkdirTree('/data/demos');
        FS.writeFile('/data/demos/' + ${JSON.stringify(name)} + '.demo', ${JSON.stringify(text)});
      });
    });`;
}

test('every demo ends in the page as it ends natively', async () => {
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    for (const demo of demos) {
      const name = path.basename(demo, '.demo');
      const shipped = fs.existsSync(path.join(site, '..', 'data', 'demos', name + '.demo'));
      const setUp = shipped ? null : withDemoFile(name, fs.readFileSync(demo, 'utf8'));
      const { page, errors } = await openPage(browser, `${server.url}?timedemo=${name}`, setUp);
      const end = await waitForEnd(page, 240000);
      assert.strictEqual(end.message, null, `${name}: ${end.message}`);
      assert.strictEqual(end.status, 0, `${name}: exit status`);
      assert.strictEqual(end.endState, nativeEndState(demo), `${name}: end state`);
      assert.deepStrictEqual(errors, [], `${name}: console errors`);
      await page.close();
    }
  } finally {
    await browser.close();
    server.close();
  }
});
