// web_frames.js SITE_DIR OUT_DIR DEMO FRAMES [SHIFT] -- the page's own pictures of a shipped
// demo at the steps scripts/compare_frames.sh takes the desktop's: the page plays
// ?timedemo=DEMO at 400x300 in Debian's headless Chromium (SwiftShader), one step drawn whole
// a frame, and after each frame whose number (from 1) is in FRAMES (comma-separated) its
// canvas is read back; each is written to OUT_DIR/frameNNNNN.ppm, the top row first, NNNNN
// the frame's number plus SHIFT (0 when not given).
'use strict';
const fs = require('fs');
const path = require('path');
const web = path.join(__dirname, '..', 'tests', 'web');
const { serveSite, startBrowser, openPage } = require(path.join(web, 'browser'));

// Emscripten calls Module.postMainLoop after each frame: the wanted ones are copied then,
// while the canvas still holds them.
function grabFrames(wanted) {
  const frames = new Set(wanted);
  window.grabbed = {};
  window.framesDrawn = 0;
  let module;
  Object.defineProperty(window, 'Module', {
    configurable: true,
    get: () => module,
    set: value => {
      module = value;
      value.postMainLoop = () => {
        window.framesDrawn += 1;
        if (!frames.has(window.framesDrawn)) return;
        const canvas = document.getElementById('canvas');
        const copy = document.createElement('canvas');
        copy.width = canvas.width;
        copy.height = canvas.height;
        const context = copy.getContext('2d');
        context.drawImage(canvas, 0, 0);
        const rgba = context.getImageData(0, 0, copy.width, copy.height).data;
        const rgb = new Uint8Array(copy.width * copy.height * 3);
        for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) rgb.set(rgba.subarray(i, i + 3), j);
        window.grabbed[window.framesDrawn] = { width: copy.width, height: copy.height, rgb };
      };
    },
  });
}

async function main([site, outDir, demo, list, shift = '0']) {
  const wanted = list.split(',').map(Number);
  const server = await serveSite(site);
  const browser = await startBrowser();
  try {
    const { page } = await openPage(browser, `${server.url}?timedemo=${demo}&window=400x300&no-sound`,
                                    `(${grabFrames})(${JSON.stringify(wanted)})`);
    const last = Math.max(...wanted);
    await page.waitForFunction(n => window.framesDrawn >= n || (window.wibz && wibz.exitStatus !== null),
                               last, { timeout: 3600000, polling: 500 });
    fs.mkdirSync(outDir, { recursive: true });
    for (const frame of wanted) {
      const picture = await page.evaluate(n => {
        const g = window.grabbed[n];
        if (!g) return null;
        let text = '';
        for (let i = 0; i < g.rgb.length; i += 32768) text += String.fromCharCode(...g.rgb.subarray(i, i + 32768));
        return { width: g.width, height: g.height, base64: btoa(text) };
      }, frame);
      if (picture === null) throw new Error(`frame ${frame} was not drawn`);
      const number = frame + Number(shift);
      const name = path.join(outDir, 'frame' + String(100000 + number).slice(1) + '.ppm');
      fs.writeFileSync(name, Buffer.concat([Buffer.from(`P6\n${picture.width} ${picture.height}\n255\n`),
                                            Buffer.from(picture.base64, 'base64')]));
    }
  } finally {
    await browser.close();
    server.close();
  }
}

main(process.argv.slice(2)).then(() => process.exit(0),
                                 error => { console.error(String(error)); process.exit(1); });
