// browser.js -- shared by the browser tests: the site served from 127.0.0.1 by a plain static
// server, and Debian's Chromium started headless through playwright-core (never a browser of
// playwright's own), with a fresh profile, on Mesa-free software WebGL (SwiftShader).
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

const chromiumFlags = [
  '--no-sandbox', '--headless', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-gpu-sandbox', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-quic',
];

const contentTypes = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.demo': 'text/plain',
};

// Serves the files of folder, and nothing above it, on a free port of 127.0.0.1.
async function serveSite(folder) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end('not found');
      return;
    }
    response.writeHead(200, { 'Content-Type': contentTypes[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// Chromium with a profile of its own, removed again by close().
async function startBrowser(extraFlags = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'wibz3d-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: chromiumFlags.concat(extraFlags),
    viewport: { width: 1280, height: 800 },
  });
  return {
    context,
    close: async () => {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A page that keeps every console line, as the game printed it, and every page error.
// beforeStart runs in the page before its own script. With stoppedClock the page's timers
// and animation frames are the test's (playwright's fake clock), standing still: the game
// starts (the program and its data load without timers) and waits for its first frame
// until the test runs the clock on, so each check runs a known stretch of game time.
async function openPage(browser, url, beforeStart = null, { stoppedClock = false } = {}) {
  const page = await browser.context.newPage();
  if (stoppedClock) {
    await page.clock.install({ time: 0 });
    await page.clock.pauseAt(1000);
  }
  const lines = [];
  const errors = [];
  page.on('console', message => {
    lines.push(message.text());
    if (message.type() === 'error') errors.push(message.text());
  });
  page.on('pageerror', error => errors.push(String(error)));
  if (beforeStart) await page.addInitScript(beforeStart);
  await page.goto(url);
  return { page, lines, errors };
}

// Waits for the game to end (a timedemo, --exit-at-end, Escape) or to show its message.
async function waitForEnd(page, timeoutMs) {
  await page.waitForFunction(() => window.wibz && (window.wibz.exitStatus !== null ||
                                                    window.wibz.message !== null),
                             null, { timeout: timeoutMs, polling: 100 });
  return page.evaluate(() => ({ status: wibz.exitStatus, endState: wibz.endState,
                                message: wibz.message }));
}

// Waits, in real time, for the game's start-up (main) to have run.
async function waitForStart(page) {
  await page.waitForFunction(() => typeof Module !== 'undefined' && Module.calledRun === true,
                             null, { polling: 50, timeout: 60000 });
}

// Waits for a console line the page printed (or has printed already) that matches.
async function waitForLine(lines, pattern, timeoutMs = 30000) {
  const deadline = Date.now() + timeoutMs;
  while (!lines.some(line => pattern.test(line))) {
    if (Date.now() > deadline) throw new Error(`no console line matching ${pattern}:\n${lines.join('\n')}`);
    await new Promise(resolve => setTimeout(resolve, 50));
  }
}

// Puts a demo file into the page's file system before the game starts, beside the shipped
// ones: a step of its own in emscripten's preRun list, on the Module the page makes. For
// openPage's beforeStart.
function withDemoFile(name, text) {
  return `(() => {
    let module;
    Object.defineProperty(window, 'Module', {
      configurable: true,
      get: () => module,
      set: value => {
        module = value;
        if (value.demoFileAdded) return;
        value.demoFileAdded = true;
        value.preRun = [].concat(value.preRun || [], () => {
          FS.mkdirTree('/data/demos');
          FS.writeFile('/data/demos/' + ${JSON.stringify(name)} + '.demo', ${JSON.stringify(text)});
        });
      },
    });
  })();`;
}

module.exports = { serveSite, startBrowser, openPage, withDemoFile, waitForEnd, waitForLine,
                   waitForStart, chromiumFlags };
