// What the page's behaviour tests share: a page whose dialogs are answered
// from a script and whose errors are kept, keys held across a frame, and the
// picture as the user sees it (a screenshot), decoded and measured.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe } from 'node:test';

import { engineMissing, kEngines, launchEngine } from '../support/engines.mjs';
import { serveFolder } from '../support/page.mjs';
import { decodePng, toRgba } from '../support/png.mjs';

// The web preset's page, unless the environment names another.
export const pageDir = process.env.QUELLOR_WEB_PAGE_DIR ||
  path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../../../build/web');

// Why the page cannot be driven in `engine` here, or false. Tests are
// skipped, and say why, rather than failing on a machine without the page or
// the browser.
export function skipReason(engine) {
  for (const name of ['quellor.html', 'quellor.js', 'quellor.wasm']) {
    if (!fs.existsSync(path.join(pageDir, name)))
      return `${path.join(pageDir, name)} is missing: build the page (cmake --build --preset web)`;
  }
  return engineMissing(engine);
}

export const kStartQuestion = 'Cela obrazovka?\nPrejete si celoobrazovkovy rezim?';
export const kFallbackQuestion =
  'Okenni mod?\nNepodarilo se prejit do celoobrazovkoveho\nrezimu. Pouzit okenni mod?';
export const kEndNotice = 'CHYBA\nProgram bude nyni ukoncen.';
// The status of a run ended by Escape: the parameter of the last message the
// program took, the Escape key's code, as on Windows.
export const kEscapeStatus = 27;
// A wait that fails says so well within the ctest entry's time.
export const kDeadline = 30000;

// The tests of `body(session)` once for each browser, in a block named after
// it, with the browser and a server of `folder` (and `pages`, name to HTML)
// shared by them: session.engine, session.browser, session.server.
export function forEachEngine(body, { folder = pageDir, pages = {} } = {}) {
  for (const engine of Object.keys(kEngines)) {
    describe(engine, { skip: skipReason(engine) }, () => {
      const session = { engine };
      let launched;
      before(async () => {
        session.server = await serveFolder(folder, pages);
        launched = await launchEngine(engine);
        session.browser = launched.browser;
      });
      after(async () => {
        await launched?.close();
        await session.server?.close();
      });
      body(session);
    });
  }
}

