// The page's figures beside the native program's on Mesa's headless renderer:
//   - in Chromium (headless) and in Firefox ESR (on an Xvfb of its own, as
//     tests/platform/web/support/engines.mjs runs them), one run after the other: the
//     time from the start question's answer to the first frame the program
//     presents (the question is answered No the moment it is shown, in the
//     page's own box or, for earlier pages, the browser's confirm(); the
//     canvas is read on each animation frame until a pixel is not black), and
//     from the navigation's start to that frame;
//   - in Chromium, the cost of a frame in snapshot mode (?frames=N, no pause,
//     nothing waits for the display): wall time, CPU time of all of
//     Chromium's processes and of its GPU process (where SwiftShader draws)
//     and the page's renderer process (the program's WebAssembly and script,
//     and its WebGL calls) apart, and the script time of the page's main
//     thread (DevTools ScriptDuration). Each is the difference between a long
//     and a short run over the frames between them, so that loading and
//     start-up cancel out. quellor-snapshot is measured the same way, and
//     quellor_frame_bench's RenderFrame is the native frame time;
//   - the page's weight: each file compressed with gzip -9.
// Prints a table; --json FILE also writes the figures for
// tools/perf-report/write-report.py. With --first-frame PAGE_DIR..., only the
// first-frame times are measured, for each page given (builds to compare),
// the pages alternated within each repetition. A benchmark: it sets no pass
// mark.
//
//   node bench/web/web-figures.mjs [--repetitions N] [--json FILE]
//   node bench/web/web-figures.mjs [--repetitions N] --first-frame [PAGE_DIR...]
//
// QUELLOR_WEB_PAGE_DIR (build/web) and QUELLOR_NATIVE_BIN (build/default/bin)
// say where the page and the native programs are.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { engineMissing, kEngines, launchEngine } from '../../tests/platform/web/support/engines.mjs';
import { serveFolder } from '../../tests/platform/web/support/page.mjs';

const repository = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const pageDir = process.env.QUELLOR_WEB_PAGE_DIR || path.join(repository, 'build/web');
const nativeBin = process.env.QUELLOR_NATIVE_BIN || path.join(repository, 'build/default/bin');

// Frames of the short and the long run; the per-frame figures are over the
// 1200 frames between them.
const kShortRun = 100;
const kLongRun = 1300;
const kPageFiles = ['quellor.html', 'quellor.js', 'quellor.wasm', 'tex1.bmp', 'tex2.bmp', 'tex3.bmp'];
const kWeightGoal = 450000; // bytes, compressed
const kFrameGoal = 2; // the page's CPU time per frame over the native frame time

function parseArguments(argv) {
  const options = {
    repetitions: Number(process.env.QUELLOR_PERF_REPETITIONS || 5), json: null, firstFrame: null,
  };
  for (let i = 0; i < argv.length; i++) {
    if (argv[i] === '--repetitions' && i + 1 < argv.length) options.repetitions = Number(argv[++i]);
    else if (argv[i] === '--json' && i + 1 < argv.length) options.json = argv[++i];
    else if (argv[i] === '--first-frame') options.firstFrame = [];
    else if (options.firstFrame && !argv[i].startsWith('--')) options.firstFrame.push(path.resolve(argv[i]));
    else {
      throw new Error(`unknown argument ${argv[i]}; usage: web-figures.mjs [--repetitions N] ` +
                      '[--json FILE] [--first-frame [PAGE_DIR...]]');
    }
  }
  if (!Number.isInteger(options.repetitions) || options.repetitions < 1)
    throw new Error('--repetitions needs a whole number from 1');
  if (options.firstFrame && !options.firstFrame.length) options.firstFrame.push(pageDir);
  return options;
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// CPU seconds (user + system) of everything under this process, that is of
// Chromium's processes, from /proc: in all, and for its GPU process and its
// renderer processes apart. Processes that ended in between are not counted,
// so both readings are taken while the page's processes live.
function chromiumCpuSeconds() {
  const ticks = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));
  const children = new Map();
  const cpu = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    let stat, commandLine;
    try {
      stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      commandLine = fs.readFileSync(`/proc/${entry}/cmdline`, 'utf8');
    } catch {
      continue; // ended meanwhile
    }
    // The name, in parentheses, may hold spaces; the fields follow it.
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    const pid = Number(entry), parent = Number(fields[1]);
    const type = (/--type=([a-z-]+)/.exec(commandLine) || [])[1];
    cpu.set(pid, { seconds: (Number(fields[11]) + Number(fields[12])) / ticks, type });
    if (!children.has(parent)) children.set(parent, []);
    children.get(parent).push(pid);
  }
  const totals = { all: 0, gpu: 0, renderer: 0 };
  const pending = [...(children.get(process.pid) || [])];
  while (pending.length) {
    const pid = pending.pop();
    const { seconds, type } = cpu.get(pid) || { seconds: 0 };
    totals.all += seconds;
    if (type === 'gpu-process') totals.gpu += seconds;
    if (type === 'renderer') totals.renderer += seconds;
    pending.push(...(children.get(pid) || []));
  }
  return totals;
}

