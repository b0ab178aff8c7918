// The bitmap files the loader benchmark decodes, written into a directory.
#ifndef QUELLOR_BENCHMARK_PICTURES_H
#define QUELLOR_BENCHMARK_PICTURES_H

#include <string>
#include <vector>

struct BenchmarkPicture {
  std::string name; // "rgb24", "pal8", "rgb32", "rle8"
  std::string path;
  int width;
  int height;
};

// Writes a 4096x4096 24-bit, 8-bit paletted and 32-bit file and a 2048x2048
// RLE8 file into directory; returns them in that order.
std::vector<BenchmarkPicture> WriteBenchmarkPictures(const std::string &directory);

#endif
