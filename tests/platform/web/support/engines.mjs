// Both browsers through one driver, puppeteer-core: Debian's Chromium over
// the DevTools protocol, headless as the other checks run it, and Debian's
// Firefox ESR over WebDriver BiDi. Firefox has WebGL only with a display, so
// it runs headful on an Xvfb server of its own (unless QUELLOR_FIREFOX_DISPLAY
// names one), as Chromium does when a check needs real X input. Neither
// browser is downloaded.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import puppeteer from 'puppeteer-core';

export const kEngines = {
  chromium: process.env.QUELLOR_CHROMIUM || '/usr/bin/chromium',
  firefox: process.env.QUELLOR_FIREFOX || '/usr/bin/firefox-esr',
};

// What pages are shown at unless a test sets its own viewport.
const kViewport = { width: 1280, height: 720 };

const kChromiumArgs = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
];

// Why `engine` cannot run here (headful: on X), or false.
export function engineMissing(engine, { headful = false } = {}) {
  if (!fs.existsSync(kEngines[engine])) return `${kEngines[engine]} is missing: run scripts/setup`;
  if ((engine === 'firefox' || headful) && !process.env.QUELLOR_FIREFOX_DISPLAY &&
      !fs.existsSync('/usr/bin/Xvfb'))
    return 'Xvfb is missing: run scripts/setup';
  return false;
}

// An X server of its own; resolves to { display, close() } once it takes
// clients (Xvfb writes its display number to -displayfd when ready).
export function startXvfb() {
  return new Promise((resolve, reject) => {
    const server = spawn('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
      { stdio: ['ignore', 'pipe', 'ignore'] });
    let text = '';
    server.on('error', reject);
    server.on('exit', (code) => reject(new Error(`Xvfb ended with ${code} before it was ready`)));
    server.stdout.on('data', (chunk) => {
      text += chunk;
      if (!text.includes('\n')) return;
      server.removeAllListeners('exit');
      resolve({
        display: `:${text.trim()}`,
        close: () => new Promise((done) => {
          if (server.exitCode !== null) { done(); return; }
          server.once('exit', done);
          server.kill();
        }),
      });
    });
  });
}

// Resolves to { browser, engine, display, close() }. Chromium runs headless
// unless `headful`, which puts it on an Xvfb of its own too (for real X input).
export async function launchEngine(engine, { headful = false } = {}) {
  const onX = engine === 'firefox' || headful;
  const xvfb = onX && !process.env.QUELLOR_FIREFOX_DISPLAY ? await startXvfb() : null;
  const display = onX ? process.env.QUELLOR_FIREFOX_DISPLAY || xvfb.display : null;
  try {
    const browser = engine === 'chromium'
      ? await puppeteer.launch({
        browser: 'chrome', executablePath: kEngines.chromium, headless: !headful,
        defaultViewport: kViewport,
        args: [...kChromiumArgs, ...(headful ? ['--window-position=0,0', '--window-size=1280,1024'] : [])],
        env: display ? { ...process.env, DISPLAY: display } : process.env,
      })
      : await puppeteer.launch({
        browser: 'firefox', executablePath: kEngines.firefox, headless: false,
        defaultViewport: kViewport,
        env: { ...process.env, DISPLAY: display },
        extraPrefsFirefox: { 'browser.shell.checkDefaultBrowser': false },
      });
    return {
      browser, engine, display,
      async close() {
        await browser.close();
        await xvfb?.close();
      },
    };
  } catch (error) {
    await xvfb?.close();
    throw error;
  }
}
