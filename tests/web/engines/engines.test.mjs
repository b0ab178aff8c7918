// The page's main paths in both browsers, Chromium and Firefox ESR, through
// one driver (support/engines.mjs): the start question answered in the
// page's own box, the scene drawn and its frame readable from the canvas as
// "Save image as..." reads it, fullscreen from the click on Yes, the browser
// leaving fullscreen by itself (as Firefox does on Escape) and one F1 going
// back, and Escape ending the run.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { engineMissing, launchEngine } from '../support/engines.mjs';
import { serveFolder } from '../support/page.mjs';

const pageDir = process.env.QUELLOR_WEB_PAGE_DIR ||
  path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../../build/web');
const kEscapeStatus = 27;
const kWait = { polling: 20, timeout: 30000 };

for (const engine of ['chromium', 'firefox']) {
  const skip = !fs.existsSync(path.join(pageDir, 'quellor.wasm'))
    ? `${pageDir} has no page: build the web preset` : engineMissing(engine);

  describe(engine, { skip }, () => {
    let session, server;
    before(async () => {
      server = await serveFolder(pageDir);
      session = await launchEngine(engine);
    });
    after(async () => {
      await session?.close();
      await server?.close();
    });

    // A fresh page, loaded and ready for Start; errors on it are kept.
    async function openPage(t) {
      const context = await session.browser.createBrowserContext();
      t.after(() => context.close());
      const page = await context.newPage();
      const errors = [];
      page.on('pageerror', (error) => errors.push(error.message));
      await page.evaluateOnNewDocument(() => {
        window.quellorFrames = 0;
        const request = window.requestAnimationFrame.bind(window);
        window.requestAnimationFrame = (callback) => {
          window.quellorFrames += 1;
          return request(callback);
        };
      });
      await page.goto(server.url + 'quellor.html');
      await page.waitForFunction(() => !document.getElementById('start').disabled, kWait);
      return { page, errors };
    }

    const framesFrom = async (page, count) => {
      const from = await page.evaluate(() => window.quellorFrames);
      await page.waitForFunction((until) => window.quellorFrames >= until, kWait, from + count);
    };

    // Start, and the start question answered with a click on its first
    // (Yes) or last (No) button.
    async function start(page, yes) {
      await page.click('#start');
      await page.waitForSelector('#box[open]', kWait);
      await page.click(`#box-buttons button:${yes ? 'first' : 'last'}-child`);
      await framesFrom(page, 5);
    }

    const state = (page) => page.evaluate(() => ({
      fullscreen: document.fullscreenElement === document.getElementById('canvas'),
      cursor: document.getElementById('canvas').style.cursor,
    }));

    async function endWithEscape(page) {
      await page.keyboard.down('Escape');
      try {
        await page.waitForFunction(
          () => document.getElementById('status').dataset.exitStatus !== undefined, kWait);
      } finally {
        await page.keyboard.up('Escape');
      }
      return Number(await page.$eval('#status', (status) => status.dataset.exitStatus));
    }

    // The canvas read as the browser saves it, between the program's frames:
    // how many distinct colours it has (a blank canvas has one).
    const savedColours = (page) => page.evaluate(async () => {
      const image = new Image();
      image.src = document.getElementById('canvas').toDataURL('image/png');
      await image.decode();
      const copy = document.createElement('canvas');
      copy.width = image.width;
      copy.height = image.height;
      const context = copy.getContext('2d');
      context.drawImage(image, 0, 0);
      const bytes = context.getImageData(0, 0, copy.width, copy.height).data;
      const colours = new Set();
      for (let i = 0; i < bytes.length; i += 4)
        colours.add((bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2]);
      return colours.size;
    });

    test('No: the scene, saved as shown; Escape ends with 27', async (t) => {
      const { page, errors } = await openPage(t);
      await start(page, false);
      assert.deepEqual(await state(page), { fullscreen: false, cursor: 'auto' });
      await framesFrom(page, 5);
      const colours = await savedColours(page);
      assert.ok(colours > 2000, `the saved picture is the textured scene: ${colours} colours`);
      assert.equal(await endWithEscape(page), kEscapeStatus);
      assert.deepEqual(errors, []);
    });

    test('Yes: fullscreen; left by the browser: windowed; one F1 goes back', async (t) => {
      const { page, errors } = await openPage(t);
      await start(page, true);
      assert.deepEqual(await state(page), { fullscreen: true, cursor: 'none' });

      await page.evaluate(() => document.exitFullscreen());
      await page.waitForFunction(
        () => document.getElementById('canvas').style.cursor === 'auto', kWait);
      await framesFrom(page, 5);
      assert.deepEqual(await state(page), { fullscreen: false, cursor: 'auto' });
      assert.match(await page.$eval('#status', (status) => status.textContent), /Esc now ends it/);

      await page.keyboard.down('F1');
      try {
        await page.waitForFunction(() => document.fullscreenElement !== null, kWait);
      } finally {
        await page.keyboard.up('F1');
      }
      await framesFrom(page, 5);
      assert.deepEqual(await state(page), { fullscreen: true, cursor: 'none' });
      await page.evaluate(() => document.exitFullscreen());
      await page.waitForFunction(
        () => document.getElementById('canvas').style.cursor === 'auto', kWait);
      assert.equal(await endWithEscape(page), kEscapeStatus);
      assert.deepEqual(errors, []);
    });
  });
}
