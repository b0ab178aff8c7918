// The picture a person saves from the canvas ("Save image as...", which
// reads it as toDataURL does) and a script's copy of it (drawImage onto a 2D
// canvas) are the frame on screen, not a black or blank one: read while the
// program runs and after its last frame, each against a screenshot of the
// canvas.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { decodePng, toRgba } from '../support/png.mjs';
import {
  changedShare, distinctColours, forEachEngine, kNoAnswer, shareOf, shootCanvas, snapshotRun,
  startedPage, waitForExit,
} from './session.mjs';

// The canvas as toDataURL gives it (the PNG decoded here) and as drawImage
// copies it: { saved, copied }, each { width, height, rgba }.
async function readBack(target) {
  const [saved, copied] = await target.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    copy.getContext('2d').drawImage(canvas, 0, 0);
    return [canvas.toDataURL('image/png'), copy.toDataURL('image/png')];
  });
  const decode = (url) => toRgba(decodePng(Buffer.from(url.split(',')[1], 'base64')));
  return { saved: decode(saved), copied: decode(copied) };
}

// Each reading is the textured scene (a black or blank canvas has a colour or
// two) and differs from the screenshot in at most `share` of its pixels.
function expectScreen(readings, screen, share) {
  for (const [how, picture] of Object.entries(readings)) {
    assert.deepEqual([picture.width, picture.height], [640, 480], `${how}: its size`);
    const lit = shareOf(picture, (r, g, b) => r + g + b > 30);
    assert.ok(lit > 0.25 && distinctColours(picture) > 2000,
      `${how}: the scene (${lit} of it lit, ${distinctColours(picture)} colours)`);
    const changed = changedShare(picture, screen);
    assert.ok(changed <= share, `${how}: ${changed} of it differs from the screen`);
  }
}

forEachEngine((session) => {
  describe('the canvas saved or copied', () => {
    // The scene moves between the read and the screenshot: the camera stands
    // still, so only the cubes' few pixels may differ.
    test('while the program runs: the frame on screen', async (t) => {
      const run = await startedPage(session, t, [kNoAnswer], { frames: 20 });
      const { page } = run;
      const readings = await readBack(page);
      expectScreen(readings, await shootCanvas(page), 0.1);
      await page.click('#close');
      assert.equal((await waitForExit(page)).code, '0');
      run.expectDialogs([kNoAnswer]);
      run.expectNoErrors();
    });

    test('after the last frame: that frame', async (t) => {
      const run = await snapshotRun(session, t, 'frames=60');
      const { page } = run;
      assert.equal(run.exit.code, '0');
      expectScreen(await readBack(page), await shootCanvas(page), 0.002);
      run.expectDialogs([]);
      run.expectNoErrors();
    });
  });
});
