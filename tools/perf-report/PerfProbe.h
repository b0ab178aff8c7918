// The measurements of quellor-perf-probe. Each prints its figures to
// standard output, one per line, for make-report.sh to collect.
#ifndef QUELLOR_PERF_PROBE_H
#define QUELLOR_PERF_PROBE_H

#include <vector>

// Square 24-bit files of 64 to 4096 pixels a side, each decoded by the
// program's loader, stb_image, SDL2 and the mmap + malloc + memcpy line;
// prints "loader-size <side> <decoder> <median ms> <MiB of image per s>".
int MeasureLoaderBySize(int samples);

// From a fresh process's first platform call to its first presented frame:
// window, context, textures, one frame. Prints "first-frame-ms <ms>".
int MeasureFirstFrame();

// The F1 recreation (tear-down, mode flip, creation with the textures),
// alternating windowed and fullscreen; prints "recreation-ms <median ms>".
int MeasureRecreation(int samples);

// The resident high-water mark of a whole session of the program: start,
// 300 frames, two F1 recreations, close. Prints "peak-kib <KiB>".
int MeasurePeakMemory();

// The median of the values, which it sorts.
double Median(std::vector<double> &values);

#endif
