// From the start question's answer to the first frame the program presents,
// in Chromium and Firefox ESR (tests/web/support/engines.mjs), for one or
// more builds of the page: each engine runs the pages in turn, alternated,
// N times, and the medians are printed. The question is answered No (windowed)
// the moment it is shown, in the page's own box or, for earlier pages, the
// browser's confirm(); the canvas is read on each animation frame until a
// pixel is not black. A benchmark: it sets no pass mark.
//
//   node bench/web/answer-to-frame.mjs [--repetitions N] [PAGE_DIR...]
//
// PAGE_DIR defaults to build/web.
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { engineMissing, launchEngine } from '../../tests/web/support/engines.mjs';
import { serveFolder } from '../../tests/web/support/page.mjs';

const repository = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

function parseArguments(argv) {
  const options = { repetitions: 5, pages: [] };
  for (let i = 0; i < argv.length; i++) {
    if (argv[i] === '--repetitions' && i + 1 < argv.length) options.repetitions = Number(argv[++i]);
    else options.pages.push(path.resolve(argv[i]));
  }
  if (!Number.isInteger(options.repetitions) || options.repetitions < 1)
    throw new Error('--repetitions needs a whole number from 1');
  if (!options.pages.length) options.pages.push(path.join(repository, 'build/web'));
  return options;
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// Milliseconds from the answer to the first frame, in a fresh context.
async function answerToFirstFrame(browser, url) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => {
      const marks = {};
      window.confirm = () => {
        marks.answered = performance.now();
        return false;
      };
      document.addEventListener('DOMContentLoaded', () => {
        const box = document.getElementById('box');
        if (!box) return;
        new MutationObserver(() => {
          if (!box.open) return;
          marks.answered = performance.now();
          document.querySelector('#box-buttons button:last-child').click();
        }).observe(box, { attributes: true, attributeFilter: ['open'] });
      });
      window.quellorFirstFrame = new Promise((resolve) => {
        const copy = document.createElement('canvas');
        function poll() {
          if (marks.answered !== undefined) {
            const canvas = document.getElementById('canvas');
            copy.width = canvas.width;
            copy.height = canvas.height;
            const context2d = copy.getContext('2d', { willReadFrequently: true });
            context2d.drawImage(canvas, 0, 0);
            const bytes = context2d.getImageData(0, 0, copy.width, copy.height).data;
            for (let i = 0; i < bytes.length; i += 4) {
              if (bytes[i] | bytes[i + 1] | bytes[i + 2]) {
                resolve(performance.now() - marks.answered);
                return;
              }
            }
          }
          requestAnimationFrame(poll);
        }
        requestAnimationFrame(poll);
      });
    });
    await page.goto(url);
    await page.waitForFunction(() => !document.getElementById('start').disabled, { polling: 20 });
    await page.click('#start');
    const ms = await page.evaluate(() => window.quellorFirstFrame);
    await page.evaluate(() => Module._quellor_close());
    return ms;
  } finally {
    await context.close();
  }
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const servers = await Promise.all(options.pages.map((dir) => serveFolder(dir)));
  try {
    for (const engine of ['chromium', 'firefox']) {
      const missing = engineMissing(engine);
      if (missing) {
        console.log(`${engine}: not measured (${missing})`);
        continue;
      }
      const session = await launchEngine(engine);
      const samples = options.pages.map(() => []);
      try {
        for (let repetition = 0; repetition < options.repetitions; repetition++) {
          for (let i = 0; i < servers.length; i++)
            samples[i].push(await answerToFirstFrame(session.browser, servers[i].url + 'quellor.html'));
        }
        const version = await session.browser.version();
        options.pages.forEach((dir, i) => {
          console.log(`${version}  ${dir}: answer to first frame, median of ${options.repetitions}: ` +
            `${median(samples[i]).toFixed(1)} ms (runs: ${samples[i].map((v) => v.toFixed(1)).join(', ')})`);
        });
      } finally {
        await session.close();
      }
    }
  } finally {
    await Promise.all(servers.map((server) => server.close()));
  }
}

main().catch((error) => {
  console.error(`answer-to-frame: ${error.message}`);
  process.exit(1);
});