// A new page in its own browser context. `answers` lists the message boxes
// expected, in order, as { type, message, accept, key, hold, after }: type
// 'confirm' for a box of two buttons and 'alert' for one of one, message its
// title and text on two lines. Each is answered as a person would, with real
// input: a click on its first button (accept) or its last, or with `key`
// pressed (or held down, with `hold`), `after` milliseconds after it was
// shown. A box that does not match its entry, or comes after the last, is
// recorded as unexpected and answered with its last button, so that the
// program goes on and the test can say what came; so is any dialog of the
// browser's own. Every page counts the animation frames the program asks for
// (window.quellorFrames) and its WebGL draw calls (window.quellorDraws), in
// every frame of the page; a test asks for an animation frame of its own, not
// counted as the program's, with window.quellorTestFrame(callback).
// `options`: viewport { width, height }, touch (a phone's touch screen),
// locale (the browser's language).
export async function openPage(session, answers = [], options = {}) {
  const context = await session.browser.createBrowserContext();
  const page = await context.newPage();
  page.setDefaultTimeout(kDeadline);
  if (options.viewport || options.touch) {
    await page.setViewport({ ...(options.viewport ?? page.viewport()), deviceScaleFactor: 1,
                             hasTouch: !!options.touch, isMobile: !!options.touch });
  }
  if (options.locale) await page.emulateLocale(options.locale);
  const record = { dialogs: [], boxes: [], unexpected: [], errors: [], context, page };
  page.on('pageerror', (error) => record.errors.push(error.message));
  page.on('dialog', async (dialog) => {
    record.unexpected.push({ type: dialog.type(), message: dialog.message() });
    await dialog.dismiss();
  });
  // The box is the page's, or a frame's of it: the one that has it open.
  const boxFrame = async () => {
    for (const frame of page.frames()) if (await frame.$('#box[open]')) return frame;
    throw new Error('no frame has the box open');
  };
  const answer = async (expected) => {
    if (expected?.after) await new Promise((resolve) => setTimeout(resolve, expected.after));
    if (expected?.key) {
      // A held key stays down until the test lets it go.
      if (expected.hold) await page.keyboard.down(expected.key);
      else await page.keyboard.press(expected.key);
      return;
    }
    const buttons = await (await boxFrame()).$$('#box-buttons button');
    await buttons[expected?.accept ? 0 : buttons.length - 1].click();
  };
  await page.exposeFunction('quellorBoxShown', (box) => {
    const shown = { type: box.buttons.length === 1 ? 'alert' : 'confirm',
                    message: `${box.title}\n${box.text}` };
    record.dialogs.push(shown);
    record.boxes.push(box);
    const expected = answers[record.dialogs.length - 1];
    const matches = expected && expected.type === shown.type && expected.message === shown.message;
    if (!matches) record.unexpected.push(shown);
    answer(matches ? expected : null)
      .catch((error) => record.errors.push(`answering ${shown.message}: ${error.message}`));
  });
  await page.evaluateOnNewDocument(() => {
    // Firefox runs this on a frame's first, empty document and keeps its
    // window for the page that comes: what it sets up is set up once, and
    // waits on the window.
    if (window.quellorFrames !== undefined) return;
    // Each message box of the page, as it opens: what it shows and says.
    window.addEventListener('DOMContentLoaded', () => {
      const box = document.getElementById('box');
      if (!box) return;
      new MutationObserver(() => {
        if (!box.open) return;
        const icon = document.getElementById('box-icon');
        window.quellorBoxShown({
          title: document.getElementById('box-title').textContent,
          text: document.getElementById('box-text').textContent,
          buttons: [...document.querySelectorAll('#box-buttons button')].map((b) => b.textContent),
          focused: document.activeElement?.textContent,
          icon: icon.hidden ? null : icon.getAttribute('aria-label'),
          role: box.getAttribute('role'),
          modal: box.getAttribute('aria-modal'),
          labelled: document.getElementById(box.getAttribute('aria-labelledby'))?.textContent,
        });
      }).observe(box, { attributes: true, attributeFilter: ['open'] });
    });
    window.quellorFrames = 0;
    const request = window.requestAnimationFrame.bind(window);
    window.quellorTestFrame = request;
    window.requestAnimationFrame = (callback) => {
      window.quellorFrames += 1;
      return request(callback);
    };
    window.quellorDraws = 0;
    for (const name of ['drawArrays', 'drawElements']) {
      const draw = WebGLRenderingContext.prototype[name];
      WebGLRenderingContext.prototype[name] = function (...args) {
        window.quellorDraws += 1;
        return draw.apply(this, args);
      };
    }
  });
  record.expectDialogs = (expected) => {
    assert.deepEqual(record.unexpected, [], 'dialogs that were not expected');
    assert.deepEqual(
      record.dialogs,
      expected.map(({ type, message }) => ({ type, message })),
      'the dialogs shown');
  };
  record.expectNoErrors = () => assert.deepEqual(record.errors, [], 'errors on the page');
  record.close = () => context.close();
  return record;
}

// Waits until `check(arg)` holds on the page or frame, looked at every 20 ms.
export function waitUntil(target, check, arg, timeout = kDeadline) {
  return target.waitForFunction(check, { polling: 20, timeout }, arg);
}

// What the page says of an element: its text, whether it is disabled.
export const textOf = (target, selector) => target.$eval(selector, (element) => element.textContent);
export const isDisabled = (target, selector) => target.$eval(selector, (element) => element.disabled);

// Picks `files` ({ name, bytes }) in the page's file field, as a person picks
// them in the browser's file chooser. The browser reads a picked file when
// the page asks for its bytes, so the files stay until the tests end.
const pickedFolder = fs.mkdtempSync(path.join(os.tmpdir(), 'quellor-picked-'));
process.on('exit', () => fs.rmSync(pickedFolder, { recursive: true, force: true }));
export async function pickFiles(page, files) {
  const folder = fs.mkdtempSync(path.join(pickedFolder, 'pick-'));
  const paths = files.map(({ name, bytes }) => {
    const file = path.join(folder, name);
    fs.writeFileSync(file, bytes);
    return file;
  });
  await (await page.$('#textures')).uploadFile(...paths);
}

export const confirmAnswered = (message, accept, how = {}) =>
  ({ type: 'confirm', message, accept, ...how });
export const alertShown = (message) => ({ type: 'alert', message, accept: true });
export const kNoAnswer = confirmAnswered(kStartQuestion, false);

