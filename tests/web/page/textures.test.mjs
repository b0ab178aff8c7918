// The user's own textures: picked or dropped before Start, written where the
// program reads them, refused with the loader's messages when broken, left
// out when named otherwise.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';

import {
  alertShown, closeAfterStartQuestion, expectRunningScene, kNoAnswer, loadPage, openBrowser,
  openPage, shareOf, shootCanvas, skipReason, solidBitmap, startAndWaitForFrames, waitForExit,
  waitForFrameCount,
} from './session.mjs';

const skip = skipReason();
let session;
before(async () => { if (!skip) session = await openBrowser(); });
after(async () => { await session?.close(); });

const bmp = (name, buffer) => ({ name, mimeType: 'image/bmp', buffer });
// Pure green, which no default texture has: lit, it stays green with little
// red or blue.
const greenTexture = solidBitmap(64, [0, 255, 0]);
const greenShare = (picture) => shareOf(picture, (r, g, b) => g > 60 && r < 24 && b < 24);

// A page whose file reads are changed by `script` (run before the page's).
async function openWithReads(t, expected, script) {
  const run = await openPage(session, expected);
  t.after(run.close);
  await run.page.addInitScript(script);
  await loadPage(run.page, session.server.url + 'quellor.html');
  return run;
}

describe('broken textures', { skip }, () => {
  test('a text file as tex3.bmp: "Unknown DIB file format." and status 1', async (t) => {
    const expected = [kNoAnswer, alertShown('Error\nUnknown DIB file format.')];
    const run = await openPage(session, expected);
    t.after(run.close);
    const { page } = run;
    await loadPage(page, session.server.url + 'quellor.html');
    await page.setInputFiles('#textures',
      [bmp('tex3.bmp', Buffer.from('These are the pillar and wall textures.\n'))]);
    await page.waitForFunction(() => document.getElementById('chosen').textContent !== '', null,
      { polling: 20 });
    assert.equal(await page.textContent('#chosen'), 'Yours: tex3.bmp.');
    await page.click('#start');
    assert.deepEqual(await waitForExit(page),
      { code: '1', text: 'Quellor has ended with exit status 1.' });
    run.expectDialogs(expected);
    run.expectNoErrors();
  });

  test('an empty tex1.bmp: the open failure and status 1', async (t) => {
    const expected = [kNoAnswer, alertShown('Error\nFailed to open DIB file tex1.bmp.\n')];
    const run = await openPage(session, expected);
    t.after(run.close);
    const { page } = run;
    await loadPage(page, session.server.url + 'quellor.html');
    await page.setInputFiles('#textures', [bmp('tex1.bmp', Buffer.alloc(0))]);
    await page.click('#start');
    assert.deepEqual(await waitForExit(page),
      { code: '1', text: 'Quellor has ended with exit status 1.' });
    run.expectDialogs(expected);
    run.expectNoErrors();
  });
});

describe('textures of the user', { skip }, () => {
  test('a file of another name is left out, and the default texture used', async (t) => {
    const run = await openPage(session, [kNoAnswer]);
    t.after(run.close);
    const { page } = run;
    await loadPage(page, session.server.url + 'quellor.html');
    await page.setInputFiles('#textures', [bmp('crate.bmp', greenTexture)]);
    assert.equal(await page.textContent('#chosen'),
      'Left out (only tex1.bmp, tex2.bmp and tex3.bmp are used): crate.bmp.');
    await startAndWaitForFrames(page);
    const look = await expectRunningScene(page, page.locator('#canvas'));
    assert.equal(greenShare(look), 0, 'no green: the default crate texture');
    await closeAfterStartQuestion(run);
  });

  test('a dropped tex1.bmp covers both cubes', async (t) => {
    const run = await openPage(session, [kNoAnswer]);
    t.after(run.close);
    const { page } = run;
    await loadPage(page, session.server.url + 'quellor.html');
    await page.evaluate((bytes) => {
      const files = new DataTransfer();
      files.items.add(new File([new Uint8Array(bytes)], 'tex1.bmp', { type: 'image/bmp' }));
      document.getElementById('drop').dispatchEvent(
        new DragEvent('drop', { dataTransfer: files, bubbles: true, cancelable: true }));
    }, [...greenTexture]);
    await page.waitForFunction(
      () => document.getElementById('chosen').textContent === 'Yours: tex1.bmp.', null,
      { polling: 20 });
    await startAndWaitForFrames(page);
    const look = await shootCanvas(page.locator('#canvas'));
    assert.ok(greenShare(look) > 0.003, `green cubes: ${greenShare(look)} of the picture`);
    await closeAfterStartQuestion(run);
  });

  test('a file still being read when Start is pressed is used', async (t) => {
    const run = await openWithReads(t, [kNoAnswer], () => {
      const read = Blob.prototype.arrayBuffer;
      Blob.prototype.arrayBuffer = function () {
        return new Promise((resolve) => setTimeout(resolve, 1000)).then(() => read.call(this));
      };
    });
    const { page } = run;
    await page.setInputFiles('#textures', [bmp('tex1.bmp', greenTexture)]);
    await page.click('#start');
    await waitForFrameCount(page, 10);
    const look = await shootCanvas(page.locator('#canvas'));
    assert.ok(greenShare(look) > 0.003, `green cubes: ${greenShare(look)} of the picture`);
    await closeAfterStartQuestion(run);
  });

  test('a file that cannot be read is reported and left out', async (t) => {
    const run = await openWithReads(t, [kNoAnswer], () => {
      Blob.prototype.arrayBuffer = () =>
        Promise.reject(new DOMException('The file has gone.', 'NotReadableError'));
    });
    const { page } = run;
    await page.setInputFiles('#textures', [bmp('tex1.bmp', greenTexture)]);
    await page.waitForFunction(() => document.getElementById('chosen').textContent !== '', null,
      { polling: 20 });
    assert.equal(await page.textContent('#chosen'), 'Could not be read: tex1.bmp.');
    await startAndWaitForFrames(page);
    const look = await expectRunningScene(page, page.locator('#canvas'));
    assert.equal(greenShare(look), 0, 'the default crate texture');
    await closeAfterStartQuestion(run);
  });
});
