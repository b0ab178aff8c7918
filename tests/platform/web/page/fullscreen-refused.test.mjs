// A page that may not go fullscreen: Quellor in a frame whose embedder
// refuses it fullscreen. Asking for fullscreen brings the fall-back question.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  alertShown, confirmAnswered, distinctColours, endWithEscapeAfter, expectRunningScene,
  forEachEngine, holdKey, kEndNotice, kFallbackQuestion, kStartQuestion, loadPage, openPage,
  shootCanvas, startAndWaitForFrames, waitForExit, waitForFrames,
} from './session.mjs';

const kEmbedder = 'embedded-without-fullscreen.html';
const kEmbedderPage = '<!doctype html><title>Embedder</title>' +
  '<iframe id="quellor" src="quellor.html" width="700" height="720" allow="fullscreen \'none\'">' +
  '</iframe>';

// Opens Quellor inside a frame that may not go fullscreen; resolves to the
// frame, ready to start.
async function openRefusingFrame(session, page) {
  const frame = await loadPage(page, session.server.url + kEmbedder, '#quellor');
  assert.equal(await frame.evaluate(() => document.fullscreenEnabled), false,
    'the frame may not go fullscreen');
  return frame;
}

forEachEngine((session) => {

  describe('fullscreen refused', () => {
    test('Yes to the fall-back question: windowed; F1 asks again', async (t) => {
      const expected = [
        confirmAnswered(kStartQuestion, true),
        confirmAnswered(kFallbackQuestion, true),
        confirmAnswered(kFallbackQuestion, true),
      ];
      const run = await openPage(session, expected);
      t.after(run.close);
      const { page } = run;
      const frame = await openRefusingFrame(session, page);
      await startAndWaitForFrames(frame);

      const state = () => frame.evaluate(() => {
        const canvas = document.getElementById('canvas');
        return {
          fullscreen: document.fullscreenElement !== null,
          buffer: [canvas.width, canvas.height],
          cursor: canvas.style.cursor,
        };
      });
      assert.deepEqual(await state(), { fullscreen: false, buffer: [640, 480], cursor: 'auto' });
      assert.equal(run.dialogs.length, 2, 'the start and the fall-back question');
      await expectRunningScene(frame);

      // F1 tries fullscreen again, is refused again, and goes on windowed.
      await holdKey(page, frame, 'F1');
      await waitForFrames(frame, 5);
      assert.equal(run.dialogs.length, 3, 'the fall-back question again');
      assert.deepEqual(await state(), { fullscreen: false, buffer: [640, 480], cursor: 'auto' });
      await expectRunningScene(frame);

      await endWithEscapeAfter(run, expected, frame);
    });

    test('No to the fall-back question: the end notice, and status 1', async (t) => {
      const expected = [
        confirmAnswered(kStartQuestion, true),
        confirmAnswered(kFallbackQuestion, false),
        alertShown(kEndNotice),
      ];
      const run = await openPage(session, expected);
      t.after(run.close);
      const frame = await openRefusingFrame(session, run.page);
      await frame.click('#start');
      assert.deepEqual(await waitForExit(frame),
        { code: '1', text: 'Quellor has ended with exit status 1.' });
      const canvas = await shootCanvas(frame);
      assert.equal(distinctColours(canvas), 1, 'nothing was drawn');
      run.expectDialogs(expected);
      run.expectNoErrors();
    });
  });
}, { pages: { [kEmbedder]: kEmbedderPage } });