// A fresh page of Quellor, loaded until Start can be pressed, that goes when
// the test `t` ends: `answers` and `options` as for openPage (the start
// question answered No unless said otherwise), and `options.script` run on
// the page before the page's own scripts.
export async function loadedPage(session, t, answers = [kNoAnswer], options = {}) {
  const run = await openPage(session, answers, options);
  t.after(run.close);
  if (options.script) await run.page.evaluateOnNewDocument(options.script);
  await loadPage(run.page, session.server.url + 'quellor.html');
  return run;
}

// The same page started, once it has drawn `options.frames` frames (10
// unless said otherwise).
export async function startedPage(session, t, answers = [kNoAnswer], options = {}) {
  const run = await loadedPage(session, t, answers, options);
  await startAndWaitForFrames(run.page, options.frames);
  return run;
}

// A run in snapshot mode, the page's `query` (frames=N and the like) naming
// it: it starts by itself, asks nothing and ends after its last frame. The
// page goes when the test `t` ends. Resolves to the run once it has ended,
// with run.exit what the page said of its end.
export async function snapshotRun(session, t, query) {
  const run = await openPage(session);
  t.after(run.close);
  await run.page.goto(`${session.server.url}quellor.html?${query}`);
  run.exit = await waitForExit(run.page);
  return run;
}

// Ends a run started windowed with the page's Close button and expects
// nothing else of it: status 0, no other dialog, no page error.
export async function closeAfterStartQuestion(run) {
  await run.page.click('#close');
  assert.equal((await waitForExit(run.page)).code, '0');
  run.expectDialogs([kNoAnswer]);
  run.expectNoErrors();
}

// Ends a run with Escape (typed on its page, the program running in `target`)
// and expects nothing else of it: Escape's status, the dialogs `expected`, no
// page error.
export async function endWithEscapeAfter(run, expected, target = run.page) {
  assert.equal(await endWithEscape(run.page, target), kEscapeStatus);
  run.expectDialogs(expected);
  run.expectNoErrors();
}

// Loads `url` and waits until Start can be pressed on Quellor's page, the
// page itself or, with `frameSelector`, the frame that holds it; resolves to
// that page or frame.
export async function loadPage(page, url, frameSelector = null) {
  await page.goto(url);
  const target = frameSelector
    ? await (await page.waitForSelector(frameSelector)).contentFrame()
    : page;
  await waitUntil(target, () => !document.getElementById('start').disabled);
  return target;
}

// Starts the program; resolves once it has drawn a few frames.
export async function startAndWaitForFrames(target, frames = 10) {
  await target.click('#start');
  await waitForFrames(target, frames);
}

// Resolves once the program has asked for `count` more animation frames than
// now, that is, once it has gone through that many more frame passes. The
// wait polls on a timer: polling on animation frames would be counted too.
export async function waitForFrames(target, count, timeout = kDeadline) {
  const from = await target.evaluate(() => window.quellorFrames);
  await waitForFrameCount(target, from + count, timeout);
}

// Resolves once the page has asked for `count` animation frames in all.
export async function waitForFrameCount(target, count, timeout = kDeadline) {
  await waitUntil(target, (until) => window.quellorFrames >= until, count, timeout);
}

// Holds a key down until the program has gone through a few frame passes
// (the program looks at its key flags once a frame), then lets it go. The
// keys are typed on `page`; the program runs in `target`, the page or a frame
// of it.
export async function holdKey(page, target, key) {
  await page.keyboard.down(key);
  try {
    await waitForFrames(target, 3);
  } finally {
    await page.keyboard.up(key);
  }
}

