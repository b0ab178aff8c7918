// The page on a phone: the canvas fits the screen's width held either way,
// every control is big enough for a finger and in view, and the touch keys
// are the program's keys (F1 going fullscreen, Escape ending).
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  forEachEngine, isDisabled, kEscapeStatus, kNoAnswer, loadedPage, startedPage, statusOf,
  waitForExit, waitForFrames, waitUntil,
} from './session.mjs';

const kControls = ['start', 'close', 'key-space', 'key-f1', 'key-escape'];
const phone = (width, height) => ({ viewport: { width, height }, touch: true });

function layout(page) {
  return page.evaluate((ids) => {
    const canvas = document.getElementById('canvas');
    const rect = (element) => {
      const r = element.getBoundingClientRect();
      return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width,
               height: r.height };
    };
    return {
      viewport: [innerWidth, innerHeight],
      pageWidth: document.documentElement.scrollWidth,
      pageHeight: document.scrollingElement.scrollHeight,
      buffer: [canvas.width, canvas.height],
      canvas: rect(canvas),
      controls: Object.fromEntries(ids.map((id) => [id, rect(document.getElementById(id))])),
    };
  }, kControls);
}

forEachEngine((session) => {

  describe('on a phone', () => {
    for (const [name, width, height] of [['upright', 390, 844], ['sideways', 844, 390]]) {
      test(`${name} (${width}x${height}): the canvas and every control on screen`, async (t) => {
        const run = await loadedPage(session, t, [], phone(width, height));
        const seen = await layout(run.page);
        assert.deepEqual(seen.viewport, [width, height]);
        assert.ok(seen.pageWidth <= width, `no sideways scrolling: ${seen.pageWidth} px wide`);
        assert.ok(seen.pageHeight <= height, `no scrolling: ${seen.pageHeight} px high`);
        assert.deepEqual(seen.buffer, [640, 480], 'the drawing buffer stays 640x480');
        assert.ok(seen.canvas.left >= 0 && seen.canvas.right <= width, 'the canvas fits the width');
        assert.ok(seen.canvas.bottom <= height, 'the canvas fits the height');
        assert.ok(Math.abs(seen.canvas.width / seen.canvas.height - 4 / 3) < 0.01, 'its shape kept');
        for (const [id, box] of Object.entries(seen.controls)) {
          assert.ok(box.width >= 44 && box.height >= 44, `${id} is ${box.width}x${box.height}`);
          assert.ok(box.left >= 0 && box.right <= width && box.top >= 0 && box.bottom <= height,
            `${id} is in view without scrolling`);
        }
        run.expectNoErrors();
      });
    }

    // Sideways, the page's longest status (after fullscreen was left) must
    // not make it scroll either.
    for (const [name, width, height] of [['upright', 390, 844], ['sideways', 844, 390]]) {
      test(`the touch keys ${name}: Fullscreen goes fullscreen, End ends with Escape's status`,
        async (t) => {
        const run = await startedPage(session, t, [kNoAnswer], phone(width, height));
        const { page } = run;
        await page.tap('#key-f1');
        await waitUntil(page, () => document.fullscreenElement === document.getElementById('canvas'));
        await waitForFrames(page, 5);
        assert.equal(await page.evaluate(() => document.getElementById('canvas').style.cursor), 'none');
        // A phone leaves fullscreen by its own means (the back gesture).
        await page.evaluate(() => document.exitFullscreen());
        await waitUntil(page, () => document.getElementById('canvas').style.cursor === 'auto');
        assert.match((await statusOf(page)).text, /Fullscreen was left/);
        const pageHeight = await page.evaluate(() => document.scrollingElement.scrollHeight);
        assert.ok(pageHeight <= height, `no scrolling: ${pageHeight} px high`);
        await page.tap('#key-escape');
        assert.equal(Number((await waitForExit(page)).code), kEscapeStatus);
        assert.equal(await isDisabled(page, '#key-escape'), true, 'no keys once ended');
        run.expectDialogs([kNoAnswer]);
        run.expectNoErrors();
      });
    }
  });

  describe('on a desktop', () => {
    test('1280x900: the page as it always was, without touch keys', async (t) => {
      const run = await loadedPage(session, t, [], { viewport: { width: 1280, height: 900 } });
      const seen = await layout(run.page);
      assert.deepEqual([seen.canvas.left, seen.canvas.width, seen.canvas.height], [320, 640, 480]);
      assert.equal(seen.controls['key-f1'].width, 0, 'no touch keys');
      run.expectNoErrors();
    });
  });
});
