// What the page's events become for a window: the probe page
// (quellor-message-probe.html) prints every message its window procedure
// gets, as "message MSG WPARAM LPARAM" in hexadecimal, and these tests read
// them from the console. The flags are Windows' own: lParam has the repeat
// count in its low word, the extended key in bit 24, Alt held in bit 29, the
// key's previous state in bit 30 and the release in bit 31.
import assert from 'node:assert/strict';
import path from 'node:path';
import { describe, test } from 'node:test';

import {
  forEachEngine, kDeadline, openPage, setHidden,
} from './session.mjs';

const toolsDir = process.env.QUELLOR_WEB_TOOLS_DIR ||
  path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../../../build/emscripten/tools');

const WM_SIZE = 0x5, WM_ACTIVATE = 0x6, WM_CLOSE = 0x10;
const WM_KEYDOWN = 0x100, WM_KEYUP = 0x101, WM_CHAR = 0x102;
const WM_SYSKEYDOWN = 0x104, WM_SYSKEYUP = 0x105, WM_SYSCHAR = 0x106;
const kKeyMessages = [WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR];
const kExtended = 1 << 24, kAltHeld = 1 << 29, kWasDown = 1 << 30, kReleased = 2 ** 31;

// A started probe; run.take() gives the messages since the last take.
async function startProbe(session, t) {
  const run = await openPage(session, []);
  t.after(run.close);
  const lines = [];
  const waiting = new Set();
  run.page.on('console', (message) => {
    lines.push(message.text());
    for (const recheck of waiting) recheck();
  });
  // Resolves once check() holds, looked at again as each line comes.
  const waitFor = (check, what) => new Promise((resolve, reject) => {
    if (check()) {
      resolve();
      return;
    }
    const recheck = () => {
      if (!check()) return;
      waiting.delete(recheck);
      clearTimeout(deadline);
      resolve();
    };
    const deadline = setTimeout(() => {
      waiting.delete(recheck);
      reject(new Error(`waited ${kDeadline / 1000} s for ${what}`));
    }, kDeadline);
    waiting.add(recheck);
  });
  await run.page.goto(session.server.url + 'quellor-message-probe.html');
  await run.page.click('#start');
  await waitFor(() => lines.includes('probe ready'), 'the probe to start');
  // Waits for `count` messages, or for the message `until`.
  run.take = async (count = 0, until = null) => {
    await waitFor(() => parse(lines).length >= count, `${count} messages`);
    if (until !== null)
      await waitFor(() => parse(lines).some(({ message }) => message === until), `${until}`);
    // Anything late would be in the next take.
    const messages = parse(lines.splice(0));
    return messages;
  };
  await run.take();
  return run;
}

function parse(lines) {
  return lines.filter((line) => line.startsWith('message ')).map((line) => {
    const [message, wParam, lParam] = line.split(' ').slice(1).map((value) => Number(value));
    return { message, wParam, lParam };
  });
}

const keys = (messages) => messages.filter(({ message }) => kKeyMessages.includes(message));
const unsigned = (value) => value >>> 0;