// Holds Escape until the program has ended; resolves to its exit status.
// Firefox keeps Escape in fullscreen for leaving it (no Keyboard Lock): there
// the first Escape takes the canvas out of fullscreen and the program goes on
// windowed, with the cursor shown, and the next one ends it.
export async function endWithEscape(page, target = page) {
  const leavesFirst = await target.evaluate(() =>
    document.fullscreenElement !== null && /Firefox\//.test(navigator.userAgent));
  if (leavesFirst) {
    await page.keyboard.press('Escape');
    await waitUntil(target, () => document.fullscreenElement === null &&
      document.getElementById('canvas').style.cursor === 'auto');
    assert.equal((await statusOf(target)).code, undefined, 'still running, windowed');
  }
  await page.keyboard.down('Escape');
  try {
    return Number((await waitForExit(target)).code);
  } finally {
    await page.keyboard.up('Escape');
  }
}

// Resolves once the page says the program has ended, to what it says.
export async function waitForExit(target, timeout = kDeadline) {
  await waitUntil(target, () => document.getElementById('status').dataset.exitStatus !== undefined,
    null, timeout);
  return statusOf(target);
}

export async function statusOf(target) {
  return target.evaluate(() => {
    const status = document.getElementById('status');
    return { code: status.dataset.exitStatus, text: status.textContent };
  });
}

// How the running scene must look: textured (sharp detail all over, which an
// untextured or flat picture lacks) and moving (a look some frames later
// differs). Resolves to the later look.
export async function expectRunningScene(target) {
  const first = await shootCanvas(target);
  await waitForFrames(target, 10);
  const second = await shootCanvas(target);
  assert.ok(distinctColours(second) > 2000, `textured: ${distinctColours(second)} colours`);
  assert.ok(detailShare(second) > 0.02, `textured: ${detailShare(second)} of the pixels sharp`);
  assert.ok(changedShare(first, second) > 0.002, `moving: ${changedShare(first, second)} changed`);
  return second;
}

// The canvas of the page or frame as the user sees it: { width, height, rgba }.
export async function shootCanvas(target) {
  return toRgba(decodePng(Buffer.from(await (await target.$('#canvas')).screenshot())));
}

// How many colours the picture has: a flat or untextured picture has a few,
// the textured scene thousands.
export function distinctColours(picture) {
  const colours = new Set();
  const { rgba } = picture;
  for (let i = 0; i < rgba.length; i += 4) colours.add((rgba[i] << 16) | (rgba[i + 1] << 8) | rgba[i + 2]);
  return colours.size;
}

// The share of pixels (0 to 1) whose colour differs by more than `tolerance`
// in some channel between two pictures of one size.
export function changedShare(first, second, tolerance = 24) {
  assert.equal(first.width, second.width, 'pictures of one width');
  assert.equal(first.height, second.height, 'pictures of one height');
  let changed = 0;
  for (let i = 0; i < first.rgba.length; i += 4) {
    if (Math.abs(first.rgba[i] - second.rgba[i]) > tolerance ||
        Math.abs(first.rgba[i + 1] - second.rgba[i + 1]) > tolerance ||
        Math.abs(first.rgba[i + 2] - second.rgba[i + 2]) > tolerance)
      ++changed;
  }
  return changed / (first.width * first.height);
}

// The pixels (as a share, 0 to 1) that `test(r, g, b)` picks.
export function shareOf(picture, test) {
  let count = 0;
  const { rgba } = picture;
  for (let i = 0; i < rgba.length; i += 4) if (test(rgba[i], rgba[i + 1], rgba[i + 2])) ++count;
  return count / (picture.width * picture.height);
}

// A 24-bit bottom-up BMP of one colour, with the plain 40-byte header.
export function solidBitmap(size, [red, green, blue]) {
  const rowBytes = size * 3; // a multiple of 4 for the sizes used
  const bits = rowBytes * size;
  const file = Buffer.alloc(54 + bits);
  file.write('BM', 0, 'latin1');
  file.writeUInt32LE(file.length, 2);
  file.writeUInt32LE(54, 10);
  file.writeUInt32LE(40, 14);
  file.writeInt32LE(size, 18);
  file.writeInt32LE(size, 22);
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(24, 28);
  file.writeUInt32LE(bits, 34);
  for (let i = 54; i < file.length; i += 3) {
    file[i] = blue;
    file[i + 1] = green;
    file[i + 2] = red;
  }
  return file;
}

// The share of pixels (0 to 1) that differ sharply from their right-hand
// neighbour: textures put edges all over the scene, while a lit but
// untextured scene changes smoothly except at its objects' outlines.
export function detailShare(picture, step = 32) {
  const { width, height, rgba } = picture;
  let sharp = 0;
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x + 1 < width; ++x) {
      const i = (y * width + x) * 4;
      if (Math.abs(rgba[i] - rgba[i + 4]) + Math.abs(rgba[i + 1] - rgba[i + 5]) +
          Math.abs(rgba[i + 2] - rgba[i + 6]) > step)
        ++sharp;
    }
  }
  return sharp / (width * height);
}

// Tells the page it is hidden, or shown again, as the browser would.
export function setHidden(page, hidden) {
  return page.evaluate((hide) => {
    if (hide) {
      Object.defineProperty(document, 'hidden', { configurable: true, get: () => true });
      Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => 'hidden' });
    } else {
      delete document.hidden;
      delete document.visibilityState;
    }
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
}