async function waitForStatus(page, timeout) {
  await page.waitForFunction(
    () => document.getElementById('status').dataset.exitStatus !== undefined, { timeout, polling: 250 });
  const { status, text } = await page.evaluate(() => {
    const line = document.getElementById('status');
    return { status: Number(line.dataset.exitStatus), text: line.textContent };
  });
  if (status !== 0) throw new Error(`the page ended with status ${status}: ${text}`);
}

// One snapshot-mode run of `frames` frames in a fresh context: wall time,
// CPU time (all, GPU process, renderer) and main-thread script time, in
// milliseconds.
async function pageSnapshotRun(browser, server, frames) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    const session = await page.createCDPSession();
    await session.send('Performance.enable');
    const metric = async (name) =>
      (await session.send('Performance.getMetrics')).metrics.find((m) => m.name === name).value;
    const cpuBefore = chromiumCpuSeconds();
    const scriptBefore = await metric('ScriptDuration');
    const start = performance.now();
    await page.goto(`${server.url}quellor.html?frames=${frames}`);
    await waitForStatus(page, 600000);
    const wall = performance.now() - start;
    const script = (await metric('ScriptDuration')) - scriptBefore;
    const cpu = chromiumCpuSeconds();
    return {
      wall,
      cpu: (cpu.all - cpuBefore.all) * 1000,
      gpu: (cpu.gpu - cpuBefore.gpu) * 1000,
      renderer: (cpu.renderer - cpuBefore.renderer) * 1000,
      script: script * 1000,
    };
  } finally {
    await context.close();
  }
}

