#!/usr/bin/env python3
"""Writes docs/performance.md and its plot from the results that
make-report.sh collected: the benchmarks' JSON output (medians of the
repetitions), the loader benchmark's printed peak memory, the lines of
quellor-perf-probe and the page's figures from bench/web/web-figures.mjs."""

import json
import os
import platform
import re
import statistics
import subprocess
import sys
from datetime import date

PACKAGES = {
    "loader": None,
    "stb_image": "libstb0",
    "SDL2": "libsdl2-2.0-0",
    "memcpy": "libc6",
}
DECODERS = ["loader", "stb_image", "SDL2", "memcpy"]


def package_version(name):
    try:
        return subprocess.run(["dpkg-query", "-W", "-f=${Version}", name], check=True,
                              capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return "not installed"


def medians(path):
    """Benchmark name -> its median aggregate (the whole JSON record)."""
    with open(path) as f:
        report = json.load(f)
    def base_name(run_name):
        # Drops the parts Google Benchmark appends: "real_time", "repeats:5".
        return "/".join(part for part in run_name.split("/")
                        if part != "real_time" and ":" not in part)
    return {base_name(b["run_name"]): b for b in report["benchmarks"]
            if b.get("aggregate_name") == "median"}


def milliseconds(record):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[record["time_unit"]]
    return record["real_time"] * scale


def machine():
    cpu = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    debian = open("/etc/debian_version").read().strip() if os.path.exists(
        "/etc/debian_version") else "?"
    return (f"{cpu}, {os.cpu_count()} cores, {os.sysconf('SC_PHYS_PAGES') * os.sysconf('SC_PAGE_SIZE') // 2**30} GiB, "
            f"Linux {platform.release()}, Debian {debian}")


def browser_section(path):
    """The lines of the Browser section, from web-figures.mjs's JSON."""
    with open(path) as f:
        web = json.load(f)
    def ms(value):
        return f"{value:.2f} ms" if value < 10 else f"{value:.1f} ms"
    def ratio(page, native):
        return f"{page / native:.1f}×"
    out = ["## Browser\n"]
    out.append(f"The page (`build/web`, the `web` preset) in Debian's headless Chromium "
               f"{web['chromium']}, with WebGL on SwiftShader (the CPU), beside the program on "
               "the headless backend (`bench/web/web-figures.mjs`). A frame's cost is measured in "
               "snapshot mode (`quellor.html?frames=N`: no pause, nothing waits for the display) "
               "as the difference between a 100-frame and a 1300-frame run over the 1200 frames "
               "between them, so that loading and start-up cancel out; quellor-snapshot is "
               "measured the same way. The first frame is the first canvas picture with a lit "
               "pixel after Start, read on each animation frame, from the navigation's start; the "
               "start question is answered at once, and the native figure is "
               "`quellor-perf-probe first-frame`'s. CPU time is the page's in all of Chromium's "
               "processes, the native program's with llvmpipe's threads; the page's is split "
               "between Chromium's GPU process, where SwiftShader draws, and the page's renderer "
               "process, which runs the program's WebAssembly and script and makes its WebGL "
               "calls. Regenerate these alone with `node bench/web/web-figures.mjs`. With "
               "`--first-frame [PAGE_DIR...]` it measures only the time to the first frame, in "
               "Chromium and in Firefox ESR (on an Xvfb of its own) alternated, for the builds given.\n")
    out.append("| Measure | Page | Native | Page / native |\n|---|---|---|---|")
    out.append(f"| navigation start to the first frame | {ms(web['firstFrameMs'])} | "
               f"{ms(web['nativeFirstFrameMs'])} | "
               f"{ratio(web['firstFrameMs'], web['nativeFirstFrameMs'])} |")
    out.append(f"| of which until Start is enabled (page loaded, textures fetched) | "
               f"{ms(web['readyMs'])} | – | – |")
    out.append(f"| frame, wall time | {ms(web['frameWallMs'])} | "
               f"{ms(web['nativeSnapshotWallMs'])} | "
               f"{ratio(web['frameWallMs'], web['nativeSnapshotWallMs'])} |")
    out.append(f"| frame, CPU time | {ms(web['frameCpuMs'])} | {ms(web['nativeSnapshotCpuMs'])} | "
               f"{ratio(web['frameCpuMs'], web['nativeSnapshotCpuMs'])} |")
    out.append(f"| of which Chromium's GPU process (SwiftShader) | "
               f"{ms(web['frameGpuProcessCpuMs'])} | – | – |")
    out.append(f"| of which the page's renderer process | {ms(web['frameRendererCpuMs'])} | – | – |")
    out.append(f"| frame, script and WebAssembly time (DevTools ScriptDuration) | "
               f"{ms(web['frameScriptMs'])} | – | – |")
    out.append("")
    frame_ratio = web["frameCpuMs"] / web["nativeFrameMs"]
    goal = web["frameGoalRatio"]
    out.append(f"The page's CPU time per frame is {frame_ratio:.1f}× the native frame time "
               f"(`quellor_frame_bench` RenderFrame, {ms(web['nativeFrameMs'])} in the same run); "
               f"the goal is at most {goal}×: {'met' if frame_ratio <= goal else 'not met'}. "
               f"{web['frameGpuProcessCpuMs'] / web['frameCpuMs']:.0%} of that time is SwiftShader "
               "drawing in the GPU process: this machine has no graphics card, so Chromium's "
               "WebGL runs on the CPU.\n")
    out.append("Where SwiftShader's time goes, measured once by switching parts off in a "
               "build of the page (wall time per frame in snapshot mode, 6.5 ms in all): "
               "clearing the back buffer and copying it to the canvas about 3.3 ms, the scene's "
               "six draws about 3.2 ms, of which texturing about 1.3 ms. Without the copy "
               "the frames cost nothing measurable, even with glFinish after each: the GPU "
               "process seems to do a frame's work only when the canvas it feeds is "
               "updated.\n")
    total = sum(w["bytes"] for w in web["weight"])
    packed = sum(w["gzip"] for w in web["weight"])
    out.append("The page's weight, each file compressed with `gzip -9` as a web server would "
               "send it:\n")
    out.append("| File | Size | gzip -9 |\n|---|---|---|")
    for w in web["weight"]:
        out.append(f"| {w['file']} | {w['bytes'] / 1024:.1f} KiB | {w['gzip'] / 1024:.1f} KiB |")
    out.append(f"| total | {total / 1024:.1f} KiB | {packed / 1024:.1f} KiB |")
    out.append("")
    goal_bytes = web["weightGoalBytes"]
    out.append(f"The goal is at most {goal_bytes / 1e6:g} MB ({goal_bytes} bytes) compressed: "
               f"{'met' if packed <= goal_bytes else 'not met'}, with {packed} bytes.\n")
    return out


def main():
    results, docs = sys.argv[1], sys.argv[2]
    loader = medians(os.path.join(results, "loader.json"))
    frame = medians(os.path.join(results, "frame.json"))
    with open(os.path.join(results, "loader.txt")) as f:
        peak_lines = [line.strip() for line in f if line.startswith("peak memory")]
    probe = {"first-frame-ms": [], "peak-kib": [], "recreation-ms": []}
    sizes = {}
    with open(os.path.join(results, "probe.txt")) as f:
        for line in f:
            fields = line.split()
            if fields[0] == "loader-size":
                sizes.setdefault(int(fields[1]), {})[fields[2]] = (float(fields[3]), float(fields[4]))
            elif fields[0] in probe:
                probe[fields[0]].append(float(fields[1]))
    repetitions = len(probe["first-frame-ms"])

    out = []
    out.append("# Performance\n")
    out.append(f"Measured on {date.today().isoformat()} on {machine()}, with the `default` preset "
               "(Release) and the headless backend (Mesa llvmpipe, "
               f"`libgl1-mesa-dri` {package_version('libgl1-mesa-dri')}). Every figure is the "
               f"median of {repetitions} runs on that machine; it was shared with other work, so "
               "the figures vary by some tens of percent from one report to the next. Regenerate "
               "with `tools/perf-report/make-report.sh`.\n")

    out.append("## Loader\n")
    out.append("Decoding a file from the page cache into packed RGB (`quellor_loader_bench`): "
               "the program's loader (with the headless call log off, as the desktop backend "
               "runs it), stb_image (`stbi_load_from_memory` over a mapping), SDL2 "
               "(`SDL_LoadBMP` and conversion to RGB24), and the line no decoder can pass: "
               "mapping the file, allocating the output and copying the output's size. Ratios "
               "are times over the memcpy line's time (lower is faster).\n")
    out.append("| Library | Debian package | Version |\n|---|---|---|")
    for decoder in DECODERS[1:]:
        out.append(f"| {decoder} | `{PACKAGES[decoder]}` | {package_version(PACKAGES[decoder])} |")
    out.append("")
    pictures = []
    for name in loader:
        picture = name.split("/")[0]
        if picture not in pictures:
            pictures.append(picture)
    out.append("| File | memcpy ms | loader | stb_image | SDL2 |\n|---|---|---|---|---|")
    for picture in pictures:
        floor = loader.get(f"{picture}/memcpy")
        if not floor:
            continue
        floor_ms = milliseconds(floor)
        cells = []
        for decoder in DECODERS[:3]:
            record = loader.get(f"{picture}/{decoder}")
            cells.append(f"{milliseconds(record) / floor_ms:.1f}×" if record else "refused")
        out.append(f"| {picture} | {floor_ms:.2f} | " + " | ".join(cells) + " |")
    out.append("")
    if peak_lines:
        out.append("Peak memory of one load, as the rise of the resident high-water mark:\n")
        out.extend(f"- {line[len('peak memory of one '):]}" for line in peak_lines)
        out.append("")
    out.append("Throughput by image size (square 24-bit files, MiB of RGB output per second, "
               "`quellor-perf-probe loader-sizes`):\n")
    out.append("![Loader throughput against image size](loader-throughput.png)\n")
    out.append("| Side | " + " | ".join(DECODERS) + " |\n" + "|---" * (len(DECODERS) + 1) + "|")
    data = []
    for side in sorted(sizes):
        row = sizes[side]
        out.append(f"| {side} | " + " | ".join(
            f"{row[d][1]:.0f}" if d in row else "–" for d in DECODERS) + " |")
        data.append(f"{side} {side * side * 3 / 2**20:.4f} " +
                    " ".join(f"{row[d][1]:.2f}" if d in row else "NaN" for d in DECODERS))
    out.append("")

    out.append("## Frames\n")
    clear = frame.get("ClearOnly")
    render = frame.get("RenderFrame")
    paced = frame.get("PacedFrame")
    out.append("At 640×480 on the headless backend (`quellor_frame_bench`); the software "
               "renderer makes these far slower than a graphics card would.\n")
    out.append("| Measure | Median |\n|---|---|")
    if clear:
        out.append(f"| bare clear + finish | {milliseconds(clear):.3f} ms |")
    if render:
        out.append(f"| frame, pause skipped | {milliseconds(render):.3f} ms "
                   f"({render.get('frames_per_second', 0):.0f} frames/s) |")
    if paced:
        out.append(f"| frame with the 2 ms pause, as the program runs | {milliseconds(paced):.3f} ms "
                   f"({paced.get('frames_per_second', 0):.0f} frames/s) |")
        out.append(f"| pause-bound ceiling, 1 / (2 ms + render) | "
                   f"{paced.get('ceiling_fps', 0):.0f} frames/s |")
    out.append("")

    out.append("## The program\n")
    out.append("`quellor-perf-probe` on the headless backend, with the program's own three "
               "textures:\n")
    out.append("| Measure | Median |\n|---|---|")
    if probe["first-frame-ms"]:
        out.append(f"| time to the first frame (fresh process: window, context, textures, one "
                   f"frame) | {statistics.median(probe['first-frame-ms']):.1f} ms |")
    if probe["recreation-ms"]:
        out.append(f"| F1 recreation (tear-down, creation, textures; median of 50) | "
                   f"{probe['recreation-ms'][0]:.1f} ms |")
    if probe["peak-kib"]:
        out.append(f"| peak resident memory of a session (300 frames, two F1) | "
                   f"{statistics.median(probe['peak-kib']) / 1024:.1f} MiB |")
    out.append("")
    out.extend(browser_section(os.path.join(results, "web.json")))

    with open(os.path.join(docs, "performance.md"), "w") as f:
        f.write("\n".join(out))
    data_path = os.path.join(sys.argv[1], "sizes.dat")
    with open(data_path, "w") as f:
        f.write("\n".join(data) + "\n")
    plot = f"""
set terminal pngcairo size 900,560 font ',10'
set output '{os.path.join(docs, "loader-throughput.png")}'
set title 'Decoding square 24-bit BMP files (median of {repetitions} runs)'
set xlabel 'image size (MiB of RGB output)'
set ylabel 'throughput (MiB/s)'
set logscale x 2
set logscale y 10
set key top left
set grid
plot for [i=3:6] '{data_path}' using 2:i with linespoints lw 2 title word('loader stb\\_image SDL2 memcpy', i-2)
"""
    subprocess.run(["gnuplot"], input=plot, text=True, check=True)


if __name__ == "__main__":
    main()
