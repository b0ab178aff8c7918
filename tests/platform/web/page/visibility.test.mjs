// A page out of sight. A hidden page counts as a minimised window: the scene
// stands still until the page is shown again. Headless Chromium does not
// hide a page that goes to the background (it stays "visible" and only slows
// its animation frames to about one a second), so the hidden state is given
// to the page as a browser gives it: document.hidden and a visibilitychange
// event.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  changedShare, closeAfterStartQuestion, expectRunningScene, forEachEngine, setHidden, shootCanvas,
  startedPage, waitForFrames,
} from './session.mjs';

forEachEngine((session) => {

  describe('a page out of sight', () => {
    test('hidden, the scene stands still; shown again, it goes on', async (t) => {
      const run = await startedPage(session, t);
      const { page } = run;
      await expectRunningScene(page);

      await setHidden(page, true);
      // The program sees the page hidden when it next looks at its queue; a
      // frame pass under way still draws.
      await waitForFrames(page, 3);
      const hidden = await shootCanvas(page);
      // That nothing is drawn can only be seen over time: the program goes
      // through frame passes (each waits for an animation frame of the page)
      // and none may draw.
      await waitForFrames(page, 20);
      const stillHidden = await shootCanvas(page);
      assert.equal(changedShare(hidden, stillHidden, 0), 0, 'no frame rendered while hidden');

      await setHidden(page, false);
      await waitForFrames(page, 5);
      const shown = await expectRunningScene(page);
      assert.ok(changedShare(stillHidden, shown) > 0.002, 'the scene goes on once shown');
      // The scene picks up where it stood: the camera and the floor are where
      // they were.
      assert.ok(changedShare(stillHidden, shown) < 0.1, 'the same view, not a new start');

      await closeAfterStartQuestion(run);
    });

    test('behind another tab it draws at the background pace; in front it goes on', async (t) => {
      const run = await startedPage(session, t);
      const { page, context } = run;

      const draws = () => page.evaluate(() => [window.quellorFrames, window.quellorDraws]);
      const [framesBefore, drawsBefore] = await draws();
      await waitForFrames(page, 10);
      const [framesAfter, drawsAfter] = await draws();
      const drawsPerFrame = (drawsAfter - drawsBefore) / (framesAfter - framesBefore);
      assert.ok(drawsPerFrame >= 1, `${drawsPerFrame} draw calls a frame`);

      // Behind another tab Chromium gives the page about one animation frame
      // a second, after a moment; the program, which draws a frame for each,
      // follows (in front it draws some 40 in a second). The page's own
      // animation frames, asked for apart from the program's, show when that
      // pace has set in (two of them half a second apart or more); over the
      // next two the program may draw three frames at most, whichever of its
      // frames and the test's comes first in an animation frame. Firefox
      // hides the page instead and gives it no animation frame at all: the
      // program, minimised, draws at most the frame under way while the tab
      // in front goes through 30 animation frames.
      const other = await context.newPage();
      await other.bringToFront();
      const background = await page.evaluate(({ slowGap, deadline }) =>
        new Promise((resolve, reject) => {
          const hidden = () => {
            if (document.hidden) resolve({ hidden: true, from: window.quellorDraws });
          };
          document.addEventListener('visibilitychange', hidden);
          hidden();
          const started = performance.now();
          let last = started;
          let counted = -1;
          let from = 0;
          const tick = (now) => {
            if (counted < 0) {
              if (now - last >= slowGap) {
                counted = 0;
                from = window.quellorDraws;
              } else if (now - started > deadline) {
                reject(new Error(`no animation frames ${slowGap} ms apart in ${deadline} ms`));
                return;
              }
              last = now;
            } else if (++counted === 2) {
              resolve({ hidden: false, draws: window.quellorDraws - from });
              return;
            }
            window.quellorTestFrame(tick);
          };
          window.quellorTestFrame(tick);
        }), { slowGap: 500, deadline: 20000 });
      if (background.hidden) {
        await other.evaluate(() => new Promise((resolve) => {
          let frames = 0;
          const tick = () => (++frames === 30 ? resolve() : requestAnimationFrame(tick));
          requestAnimationFrame(tick);
        }));
        background.draws = (await page.evaluate(() => window.quellorDraws)) - background.from;
      }
      assert.ok(background.draws <= 3 * drawsPerFrame,
        `${background.draws} draw calls in the background, ${drawsPerFrame} a frame`);

      await page.bringToFront();
      await waitForFrames(page, 5);
      await expectRunningScene(page);
      await closeAfterStartQuestion(run);
    });
  });
});