forEachEngine((session) => {
  describe('the page\'s events as window messages', () => {
    test('a key, held and repeated, then released', async (t) => {
      const run = await startProbe(session, t);
      await run.page.keyboard.down('a');
      await run.page.keyboard.down('a'); // held: the browser repeats it
      await run.page.keyboard.up('a');
      assert.deepEqual(keys(await run.take(5)), [
        { message: WM_KEYDOWN, wParam: 0x41, lParam: 1 },
        { message: WM_CHAR, wParam: 0x61, lParam: 1 },
        { message: WM_KEYDOWN, wParam: 0x41, lParam: 1 | kWasDown },
        { message: WM_CHAR, wParam: 0x61, lParam: 1 | kWasDown },
        { message: WM_KEYUP, wParam: 0x41, lParam: unsigned(1 | kWasDown | kReleased) },
      ]);
    });

    test('Shift types capitals, the arrows and F1 have codes of their own', async (t) => {
      const run = await startProbe(session, t);
      await run.page.keyboard.down('Shift');
      await run.page.keyboard.press('KeyQ');
      await run.page.keyboard.up('Shift');
      await run.page.keyboard.press('ArrowLeft');
      await run.page.keyboard.press('F1');
      await run.page.keyboard.press('Escape');
      await run.page.keyboard.press('Space');
      const downs = keys(await run.take(15))
        .filter(({ message }) => message === WM_KEYDOWN || message === WM_CHAR)
        .map(({ message, wParam, lParam }) => [message, wParam, lParam & kExtended]);
      assert.deepEqual(downs, [
        [WM_KEYDOWN, 0x10, 0], // VK_SHIFT
        [WM_KEYDOWN, 0x51, 0],
        [WM_CHAR, 0x51, 0], // 'Q'
        [WM_KEYDOWN, 0x25, kExtended], // VK_LEFT, an extended key
        [WM_KEYDOWN, 0x70, 0], // VK_F1, no character
        [WM_KEYDOWN, 0x1b, 0], // VK_ESCAPE
        [WM_CHAR, 0x1b, 0],
        [WM_KEYDOWN, 0x20, 0], // VK_SPACE
        [WM_CHAR, 0x20, 0],
      ]);
    });

    // Firefox numbers both Meta keys 91 (before version 118, 224); Chromium
    // numbers the right one 92 or 93. Windows has a code for each side.
    test('the Meta keys as Windows\' keys, whatever the browser numbers them', async (t) => {
      const run = await startProbe(session, t);
      const sent = [['MetaLeft', 91], ['MetaRight', 91], ['MetaLeft', 224], ['MetaRight', 93]];
      await run.page.evaluate((events) => {
        for (const [code, keyCode] of events) {
          for (const type of ['keydown', 'keyup'])
            window.dispatchEvent(new KeyboardEvent(type, { key: 'Meta', code, keyCode }));
        }
      }, sent);
      const downs = keys(await run.take(8)).filter(({ message }) => message === WM_KEYDOWN)
        .map(({ wParam, lParam }) => [wParam, lParam & kExtended]);
      assert.deepEqual(downs, [[0x5b, kExtended], [0x5c, kExtended], [0x5b, kExtended],
        [0x5c, kExtended]]);
    });

    test('a key with Alt is a system key', async (t) => {
      const run = await startProbe(session, t);
      await run.page.keyboard.down('Alt');
      await run.page.keyboard.press('KeyF');
      await run.page.keyboard.up('Alt');
      const messages = keys(await run.take(5)).map(({ message, wParam, lParam }) =>
        [message, wParam, unsigned(lParam)]);
      assert.deepEqual(messages.slice(0, 4), [
        [WM_SYSKEYDOWN, 0x12, unsigned(1 | kAltHeld)], // VK_MENU
        [WM_SYSKEYDOWN, 0x46, unsigned(1 | kAltHeld)],
        [WM_SYSCHAR, 0x66, unsigned(1 | kAltHeld)],
        [WM_SYSKEYUP, 0x46, unsigned(1 | kAltHeld | kWasDown | kReleased)],
      ]);
      // Alt itself goes up last, no longer held.
      assert.deepEqual(messages.slice(4).map(([, wParam, lParam]) => [wParam, lParam]),
        [[0x12, unsigned(1 | kWasDown | kReleased)]]);
    });

    test('focus is activation, a hidden page is minimised, Close closes', async (t) => {
      const run = await startProbe(session, t);
      const { page } = run;
      const activations = (messages) => messages
        .filter(({ message }) => message === WM_ACTIVATE || message === WM_SIZE)
        .map(({ message, wParam }) => [message, wParam]);

      await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
      assert.deepEqual(activations(await run.take(1)), [[WM_ACTIVATE, 0]]); // WA_INACTIVE
      await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
      assert.deepEqual(activations(await run.take(1)), [[WM_ACTIVATE, 1]]); // WA_ACTIVE

      await setHidden(page, true);
      // SIZE_MINIMIZED, then inactive and minimised (the high word), as on Windows.
      assert.deepEqual(activations(await run.take(2)), [[WM_SIZE, 1], [WM_ACTIVATE, 0x10000]]);
      await setHidden(page, false);
      assert.deepEqual(activations(await run.take(2)), [[WM_ACTIVATE, 1], [WM_SIZE, 0]]);

      // The click may move the page's focus too; the close comes among that.
      await page.click('#close');
      const closing = (await run.take(1, WM_CLOSE)).filter(({ message }) => message === WM_CLOSE);
      assert.equal(closing.length, 1, 'one WM_CLOSE');
      run.expectNoErrors();
    });
  });
}, { folder: toolsDir });
