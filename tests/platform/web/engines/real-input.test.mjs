// Keys that browsers treat specially, typed as a person types them: real X
// key events from xdotool into headful Chromium and Firefox on an Xvfb of
// their own (scripted keys skip the browser's own handling of Escape in
// fullscreen, and its limit on how long a click allows fullscreen).
//   - The start question answered with Enter 6 s after Start: fullscreen.
//   - Escape in fullscreen: Chromium gives it to the page (Keyboard Lock) and
//     the program ends with 27; Firefox leaves fullscreen itself, and the
//     program goes on windowed with the cursor shown, one F1 going back.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { promisify } from 'node:util';

import { engineMissing, launchEngine } from '../support/engines.mjs';
import { serveFolder } from '../support/page.mjs';

const run = promisify(execFile);
const pageDir = process.env.QUELLOR_WEB_PAGE_DIR ||
  path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../../../build/web');
const kWait = { polling: 20, timeout: 30000 };
const kEscapeStatus = 27;

for (const engine of ['chromium', 'firefox']) {
  const skip = !fs.existsSync(path.join(pageDir, 'quellor.wasm'))
    ? `${pageDir} has no page: build the web preset`
    : !fs.existsSync('/usr/bin/xdotool') ? 'xdotool is missing: run scripts/setup'
      : engineMissing(engine, { headful: true });

  describe(`${engine}, real keys`, { skip }, () => {
    let session, server;
    before(async () => {
      server = await serveFolder(pageDir);
      session = await launchEngine(engine, { headful: true });
    });
    after(async () => {
      await session?.close();
      await server?.close();
    });

    // Holds `key` down on the X display, as a keyboard does, into the window
    // under the pointer (Xvfb has no window manager to give focus), until
    // `until` holds on the page: a key let go before the program's next
    // frame would not count, as on the desktop. With `tap`, the key goes
    // down and up at once and then the page is waited for: Firefox leaves
    // fullscreen when Escape goes up.
    const press = async (page, key, until, { tap = false } = {}) => {
      const env = { ...process.env, DISPLAY: session.display };
      await run('xdotool', ['mousemove', '640', '500'], { env });
      await run('xdotool', [tap ? 'key' : 'keydown', key], { env });
      try {
        await page.waitForFunction(until, kWait);
      } catch (error) {
        throw new Error(`${key}: ${error.message}; the page: ${JSON.stringify(await state(page))}`);
      } finally {
        if (!tap) await run('xdotool', ['keyup', key], { env });
      }
    };
    const ended = () => document.getElementById('status').dataset.exitStatus !== undefined;
    const cursorIs = (shown) => new Function(
      `return document.getElementById('canvas').style.cursor === '${shown ? 'auto' : 'none'}';`);

    const state = (page) => page.evaluate(() => ({
      fullscreen: document.fullscreenElement === document.getElementById('canvas'),
      cursor: document.getElementById('canvas').style.cursor,
      exitStatus: document.getElementById('status').dataset.exitStatus,
    }));

    test('Enter 6 s after Start: fullscreen; then Escape', async (t) => {
      const page = await session.browser.newPage();
      t.after(() => page.close());
      const errors = [];
      page.on('pageerror', (error) => errors.push(error.message));
      await page.goto(server.url + 'quellor.html');
      await page.waitForFunction(() => !document.getElementById('start').disabled, kWait);
      await page.click('#start');
      await page.waitForSelector('#box[open]', kWait);
      // A person reading the question: longer than the browser's few seconds.
      await new Promise((resolve) => setTimeout(resolve, 6000));
      await press(page, 'Return', cursorIs(false));
      assert.equal((await state(page)).fullscreen, true, 'fullscreen however late the answer');

      if (engine === 'chromium') {
        await press(page, 'Escape', ended);
        assert.equal(Number((await state(page)).exitStatus), kEscapeStatus);
      } else {
        await press(page, 'Escape', cursorIs(true), { tap: true });
        assert.deepEqual(await state(page), { fullscreen: false, cursor: 'auto', exitStatus: undefined });
        await press(page, 'F1', cursorIs(false));
        assert.equal((await state(page)).fullscreen, true, 'one F1 goes fullscreen');
        await press(page, 'Escape', cursorIs(true), { tap: true });
        await press(page, 'Escape', ended);
        assert.equal(Number((await state(page)).exitStatus), kEscapeStatus);
      }
      await page.waitForFunction(() => document.fullscreenElement === null, kWait);
      assert.deepEqual(errors, []);
    });
  });
}
