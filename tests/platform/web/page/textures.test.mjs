// The user's own textures: picked or dropped before Start, written where the
// program reads them, refused with the loader's messages when broken, left
// out when named otherwise.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  alertShown, closeAfterStartQuestion, expectRunningScene, forEachEngine, kNoAnswer, loadedPage,
  pickFiles, shareOf, shootCanvas, solidBitmap, startAndWaitForFrames, startedPage, statusOf,
  textOf, waitForExit, waitForFrameCount, waitUntil,
} from './session.mjs';

const bmp = (name, bytes) => ({ name, bytes });
// Pure green, which no default texture has: lit, it stays green with little
// red or blue.
const greenTexture = solidBitmap(64, [0, 255, 0]);
const greenShare = (picture) => shareOf(picture, (r, g, b) => g > 60 && r < 24 && b < 24);

// Drops `file` ({ name, bytes }) on the page's drop area, as a person drops a
// file dragged from elsewhere.
async function dropFile(page, { name, bytes }) {
  await page.evaluate((fileName, fileBytes) => {
    const files = new DataTransfer();
    files.items.add(new File([new Uint8Array(fileBytes)], fileName, { type: 'image/bmp' }));
    document.getElementById('drop').dispatchEvent(
      new DragEvent('drop', { dataTransfer: files, bubbles: true, cancelable: true }));
  }, name, [...bytes]);
}

// Reads of picked files that end only when the test ends them: each read
// waits in window.quellorReads, in the order the reads began, and
// window.quellorReadsEnded counts those that have ended.
function holdReads() {
  const read = Blob.prototype.arrayBuffer;
  window.quellorReads = [];
  window.quellorReadsEnded = 0;
  Blob.prototype.arrayBuffer = function () {
    const bytes = read.call(this);
    return new Promise((resolve) => window.quellorReads.push(resolve))
      .then(() => bytes)
      .finally(() => { window.quellorReadsEnded += 1; });
  };
}

async function waitForReads(page, count) {
  await waitUntil(page, (n) => window.quellorReads.length === n, count);
}

// Ends the read that began `index`-th; resolves once it has ended, by when
// the page has taken what it read (in the same turn of its event loop).
async function endRead(page, index) {
  const ended = await page.evaluate((i) => {
    window.quellorReads[i]();
    return window.quellorReadsEnded;
  }, index);
  await waitUntil(page, (n) => window.quellorReadsEnded > n, ended);
}

// Presses Start and resolves once the program has gone through `frames`
// frame passes, or, failing that, says how it ended.
async function startAndExpectFrames(page, frames = 10) {
  await page.click('#start');
  await waitUntil(page, (n) => window.quellorFrames >= n ||
    document.getElementById('status').dataset.exitStatus !== undefined, frames);
  const { code, text } = await statusOf(page);
  assert.equal(code, undefined, `the program ended: ${text}`);
}

