// The page's figures in headless Chromium on this machine, beside the native
// program's on Mesa's headless renderer:
//   - navigation start to the first frame the program presents after Start
//     (the canvas is polled on each animation frame; the start question is
//     answered "No" at once, as a person's answer is not the page's time),
//     and from the answer to that frame;
//   - the cost of a frame in snapshot mode (?frames=N, no pause, nothing
//     waits for the display): wall time, CPU time of all of Chromium's
//     processes and of its GPU process (where SwiftShader draws) and the
//     page's renderer process (the program's WebAssembly and script, and
//     its WebGL calls) apart, and the script time of the page's main thread
//     (DevTools ScriptDuration). Each is the difference between a long and a
//     short run over the frames between them, so that loading and start-up
//     cancel out. quellor-snapshot is measured the same way, and
//     quellor_frame_bench's RenderFrame is the native frame time;
//   - the page's weight: each file compressed with gzip -9.
// Prints a table; --json FILE also writes the figures for
// tools/perf-report/write-report.py. A benchmark: it sets no pass mark.
//
//   node bench/web/web-figures.mjs [--repetitions N] [--json FILE]
//
// QUELLOR_WEB_PAGE_DIR (build/web) and QUELLOR_NATIVE_BIN (build/default/bin)
// say where the page and the native programs are.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { launchBrowser, serveFolder } from '../../tests/web/support/page.mjs';

const repository = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const pageDir = process.env.QUELLOR_WEB_PAGE_DIR || path.join(repository, 'build/web');
const nativeBin = process.env.QUELLOR_NATIVE_BIN || path.join(repository, 'build/default/bin');

// Frames of the short and the long run; the per-frame figures are over the
// 1200 frames between them.
const kShortRun = 100;
const kLongRun = 1300;
const kPageFiles = ['quellor.html', 'quellor.js', 'quellor.wasm', 'tex1.bmp', 'tex2.bmp', 'tex3.bmp'];
const kWeightGoal = 1000000; // bytes, compressed
const kFrameGoal = 2; // the page's CPU time per frame over the native frame time

function parseArguments(argv) {
  const options = { repetitions: Number(process.env.QUELLOR_PERF_REPETITIONS || 5), json: null };
  for (let i = 0; i < argv.length; i++) {
    if (argv[i] === '--repetitions' && i + 1 < argv.length) options.repetitions = Number(argv[++i]);
    else if (argv[i] === '--json' && i + 1 < argv.length) options.json = argv[++i];
    else throw new Error(`unknown argument ${argv[i]}; usage: web-figures.mjs [--repetitions N] [--json FILE]`);
  }
  if (!Number.isInteger(options.repetitions) || options.repetitions < 1)
    throw new Error('--repetitions needs a whole number from 1');
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
    () => document.getElementById('status').dataset.exitStatus !== undefined, null,
    { timeout, polling: 250 });
  const status = Number(await page.evaluate(() => document.getElementById('status').dataset.exitStatus));
  if (status !== 0) throw new Error(`the page ended with status ${status}: ${await page.textContent('#status')}`);
}

// One snapshot-mode run of `frames` frames in a fresh context: wall time,
// CPU time (all, GPU process, renderer) and main-thread script time, in
// milliseconds.
async function pageSnapshotRun(browser, server, frames) {
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    const session = await context.newCDPSession(page);
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

// Navigation start to the first presented frame, in a fresh context. The
// page script clicks Start as soon as it is enabled and then reads the
// canvas on each animation frame until a pixel is not black.
async function pageFirstFrame(browser, server) {
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    await page.addInitScript(() => {
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
    await page.goto(`${server.url}quellor.html`);
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

function pageWeight() {
  return kPageFiles.map((name) => {
    const file = path.join(pageDir, name);
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

async function main() {
  const options = parseArguments(process.argv.slice(2));
  for (const name of kPageFiles)
    if (!fs.existsSync(path.join(pageDir, name))) throw new Error(`${pageDir}/${name} is missing: build the web preset`);
  for (const name of ['quellor-snapshot', 'quellor_frame_bench', 'quellor-perf-probe'])
    if (!fs.existsSync(path.join(nativeBin, name))) throw new Error(`${nativeBin}/${name} is missing: build the default preset`);

  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quellor-web-figures-'));
  const server = await serveFolder(pageDir);
  const browser = await launchBrowser();
  const pageKeys = ['wall', 'cpu', 'gpu', 'renderer', 'script'];
  const samples = { first: [], ready: [], answered: [], nativeWall: [], nativeCpu: [], nativeFirst: [] };
  for (const key of pageKeys) samples[key] = [];
  try {
    for (let repetition = 1; repetition <= options.repetitions; repetition++) {
      process.stderr.write(`repetition ${repetition} of ${options.repetitions}...\n`);
      const marks = await pageFirstFrame(browser, server);
      samples.first.push(marks.first);
      samples.ready.push(marks.ready);
      samples.answered.push(marks.first - marks.answered);
      const short = await pageSnapshotRun(browser, server, kShortRun);
      const long = await pageSnapshotRun(browser, server, kLongRun);
      for (const key of pageKeys) samples[key].push(perFrame(short[key], long[key]));
      const nativeShort = nativeSnapshotRun(kShortRun, path.join(scratch, 'short.png'));
      const nativeLong = nativeSnapshotRun(kLongRun, path.join(scratch, 'long.png'));
      samples.nativeWall.push(perFrame(nativeShort.wall, nativeLong.wall));
      samples.nativeCpu.push(perFrame(nativeShort.cpu, nativeLong.cpu));
      samples.nativeFirst.push(nativeFirstFrame());
    }
    const figures = {
      date: new Date().toISOString().slice(0, 10),
      chromium: browser.version(),
      repetitions: options.repetitions,
      firstFrameMs: median(samples.first),
      readyMs: median(samples.ready),
      answerToFirstFrameMs: median(samples.answered),
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
    await browser.close();
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
  const total = f.weight.reduce((sum, w) => ({ bytes: sum.bytes + w.bytes, gzip: sum.gzip + w.gzip }), { bytes: 0, gzip: 0 });
  const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;
  console.log(table([
    ['File', 'Size', 'gzip -9'],
    ...f.weight.map((w) => [w.file, kib(w.bytes), kib(w.gzip)]),
    ['total', kib(total.bytes), kib(total.gzip)],
  ]));
  console.log(`\nPage weight, compressed: ${total.gzip} bytes ` +
    `(goal at most ${f.weightGoalBytes} bytes: ${total.gzip <= f.weightGoalBytes ? 'met' : 'not met'})`);
}

main().catch((error) => {
  console.error(`web-figures: ${error.message}`);
  process.exit(1);
});
