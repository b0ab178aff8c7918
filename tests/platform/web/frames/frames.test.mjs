// The page's frames against quellor-snapshot's: the page runs in snapshot
// mode (?frames=N&space-at=F) in Chromium (WebGL on SwiftShader) and in
// Firefox ESR (WebGL on Mesa, under Xvfb), each through puppeteer-core; its last
// frame is read from the canvas, brought to the 5/6/5 surface that Mesa's
// headless renderer draws on, written as PNG and compared with the same
// frame from quellor-snapshot by quellor-picture-diff. The PNGs stay in a
// folder under the build tree when a check fails (its path is printed).
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';

import { engineMissing, launchEngine } from '../support/engines.mjs';
import { readCanvas, serveFolder } from '../support/page.mjs';
import { decodePng, encodePng } from '../support/png.mjs';
import { kSurfaceBits, quantiseTo565, surfaceValues } from './pictures.mjs';

const run = promisify(execFile);
const repository = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../../..');
const nativeBin = path.join(repository, 'build/default/bin');
const pageDir = process.env.QUELLOR_WEB_PAGE_DIR || path.join(repository, 'build/web');
const snapshotTool = process.env.QUELLOR_SNAPSHOT || path.join(nativeBin, 'quellor-snapshot');
const diffTool = process.env.QUELLOR_PICTURE_DIFF || path.join(nativeBin, 'quellor-picture-diff');
const texturesDir = process.env.QUELLOR_TEXTURES_DIR || nativeBin;

// quellor-picture-diff's tolerance. One step of a 5-bit channel read back
// as 8 bits is 8 or 9 (57 -> 66), and SwiftShader and llvmpipe light and
// filter slightly differently, so a pixel near a step's edge lands on either
// side: the step allowed is one 5-bit step. Measured on 2026-12-08 over the
// five frames below: 99.917-99.968% of pixels within 9 (only 98.96-99.16%
// within 8, as the steps of 9 fall outside), mean difference 0.134-0.172,
// largest 101-189 at a few edge pixels that each renderer covers
// differently. For scale: diffuse light 10% too weak in the page's shader
// gave means of 0.19-0.59 (four of the five fail), a field of view 1% too
// wide 86% within 9 (all fail).
const kChannelStep = 9;
const kMinFraction = 0.998;
const kMaxMean = 0.22;

const kCases = [
  { frames: 1, spaceAt: [] },
  { frames: 250, spaceAt: [] },
  { frames: 1300, spaceAt: [] },
  { frames: 250, spaceAt: [100] },
  { frames: 1300, spaceAt: [1] },
];

function caseName({ frames, spaceAt }) {
  return spaceAt.length ? `frame ${frames}, Space before frame ${spaceAt.join(', ')}` : `frame ${frames}`;
}

function fileStem({ frames, spaceAt }) {
  return `frame${frames}` + spaceAt.map((frame) => `-space${frame}`).join('');
}

// Runs quellor-picture-diff; resolves to { passed, figures }. Throws when
// the tool could not compare (unreadable picture, bad usage).
async function compare(a, b) {
  try {
    const { stdout } = await run(diffTool, [a, b, String(kChannelStep), String(kMinFraction), String(kMaxMean)]);
    return { passed: true, figures: stdout.trim() };
  } catch (error) {
    if (error.code !== 1) throw error;
    return { passed: false, figures: (error.stdout + error.stderr).trim() };
  }
}