forEachEngine((session) => {

  describe('broken textures', () => {
    test('a text file as tex3.bmp: "Unknown DIB file format." and status 1', async (t) => {
      const expected = [kNoAnswer, alertShown('Error\nUnknown DIB file format.')];
      const run = await loadedPage(session, t, expected);
      const { page } = run;
      await pickFiles(page, [bmp('tex3.bmp', Buffer.from('These are the pillar and wall textures.\n'))]);
      await waitUntil(page, () => document.getElementById('chosen').textContent !== '');
      assert.equal(await textOf(page, '#chosen'), 'Yours: tex3.bmp.');
      await page.click('#start');
      assert.deepEqual(await waitForExit(page),
        { code: '1', text: 'Quellor has ended with exit status 1.' });
      run.expectDialogs(expected);
      run.expectNoErrors();
    });

    test('an empty tex1.bmp: the open failure and status 1', async (t) => {
      const expected = [kNoAnswer, alertShown('Error\nFailed to open DIB file tex1.bmp.\n')];
      const run = await loadedPage(session, t, expected);
      const { page } = run;
      await pickFiles(page, [bmp('tex1.bmp', Buffer.alloc(0))]);
      await page.click('#start');
      assert.deepEqual(await waitForExit(page),
        { code: '1', text: 'Quellor has ended with exit status 1.' });
      run.expectDialogs(expected);
      run.expectNoErrors();
    });
  });

  describe('textures of the user', () => {
    test('a file of another name is left out, and the default texture used', async (t) => {
      const run = await loadedPage(session, t);
      const { page } = run;
      await pickFiles(page, [bmp('crate.bmp', greenTexture)]);
      assert.equal(await textOf(page, '#chosen'),
        'Left out (only tex1.bmp, tex2.bmp and tex3.bmp are used): crate.bmp.');
      await startAndWaitForFrames(page);
      const look = await expectRunningScene(page);
      assert.equal(greenShare(look), 0, 'no green: the default crate texture');
      await closeAfterStartQuestion(run);
    });

    test('a dropped tex1.bmp covers both cubes', async (t) => {
      const run = await loadedPage(session, t);
      const { page } = run;
      await dropFile(page, bmp('tex1.bmp', greenTexture));
      await waitUntil(page, () => document.getElementById('chosen').textContent === 'Yours: tex1.bmp.');
      await startAndWaitForFrames(page);
      const look = await shootCanvas(page);
      assert.ok(greenShare(look) > 0.003, `green cubes: ${greenShare(look)} of the picture`);
      await closeAfterStartQuestion(run);
    });

    test('a file still being read when Start is pressed is used', async (t) => {
      const run = await loadedPage(session, t, [kNoAnswer], { script: holdReads });
      const { page } = run;
      await pickFiles(page, [bmp('tex1.bmp', greenTexture)]);
      await waitForReads(page, 1);
      await page.click('#start');
      await waitUntil(page, () => document.getElementById('status').textContent === 'Reading your textures...');
      await endRead(page, 0);
      await waitForFrameCount(page, 10);
      const look = await shootCanvas(page);
      assert.ok(greenShare(look) > 0.003, `green cubes: ${greenShare(look)} of the picture`);
      await closeAfterStartQuestion(run);
    });

    test('a file that cannot be read is reported and left out', async (t) => {
      const run = await loadedPage(session, t, [kNoAnswer], {
        script: () => {
          Blob.prototype.arrayBuffer = () =>
            Promise.reject(new DOMException('The file has gone.', 'NotReadableError'));
        },
      });
      const { page } = run;
      await pickFiles(page, [bmp('tex1.bmp', greenTexture)]);
      await waitUntil(page, () => document.getElementById('chosen').textContent !== '');
      assert.equal(await textOf(page, '#chosen'), 'Could not be read: tex1.bmp.');
      await startAndWaitForFrames(page);
      const look = await expectRunningScene(page);
      assert.equal(greenShare(look), 0, 'the default crate texture');
      await closeAfterStartQuestion(run);
    });
  });

  // A file picked again: the last pick is used, whichever read ends first (a
  // large file picked first may still be being read when the one picked after
  // it is in).
  describe('a name picked twice', () => {
    const broken = Buffer.from('Not a bitmap: the wrong file, picked first.\n');
    for (const [order, reads] of [['the later read ends first', [1, 0]],
      ['the earlier read ends first', [0, 1]]]) {
      test(`the last pick wins: ${order}`, async (t) => {
        const run = await loadedPage(session, t, [kNoAnswer], { script: holdReads });
        const { page } = run;
        await pickFiles(page, [bmp('tex1.bmp', broken)]);
        await pickFiles(page, [bmp('tex1.bmp', greenTexture)]);
        await waitForReads(page, 2);
        for (const index of reads) await endRead(page, index);
        await startAndExpectFrames(page);
        assert.equal(await textOf(page, '#chosen'), 'Yours: tex1.bmp.');
        const look = await shootCanvas(page);
        assert.ok(greenShare(look) > 0.003, `green cubes: ${greenShare(look)} of the picture`);
        await closeAfterStartQuestion(run);
      });
    }
  });

  // Once started, the program has read its textures: a file dropped then is
  // not used, and the page says so.
  describe('a file dropped after Start', () => {
    test('is not used, and the page says textures change only before Start', async (t) => {
      const run = await startedPage(session, t);
      const { page } = run;
      await dropFile(page, bmp('tex1.bmp', greenTexture));
      await waitUntil(page, () => document.getElementById('chosen').textContent !== '');
      assert.equal(await textOf(page, '#chosen'),
        'Textures can only be changed before Start; not used: tex1.bmp.');
      assert.equal((await statusOf(page)).text, 'Quellor is running.');
      const look = await expectRunningScene(page);
      assert.equal(greenShare(look), 0, 'the default crate texture');
      await closeAfterStartQuestion(run);
    });
  });
});
