// web_timings.js SITE_DIR DEMO_FILE STARTS -- the page's own figures, in Debian's headless
// Chromium on SwiftShader (scripts/measure_web.sh prints them beside the desktop's): the
// time from opening the page to its first frame, over STARTS fresh starts (a new profile
// each, so nothing is cached), and the timedemo of DEMO_FILE at 400x300 without sound. The
// demo is put into the page's file system before the game starts, beside the page's own.
'use strict';
const fs = require('fs');
const path = require('path');
const web = path.join(__dirname, '..', 'tests', 'web');
const { serveSite, startBrowser, openPage, withDemoFile, waitForEnd } =
  require(path.join(web, 'browser'));

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function firstFrameMilliseconds(url) {
  const browser = await startBrowser();
  try {
    const { page } = await openPage(browser, url);
    await page.waitForFunction(() => window.wibz && wibz.firstFrame, null, { timeout: 60000 });
    return await page.evaluate(() => wibz.firstFrameMilliseconds);
  } finally {
    await browser.close();
  }
}

async function timedemo(url, demoFile) {
  const name = 'timed-' + path.basename(demoFile, '.demo'); // beside the page's own demos
  const browser = await startBrowser();
  try {
    const { page, lines } = await openPage(browser, `${url}?timedemo=${name}&window=400x300&no-sound`,
                                           withDemoFile(name, fs.readFileSync(demoFile, 'utf8')));
    const end = await waitForEnd(page, 3600000);
    if (end.message !== null) throw new Error(end.message);
    return lines.find(line => /^timedemo: /.test(line));
  } finally {
    await browser.close();
  }
}

async function main([site, demoFile, starts]) {
  const server = await serveSite(site);
  try {
    const times = [];
    for (let i = 0; i < Number(starts); ++i) times.push(await firstFrameMilliseconds(server.url));
    console.log(`page start to first frame: median ${median(times).toFixed(0)} ms, ` +
                `min ${Math.min(...times).toFixed(0)}, max ${Math.max(...times).toFixed(0)} ` +
                `(${times.length} starts)`);
    console.log(`browser (Chromium, SwiftShader) ${await timedemo(server.url, demoFile)}`);
  } finally {
    server.close();
  }
}

main(process.argv.slice(2)).then(() => process.exit(0),
                                 error => { console.error(String(error)); process.exit(1); });