for (const engine of ['chromium', 'firefox']) {
  const skip = engineMissing(engine);
  describe(`the page in ${engine} draws the frames that quellor-snapshot draws`, { skip }, () => {
    let server, session, outDir;
    let failed = false;
    const pictures = new Map(); // file stem -> { page, native } PNG paths

    before(async () => {
      for (const tool of [snapshotTool, diffTool])
        assert.ok(fs.existsSync(tool), `${tool} is missing: build the default preset`);
      outDir = fs.mkdtempSync(path.join(path.dirname(path.dirname(snapshotTool)), `web-frames-${engine}-`));
      console.log(`pictures in ${outDir}`);
      server = await serveFolder(pageDir);
      session = await launchEngine(engine);
    });

    after(async () => {
      await session?.close();
      await server?.close();
      if (outDir && !failed) fs.rmSync(outDir, { recursive: true, force: true });
      else if (outDir) console.log(`pictures kept in ${outDir}`);
    });

    // Renders one case on the page; resolves to the path of its quantised PNG.
    // A page that does not end in time fails with what it said meanwhile.
    async function renderOnPage(frameCase) {
      const page = await session.browser.newPage();
      const statusText = () => page.$eval('#status', (status) => status.textContent);
      const problems = [];
      const messages = [];
      page.on('pageerror', (error) => problems.push(error.message));
      page.on('console', (message) => messages.push(`${message.type()}: ${message.text()}`));
      try {
        const query = `frames=${frameCase.frames}` + (frameCase.spaceAt.length ? `&space-at=${frameCase.spaceAt.join(',')}` : '');
        await page.goto(`${server.url}quellor.html?${query}`);
        let status;
        try {
          // 1300 frames take about 20 s here.
          await page.waitForFunction(
            () => document.getElementById('status').dataset.exitStatus !== undefined,
            { polling: 250, timeout: 120000 + 100 * frameCase.frames });
          status = Number(await page.$eval('#status', (line) => line.dataset.exitStatus));
        } catch (error) {
          const said = await statusText().catch(() => '?');
          assert.fail(`the page did not end (${error.message.split('\n')[0]}); its status line: ${said}; ` +
                      `errors: ${JSON.stringify(problems)}; console: ${JSON.stringify(messages.slice(-10))}`);
        }
        // A snapshot that answered a message box (a texture it could not load,
        // say) says so after the status.
        assert.equal(await statusText(), 'Quellor has ended with exit status 0.');
        assert.equal(status, 0);
        assert.deepEqual(problems, []);
        const { width, height, rgba } = await readCanvas(page);
        assert.deepEqual([width, height], [640, 480]);
        const file = path.join(outDir, `${fileStem(frameCase)}-page.png`);
        fs.writeFileSync(file, encodePng(width, height, quantiseTo565(rgba)));
        return file;
      } finally {
        await page.close();
      }
    }

    async function renderNatively(frameCase) {
      const file = path.join(outDir, `${fileStem(frameCase)}-native.png`);
      const args = ['--frames', String(frameCase.frames), '--out', file, '--textures', texturesDir];
      for (const frame of frameCase.spaceAt) args.push('--space-at', String(frame));
      await run(snapshotTool, args);
      return file;
    }

    for (const frameCase of kCases) {
      test(caseName(frameCase), async (t) => {
        try {
          const native = await renderNatively(frameCase);
          const onPage = await renderOnPage(frameCase);
          pictures.set(fileStem(frameCase), { native, page: onPage });

          // The quantisation stands on the native picture being 5/6/5 with
          // bit replication: every channel value must be one that gives.
          const { pixels, channels } = decodePng(fs.readFileSync(native));
          for (let c = 0; c < 3; c++) {
            const allowed = surfaceValues(kSurfaceBits[c]);
            for (let i = c; i < pixels.length; i += channels) {
              if (!allowed.has(pixels[i]))
                assert.fail(`${native}: channel ${c} holds ${pixels[i]}, which no ${kSurfaceBits[c]}-bit value reads back as`);
            }
          }

          const { passed, figures } = await compare(onPage, native);
          t.diagnostic(figures);
          assert.ok(passed, `${onPage} and ${native} differ beyond the tolerance: ${figures}`);
        } catch (error) {
          failed = true;
          throw error;
        }
      });
    }

    // The tolerance must not let a different frame through: the page's frame
    // 250 against the native frame 250 whose camera turned at frame 100.
    test('the tolerance tells a frame from one with the camera turned', async (t) => {
      try {
        const plain = pictures.get('frame250');
        const turned = pictures.get('frame250-space100');
        assert.ok(plain && turned, 'the frame 250 cases did not produce their pictures');
        const { passed, figures } = await compare(plain.page, turned.native);
        t.diagnostic(figures);
        assert.equal(passed, false, `frame 250 passed as frame 250 with Space at 100: ${figures}`);
      } catch (error) {
        failed = true;
        throw error;
      }
    });
  });
}
