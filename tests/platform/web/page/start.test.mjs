// The start question and its two answers, and the ways the program ends:
// Escape, the page's Close button.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  confirmAnswered, endWithEscape, endWithEscapeAfter, expectRunningScene, forEachEngine, holdKey,
  isDisabled, kEscapeStatus, kStartQuestion, loadedPage, shootCanvas, startAndWaitForFrames, startedPage,
  statusOf, waitForExit, waitForFrames, waitUntil,
} from './session.mjs';

// The canvas's drawing buffer, its size on the page, and the display state.
function canvasState(target) {
  return target.evaluate(() => {
    const canvas = document.getElementById('canvas');
    return {
      buffer: [canvas.width, canvas.height],
      shown: [canvas.clientWidth, canvas.clientHeight],
      viewport: [innerWidth, innerHeight],
      fullscreen: document.fullscreenElement === canvas,
      cursor: canvas.style.cursor,
      title: document.title,
    };
  });
}

// Which of these keys the page would refuse the browser (Tab moving the
// focus, Space and the arrows scrolling), pressed now.
async function keysRefusedToPage(page) {
  await page.evaluate(() => {
    if (!window.quellorRefused) {
      // Looked at in the next task, once every listener has had the key.
      window.addEventListener('keydown', (event) => {
        setTimeout(() => {
          window.quellorKeysSeen += 1;
          if (event.defaultPrevented) window.quellorRefused.push(event.key);
        });
      });
    }
    window.quellorRefused = [];
    window.quellorKeysSeen = 0;
  });
  const keys = ['Tab', 'Space', 'ArrowDown'];
  for (const key of keys) await page.keyboard.press(key);
  await waitUntil(page, (count) => window.quellorKeysSeen === count, keys.length);
  return page.evaluate(() => window.quellorRefused);
}

forEachEngine((session) => {

  describe('the start question', () => {
    test('No: a 640x480 textured, moving scene on the page; Escape ends it', async (t) => {
      const expected = [confirmAnswered(kStartQuestion, false)];
      const run = await loadedPage(session, t, expected);
      const { page } = run;
      assert.equal((await statusOf(page)).text, 'Ready: press Start.');
      await startAndWaitForFrames(page);

      const state = await canvasState(page);
      assert.deepEqual(state.buffer, [640, 480], 'drawing buffer');
      assert.deepEqual(state.shown, [640, 480], 'size on the page');
      assert.equal(state.fullscreen, false);
      assert.notEqual(state.cursor, 'none', 'the cursor is shown in a window');
      assert.equal(state.title, 'Quellor');
      assert.equal((await statusOf(page)).text, 'Quellor is running.');
      const look = await expectRunningScene(page);
      assert.deepEqual([look.width, look.height], [640, 480]);

      assert.equal(await endWithEscape(page), kEscapeStatus);
      assert.equal((await statusOf(page)).text,
        `Quellor has ended with exit status ${kEscapeStatus}.`);
      assert.equal(await isDisabled(page, '#close'), true, 'Close is off once ended');
      run.expectDialogs(expected);
      run.expectNoErrors();
    });

    test('Yes: the canvas fills the screen at once; Escape ends and leaves fullscreen', async (t) => {
      const expected = [confirmAnswered(kStartQuestion, true)];
      const run = await startedPage(session, t, expected);
      const { page } = run;

      // Headless Chromium grants the request the Start click allows.
      const state = await canvasState(page);
      assert.equal(state.fullscreen, true, 'the canvas is the fullscreen element');
      assert.deepEqual(state.buffer, [640, 480], 'the drawing buffer stays 640x480');
      assert.equal(state.shown[0], state.viewport[0], 'scaled to the screen');
      assert.equal(state.shown[1], state.viewport[1], 'scaled to the screen');
      assert.equal(state.cursor, 'none', 'no cursor in fullscreen');
      const first = await shootCanvas(page);
      await waitForFrames(page, 10);
      const second = await shootCanvas(page);
      assert.notDeepEqual(second.rgba, first.rgba, 'the scene moves in fullscreen');

      await endWithEscapeAfter(run, expected);
      await waitUntil(page, () => document.fullscreenElement === null);
      assert.notEqual((await canvasState(page)).cursor, 'none', 'the cursor is back');
    });
  });

  // Firefox keeps Escape in fullscreen to leave it; every browser has other
  // ways out of fullscreen. The program, told, goes on windowed as after F1.
  describe('fullscreen left by the browser', () => {
    test('windowed with the cursor shown; one F1 goes back; Escape ends', async (t) => {
      const expected = [confirmAnswered(kStartQuestion, true)];
      const run = await startedPage(session, t, expected);
      const { page } = run;
      assert.equal((await canvasState(page)).fullscreen, true);

      await page.evaluate(() => document.exitFullscreen());
      await waitUntil(page, () => document.getElementById('canvas').style.cursor === 'auto');
      await waitForFrames(page, 5);
      const windowed = await canvasState(page);
      assert.equal(windowed.fullscreen, false);
      assert.deepEqual(windowed.shown, [640, 480], 'back on the page');
      assert.match((await statusOf(page)).text, /Esc now ends it/);
      await expectRunningScene(page);

      await holdKey(page, page, 'F1');
      await waitUntil(page, () => document.fullscreenElement !== null);
      assert.equal((await canvasState(page)).cursor, 'none');
      assert.equal((await statusOf(page)).text, 'Quellor is running.', 'what was said on leaving');
      await endWithEscapeAfter(run, expected);
    });
  });

  describe('ending', () => {
    test('the Close button ends with status 0; the page gets its keys back', async (t) => {
      const expected = [confirmAnswered(kStartQuestion, false)];
      const run = await loadedPage(session, t, expected);
      const { page } = run;
      assert.equal(await isDisabled(page, '#close'), true, 'nothing to close before Start');
      await startAndWaitForFrames(page);
      assert.deepEqual(await keysRefusedToPage(page), ['Tab', ' ', 'ArrowDown'],
        'the running program takes the keys');

      await page.click('#close');
      assert.deepEqual(await waitForExit(page),
        { code: '0', text: 'Quellor has ended with exit status 0.' });
      assert.deepEqual(await keysRefusedToPage(page), [], 'an ended program takes no keys');
      run.expectDialogs(expected);
      run.expectNoErrors();
    });
  });
});
