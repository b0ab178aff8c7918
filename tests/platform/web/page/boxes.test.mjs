// The program's message boxes as the page's own dialog: what a person sees
// (role, label, icon, buttons in the browser's language, the focus) and the
// ways to answer (click, Enter, Escape), and a Yes that still goes
// fullscreen however long the person read the question.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  confirmAnswered, endWithEscapeAfter, forEachEngine, kStartQuestion, loadedPage,
  startAndWaitForFrames, startedPage, statusOf,
} from './session.mjs';

const kEnglish = { buttons: ['Yes', 'No'], icon: 'Question' };
const kCzech = { buttons: ['Ano', 'Ne'], icon: 'Otázka' };

forEachEngine((session) => {

  describe('the start question as a box of the page', () => {
    const cases = [
      { name: 'English, Enter: Yes', locale: 'en-US', labels: kEnglish, how: { key: 'Enter' },
        fullscreen: true },
      { name: 'Czech, Escape: No', locale: 'cs-CZ', labels: kCzech, how: { key: 'Escape' },
        fullscreen: false },
      { name: 'Czech, a click on Ano', locale: 'cs', labels: kCzech, accept: true, fullscreen: true },
      { name: 'English, a click on No', locale: 'en-GB', labels: kEnglish, accept: false,
        fullscreen: false },
      // The browser grants fullscreen only within about 5 s of a click: the
      // click on Yes itself asks for it.
      { name: 'Yes clicked after 6 s', locale: 'en-US', labels: kEnglish, accept: true,
        how: { after: 6000 }, fullscreen: true },
    ];
    for (const c of cases) {
      test(c.name, async (t) => {
        const expected = [confirmAnswered(kStartQuestion, c.accept, c.how)];
        const run = await startedPage(session, t, expected, { locale: c.locale });
        const { page } = run;

        assert.deepEqual(run.boxes[0], {
          title: 'Cela obrazovka?',
          text: 'Prejete si celoobrazovkovy rezim?',
          buttons: c.labels.buttons,
          focused: c.labels.buttons[0],
          icon: c.labels.icon,
          role: 'alertdialog',
          modal: 'true',
          labelled: 'Cela obrazovka?',
        });
        const state = await page.evaluate(() => ({
          fullscreen: document.fullscreenElement === document.getElementById('canvas'),
          boxOpen: document.getElementById('box').open,
        }));
        assert.deepEqual(state, { fullscreen: c.fullscreen, boxOpen: false });
        await endWithEscapeAfter(run, expected);
      });
    }
  });

  // Keys pressed while a box is shown are the box's: an Escape held down to
  // answer the box does not reach the program, which would end at once.
  describe('keys while a box is shown', () => {
    test('Escape answering the box does not end the program', async (t) => {
      const expected = [confirmAnswered(kStartQuestion, false, { key: 'Escape', hold: true })];
      const run = await loadedPage(session, t, expected);
      const { page } = run;
      try {
        await startAndWaitForFrames(page, 20);
      } finally {
        await page.keyboard.up('Escape');
      }
      assert.equal((await statusOf(page)).code, undefined, 'still running');
      await endWithEscapeAfter(run, expected);
    });
  });
});
