// The decoders that the program's loader is measured against, for the loader
// benchmark and quellor-perf-probe: the loader itself, stb_image
// (stbi_load_from_memory over a mapping), SDL2 (SDL_LoadBMP, then conversion
// to RGB24) and the floor every decoder stands on: mmap the file, malloc the
// output and memcpy the output's size into it.
#ifndef QUELLOR_BENCH_LOADER_CONTESTANTS_H
#define QUELLOR_BENCH_LOADER_CONTESTANTS_H

#include <cstddef>
#include <string>

struct LoaderContestant {
  const char *name;
  // Decodes the file whose picture takes outputSize bytes as packed RGB, then
  // frees the picture. Returns null on success, otherwise why it failed.
  const char *(*decode)(const std::string &path, size_t outputSize);
};

// The loader, stb_image, SDL2 and memcpy, in that order.
extern const LoaderContestant kLoaderContestants[4];

#endif
