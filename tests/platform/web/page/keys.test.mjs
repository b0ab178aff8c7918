// The program's keys on the page: Space turns the camera, F1 recreates the
// window in the other mode.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  changedShare, expectRunningScene, forEachEngine, holdKey, kNoAnswer, shootCanvas, snapshotRun,
  startedPage, waitForExit, waitForFrames, waitUntil,
} from './session.mjs';

// Two looks some frames apart: with the camera still only the cubes move.
async function twoLooks(page) {
  const first = await shootCanvas(page);
  await waitForFrames(page, 10);
  return [first, await shootCanvas(page)];
}

forEachEngine((session) => {

  describe('Space', () => {
    test('turns the camera to the wandering cube, and back on a second press', async (t) => {
      const run = await startedPage(session, t);
      const { page } = run;

      const [still, stillLater] = await twoLooks(page);
      const moving = changedShare(still, stillLater);
      assert.ok(moving < 0.1, `a still camera: only the cubes move (${moving} changed)`);

      await holdKey(page, page, 'Space');
      const [turned, turnedLater] = await twoLooks(page);
      const turn = changedShare(stillLater, turned);
      assert.ok(turn > 0.25, `the camera turned: ${turn} of the picture changed`);
      // The follow camera moves with the cube, so the whole view drifts.
      assert.ok(changedShare(turned, turnedLater) > moving, 'the camera follows the cube');

      await holdKey(page, page, 'Space');
      const [back] = await twoLooks(page);
      const backShare = changedShare(stillLater, back);
      assert.ok(backShare < 0.1, `the camera is back at the floor's centre (${backShare} changed)`);

      await page.click('#close');
      assert.equal((await waitForExit(page)).code, '0');
      run.expectDialogs([kNoAnswer]);
      run.expectNoErrors();
    });

    // The scene is the same in every run, so snapshot frames can be compared
    // exactly: Space before frame 1 and again before frame 2 must give frame N
    // as without Space, once alone a frame seen from elsewhere.
    test('in snapshot mode, space-at turns the camera for the frames after it', async (t) => {
      const frames = {};
      for (const query of ['frames=60', 'frames=60&space-at=1', 'frames=60&space-at=1,2']) {
        const run = await snapshotRun(session, t, query);
        assert.deepEqual(run.exit,
          { code: '0', text: 'Quellor has ended with exit status 0.' }, query);
        frames[query] = await shootCanvas(run.page);
        run.expectDialogs([]);
        run.expectNoErrors();
      }
      const plain = frames['frames=60'];
      const once = changedShare(plain, frames['frames=60&space-at=1']);
      assert.ok(once > 0.25, `Space once: ${once} of frame 60 differs`);
      assert.equal(changedShare(plain, frames['frames=60&space-at=1,2'], 0), 0,
        'Space twice: frame 60 as without Space');
    });
  });

  describe('F1', () => {
    test('goes fullscreen at 640x480 scaled to the screen, and back to the window', async (t) => {
      const run = await startedPage(session, t);
      const { page } = run;
      const state = () => page.evaluate(() => {
        const canvas = document.getElementById('canvas');
        return {
          fullscreen: document.fullscreenElement === canvas,
          buffer: [canvas.width, canvas.height],
          scaled: canvas.clientWidth === innerWidth && canvas.clientHeight === innerHeight,
          shown: [canvas.clientWidth, canvas.clientHeight],
        };
      });
      assert.equal((await state()).fullscreen, false);

      await holdKey(page, page, 'F1');
      await waitUntil(page, () => document.fullscreenElement !== null);
      const full = await state();
      assert.equal(full.fullscreen, true, 'the canvas is the fullscreen element');
      assert.deepEqual(full.buffer, [640, 480], 'the drawing buffer stays 640x480');
      assert.equal(full.scaled, true, `scaled to the screen (${full.shown})`);
      const [first, second] = await twoLooks(page);
      assert.ok(changedShare(first, second) > 0.002, 'the scene moves in fullscreen');

      await holdKey(page, page, 'F1');
      await waitUntil(page, () => document.fullscreenElement === null);
      const windowed = await state();
      assert.deepEqual(windowed.buffer, [640, 480]);
      assert.deepEqual(windowed.shown, [640, 480], 'back in the page at 640x480');
      await expectRunningScene(page);

      await page.click('#close');
      assert.equal((await waitForExit(page)).code, '0');
      run.expectDialogs([kNoAnswer]);
      run.expectNoErrors();
    });
  });
});
