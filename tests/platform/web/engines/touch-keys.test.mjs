// The touch keys (Camera, Fullscreen, End) pressed with real input: X
// pointer clicks from xdotool into headful browsers on an Xvfb of their own,
// on a phone-sized page with a touch screen. Chromium's touch emulation makes
// the real clicks touches (the page sees pointerType "touch"); Firefox takes
// them as the mouse's. The program must get the same keys as from a keyboard:
// Camera turns the camera, Fullscreen takes the canvas fullscreen (asked in
// the tap itself), the browser leaving fullscreen (a phone's back gesture)
// brings the program back windowed, and End ends it with Escape's status.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';
import { promisify } from 'node:util';

import { engineMissing, launchEngine } from '../support/engines.mjs';
import { serveFolder } from '../support/page.mjs';
import {
  changedShare, kEscapeStatus, kNoAnswer, loadedPage, pageDir, shootCanvas, statusOf,
  waitForExit, waitForFrames, waitUntil,
} from '../page/session.mjs';

const run = promisify(execFile);

for (const engine of ['chromium', 'firefox']) {
  const skip = !fs.existsSync(`${pageDir}/quellor.wasm`) ? `${pageDir} has no page: build the web preset`
    : !fs.existsSync('/usr/bin/xdotool') ? 'xdotool is missing: run scripts/setup'
      : engineMissing(engine, { headful: true });

  describe(`${engine}, touch keys tapped`, { skip }, () => {
    const session = { engine };
    let launched;
    before(async () => {
      session.server = await serveFolder(pageDir);
      launched = await launchEngine(engine, { headful: true });
      session.browser = launched.browser;
    });
    after(async () => {
      await launched?.close();
      await session.server?.close();
    });

    const xdotool = (...args) => run('xdotool', args, { env: { ...process.env, DISPLAY: launched.display } });

    // Where the page's (0, 0) is on the X screen: the pointer moved onto the
    // page, and the page's own idea of where it went.
    async function pageOrigin(page) {
      await page.evaluate(() => {
        window.quellorPointer = null;
        addEventListener('mousemove', (event) => { window.quellorPointer = [event.clientX, event.clientY]; },
          { once: true });
      });
      const [x, y] = [100, 300];
      await xdotool('mousemove', String(x), String(y));
      await xdotool('mousemove', String(x + 1), String(y + 1));
      await waitUntil(page, () => window.quellorPointer !== null);
      const [clientX, clientY] = await page.evaluate(() => window.quellorPointer);
      return [x - clientX, y - clientY];
    }

    // Taps the middle of `selector` with the X pointer; resolves to the
    // pointer type the page saw.
    async function tap(page, origin, selector) {
      const [x, y] = await page.$eval(selector, (element) => {
        const box = element.getBoundingClientRect();
        return [Math.round(box.left + box.width / 2), Math.round(box.top + box.height / 2)];
      });
      await page.evaluate(() => { window.quellorPointerType = null; });
      await xdotool('mousemove', String(origin[0] + x), String(origin[1] + y), 'click', '1');
      await waitUntil(page, () => window.quellorPointerType !== null);
      return page.evaluate(() => window.quellorPointerType);
    }

    test('Camera, Fullscreen and End reach the program as Space, F1 and Escape', async (t) => {
      const runOfPage = await loadedPage(session, t, [kNoAnswer], {
        viewport: { width: 390, height: 844 },
        touch: true,
        script: () => {
          addEventListener('pointerdown', (event) => { window.quellorPointerType = event.pointerType; }, true);
        },
      });
      const { page } = runOfPage;
      await page.bringToFront();
      const origin = await pageOrigin(page);
      if (engine === 'chromium') {
        const devtools = await page.createCDPSession();
        await devtools.send('Emulation.setEmitTouchEventsForMouse', { enabled: true, configuration: 'mobile' });
      }
      const pointer = engine === 'chromium' ? 'touch' : 'mouse';

      assert.equal(await tap(page, origin, '#start'), pointer);
      await waitForFrames(page, 10);
      const before = await shootCanvas(page);
      assert.equal(await tap(page, origin, '#key-space'), pointer);
      await waitForFrames(page, 5);
      const turned = changedShare(before, await shootCanvas(page));
      assert.ok(turned > 0.25, `Camera turned the camera: ${turned} of the picture changed`);

      assert.equal(await tap(page, origin, '#key-f1'), pointer);
      await waitUntil(page, () => document.fullscreenElement === document.getElementById('canvas') &&
        document.getElementById('canvas').style.cursor === 'none');
      await waitForFrames(page, 5);
      await page.evaluate(() => document.exitFullscreen());
      await waitUntil(page, () => document.fullscreenElement === null &&
        document.getElementById('canvas').style.cursor === 'auto');
      await waitForFrames(page, 5);
      assert.equal((await statusOf(page)).code, undefined, 'still running, windowed');

      assert.equal(await tap(page, origin, '#key-escape'), pointer);
      assert.equal(Number((await waitForExit(page)).code), kEscapeStatus);
      runOfPage.expectDialogs([kNoAnswer]);
      runOfPage.expectNoErrors();
    });
  });
}