// Navigation start to the first presented frame, in a fresh context, with
// when Start was enabled and when the question was answered on the way. The
// page script clicks Start as soon as it is enabled and then reads the
// canvas on each animation frame until a pixel is not black.
async function pageFirstFrame(browser, url) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => {
      const marks = {};
      // The start question, answered No (windowed) as soon as it is shown:
      // the page's own box, or the browser's confirm() of earlier pages.
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
          const button = document.getElementById('start');
          if (marks.ready === undefined && button && !button.disabled) {
            marks.ready = performance.now();
            button.click();
          }
          if (marks.ready !== undefined) {
            const canvas = document.getElementById('canvas');
            copy.width = canvas.width;
            copy.height = canvas.height;
            const context2d = copy.getContext('2d', { willReadFrequently: true });
            context2d.drawImage(canvas, 0, 0);
            const bytes = context2d.getImageData(0, 0, copy.width, copy.height).data;
            for (let i = 0; i < bytes.length; i += 4) {
              if (bytes[i] | bytes[i + 1] | bytes[i + 2]) {
                marks.first = performance.now();
                resolve(marks);
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
    const marks = await page.evaluate(() => window.quellorFirstFrame);
    await page.evaluate(() => Module._quellor_close());
    return marks;
  } finally {
    await context.close();
  }
}

// Runs a command; its wall and CPU (user + system of it and its children)
// milliseconds, read with bash's `times`.
function timedRun(command, args, cwd) {
  const script = 'start=$EPOCHREALTIME; "$@" >/dev/null || exit $?; end=$EPOCHREALTIME; echo "$start $end"; times';
  const result = spawnSync('bash', ['-c', script, 'timed', command, ...args], { cwd, encoding: 'utf8' });
  if (result.status !== 0) throw new Error(`${command} ${args.join(' ')} failed: ${result.stderr}`);
  const lines = result.stdout.trim().split('\n');
  const [start, end] = lines[0].split(' ').map(Number);
  const seconds = (text) => {
    const [, minutes, secs] = /(\d+)m([\d.]+)s/.exec(text);
    return Number(minutes) * 60 + Number(secs);
  };
  const [user, system] = lines[2].split(' ');
  return { wall: (end - start) * 1000, cpu: (seconds(user) + seconds(system)) * 1000 };
}

function nativeSnapshotRun(frames, out) {
  return timedRun(path.join(nativeBin, 'quellor-snapshot'),
    ['--frames', String(frames), '--out', out, '--textures', nativeBin], nativeBin);
}

function nativeFrameBench(repetitions) {
  const report = JSON.parse(execFileSync(path.join(nativeBin, 'quellor_frame_bench'), [
    '--benchmark_filter=^RenderFrame/', `--benchmark_repetitions=${repetitions}`,
    '--benchmark_report_aggregates_only=true', '--benchmark_format=json',
  ], { encoding: 'utf8' }));
  // One repetition has no aggregates, only its own record.
  const record = report.benchmarks.find((b) => b.aggregate_name === 'median') || report.benchmarks[0];
  const scale = { ns: 1e-6, us: 1e-3, ms: 1, s: 1e3 }[record.time_unit];
  return record.real_time * scale;
}

function nativeFirstFrame() {
  const output = execFileSync(path.join(nativeBin, 'quellor-perf-probe'), ['first-frame'],
    { cwd: nativeBin, encoding: 'utf8' });
  return Number(/first-frame-ms ([\d.]+)/.exec(output)[1]);
}

function pageWeight(dir = pageDir) {
  return kPageFiles.map((name) => {
    const file = path.join(dir, name);
    return {
      file: name,
      bytes: fs.statSync(file).size,
      gzip: execFileSync('gzip', ['-9', '-c', file], { maxBuffer: 1 << 28 }).length,
    };
  });
}

function perFrame(short, long) {
  return (long - short) / (kLongRun - kShortRun);
}

function table(rows) {
  const widths = rows[0].map((_, c) => Math.max(...rows.map((row) => String(row[c]).length)));
  return rows.map((row) => row.map((cell, c) => String(cell).padEnd(widths[c])).join('  ').trimEnd())
    .join('\n');
}

// The first-frame marks of `pages` (page folders) in each engine here, the
// engines and pages alternated within each repetition: resolves to
// { engine: { version, runs: [[marks of each repetition] for each page] } }.
async function firstFrames(pages, repetitions) {
  const servers = await Promise.all(pages.map((dir) => serveFolder(dir)));
  const sessions = {};
  try {
    for (const engine of Object.keys(kEngines)) {
      const missing = engineMissing(engine);
      if (missing) console.log(`${engine}: not measured (${missing})`);
      else sessions[engine] = await launchEngine(engine);
    }
    const figures = {};
    for (const [engine, session] of Object.entries(sessions))
      figures[engine] = { version: await session.browser.version(), runs: pages.map(() => []) };
    for (let repetition = 1; repetition <= repetitions; repetition++) {
      process.stderr.write(`first frames, repetition ${repetition} of ${repetitions}...\n`);
      for (const [engine, session] of Object.entries(sessions)) {
        for (let i = 0; i < servers.length; i++) {
          figures[engine].runs[i].push(
            await pageFirstFrame(session.browser, servers[i].url + 'quellor.html'));
        }
      }
    }
    return figures;
  } finally {
    for (const session of Object.values(sessions)) await session.close();
    await Promise.all(servers.map((server) => server.close()));
  }
}

const answerToFrame = (marks) => marks.first - marks.answered;

function printFirstFrames(figures, pages, repetitions) {
  const ms = (values) => `${median(values).toFixed(1)} ms`;
  const rows = [['Browser', 'Page', 'answer to first frame', 'navigation to first frame', 'answer to frame, runs']];
  for (const { version, runs } of Object.values(figures)) {
    pages.forEach((dir, i) => rows.push([version, dir, ms(runs[i].map(answerToFrame)),
      ms(runs[i].map((marks) => marks.first)),
      runs[i].map((marks) => answerToFrame(marks).toFixed(1)).join(', ')]));
  }
  console.log(`Medians of ${repetitions} runs, the engines and pages alternated\n`);
  console.log(table(rows));
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  if (options.firstFrame) {
    const figures = await firstFrames(options.firstFrame, options.repetitions);
    printFirstFrames(figures, options.firstFrame, options.repetitions);
    for (const dir of options.firstFrame) {
      console.log(`\n${dir}:`);
      printWeight(pageWeight(dir));
    }
    return;
  }
  for (const name of kPageFiles)
    if (!fs.existsSync(path.join(pageDir, name))) throw new Error(`${pageDir}/${name} is missing: build the web preset`);
  for (const name of ['quellor-snapshot', 'quellor_frame_bench', 'quellor-perf-probe'])
    if (!fs.existsSync(path.join(nativeBin, name))) throw new Error(`${nativeBin}/${name} is missing: build the default preset`);

  const first = await firstFrames([pageDir], options.repetitions);
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quellor-web-figures-'));
  const server = await serveFolder(pageDir);
  const { browser, close } = await launchEngine('chromium');
  const pageKeys = ['wall', 'cpu', 'gpu', 'renderer', 'script'];
  const samples = { nativeWall: [], nativeCpu: [], nativeFirst: [] };
  for (const key of pageKeys) samples[key] = [];
  try {
    for (let repetition = 1; repetition <= options.repetitions; repetition++) {
      process.stderr.write(`frames, repetition ${repetition} of ${options.repetitions}...\n`);
      const short = await pageSnapshotRun(browser, server, kShortRun);
      const long = await pageSnapshotRun(browser, server, kLongRun);
      for (const key of pageKeys) samples[key].push(perFrame(short[key], long[key]));
      const nativeShort = nativeSnapshotRun(kShortRun, path.join(scratch, 'short.png'));
      const nativeLong = nativeSnapshotRun(kLongRun, path.join(scratch, 'long.png'));
      samples.nativeWall.push(perFrame(nativeShort.wall, nativeLong.wall));
      samples.nativeCpu.push(perFrame(nativeShort.cpu, nativeLong.cpu));
      samples.nativeFirst.push(nativeFirstFrame());
    }
    const chromiumRuns = first.chromium.runs[0];
    const firefoxRuns = first.firefox?.runs[0];
    const figures = {
      date: new Date().toISOString().slice(0, 10),
      chromium: await browser.version(),
      firefox: first.firefox?.version ?? null,
      repetitions: options.repetitions,
      firstFrameMs: median(chromiumRuns.map((marks) => marks.first)),
      readyMs: median(chromiumRuns.map((marks) => marks.ready)),
      answerToFirstFrameMs: median(chromiumRuns.map(answerToFrame)),
      firefoxFirstFrameMs: firefoxRuns ? median(firefoxRuns.map((marks) => marks.first)) : null,
      firefoxAnswerToFirstFrameMs: firefoxRuns ? median(firefoxRuns.map(answerToFrame)) : null,
      frameWallMs: median(samples.wall),
      frameCpuMs: median(samples.cpu),
      frameGpuProcessCpuMs: median(samples.gpu),
      frameRendererCpuMs: median(samples.renderer),
      frameScriptMs: median(samples.script),
      nativeFrameMs: nativeFrameBench(options.repetitions),
      nativeSnapshotWallMs: median(samples.nativeWall),
      nativeSnapshotCpuMs: median(samples.nativeCpu),
      nativeFirstFrameMs: median(samples.nativeFirst),
      weight: pageWeight(),
      weightGoalBytes: kWeightGoal,
      frameGoalRatio: kFrameGoal,
    };
    print(figures);
    if (options.json) fs.writeFileSync(options.json, JSON.stringify(figures, null, 2) + '\n');
  } finally {
    await close();
    await server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
}

function print(f) {
  const ms = (value) => `${value.toFixed(value < 10 ? 2 : 1)} ms`;
  const ratio = (value) => `${value.toFixed(1)}×`;
  console.log(`Chromium ${f.chromium} headless, WebGL on SwiftShader; median of ${f.repetitions} runs\n`);
  console.log(table([
    ['Measure', 'Page', 'Native', 'Page / native'],
    ['navigation start to first frame', ms(f.firstFrameMs), ms(f.nativeFirstFrameMs), ratio(f.firstFrameMs / f.nativeFirstFrameMs)],
    ['  of which until Start is enabled', ms(f.readyMs), '', ''],
    ['the start question\'s answer to first frame', ms(f.answerToFirstFrameMs), '', ''],
    ...(f.firefox ? [
      [`Firefox ${f.firefox}: navigation start to first frame`, ms(f.firefoxFirstFrameMs), '', ''],
      ['  the start question\'s answer to first frame', ms(f.firefoxAnswerToFirstFrameMs), '', ''],
    ] : []),
    ['frame, wall time (snapshot mode)', ms(f.frameWallMs), ms(f.nativeSnapshotWallMs), ratio(f.frameWallMs / f.nativeSnapshotWallMs)],
    ['frame, CPU time of all processes', ms(f.frameCpuMs), ms(f.nativeSnapshotCpuMs), ratio(f.frameCpuMs / f.nativeSnapshotCpuMs)],
    ['  of which the GPU process (SwiftShader)', ms(f.frameGpuProcessCpuMs), '', ''],
    ['  of which the page\'s renderer process', ms(f.frameRendererCpuMs), '', ''],
    ['frame, script time (ScriptDuration)', ms(f.frameScriptMs), '', ''],
    ['frame, quellor_frame_bench RenderFrame', '', ms(f.nativeFrameMs), ''],
  ]));
  const frameRatio = f.frameCpuMs / f.nativeFrameMs;
  console.log(`\nThe page's CPU time per frame over the native frame time (RenderFrame): ${ratio(frameRatio)} ` +
    `(goal at most ${f.frameGoalRatio}×: ${frameRatio <= f.frameGoalRatio ? 'met' : 'not met'})\n`);
  printWeight(f.weight);
}

function printWeight(weight) {
  const total = weight.reduce((sum, w) => ({ bytes: sum.bytes + w.bytes, gzip: sum.gzip + w.gzip }), { bytes: 0, gzip: 0 });
  const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;
  console.log(table([
    ['File', 'Size', 'gzip -9'],
    ...weight.map((w) => [w.file, kib(w.bytes), kib(w.gzip)]),
    ['total', kib(total.bytes), kib(total.gzip)],
  ]));
  console.log(`\nPage weight, compressed: ${total.gzip} bytes ` +
    `(goal at most ${kWeightGoal} bytes: ${total.gzip <= kWeightGoal ? 'met' : 'not met'})`);
}

main().catch((error) => {
  console.error(`web-figures: ${error.message}`);
  process.exit(1);
});
