// web_screenshot.js URL OUT.png -- opens the page in Debian's headless Chromium (through the
// tests' playwright-core), lets the game play two seconds after its first frame, and saves a
// picture of the page; prints the game's console lines to standard output as it goes, and
// the page's message, if it shows one, to standard error. ./play --web uses it without a
// display.
'use strict';
const path = require('path');
const { startBrowser } = require(path.join(__dirname, '..', 'tests', 'web', 'browser'));

async function main([url, out]) {
  const browser = await startBrowser();
  try {
    const page = await browser.context.newPage();
    page.on('console', message => console.log(message.text()));
    await page.goto(url);
    await page.waitForFunction(() => window.wibz && (wibz.firstFrame || wibz.message !== null),
                               null, { timeout: 60000 });
    const message = await page.evaluate(() => wibz.message);
    if (message === null) await page.waitForTimeout(2000);
    await page.screenshot({ path: out });
    if (message !== null) {
      console.error('The page says: ' + message);
      return 1;
    }
    return 0;
  } finally {
    await browser.close();
  }
}

main(process.argv.slice(2)).then(status => process.exit(status),
                                 error => { console.error(String(error)); process.exit(1); });
