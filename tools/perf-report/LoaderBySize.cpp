// Loader throughput by image size, beside stb_image, SDL2 and the memcpy line.
#include <BenchmarkBitmaps.h>
#include <BitmapLoader.h>
#include <MappedFile.h>
#include <PlatformControl.h>

#include <SDL.h>
#include <stb/stb_image.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "PerfProbe.h"

namespace {

// Each sample repeats the decode for at least this long.
const double kSampleSeconds = 0.1;

bool DecodeWithLoader(const std::string &path, int) {
  RgbImage *image = LoadBitmapAsRgb(path.c_str(), 0);
  if (!image)
    return false;
  std::free(image->pixels);
  std::free(image);
  return true;
}

bool DecodeWithStb(const std::string &path, int) {
  MappedFile file = MapFile(path);
  int width, height, channels;
  unsigned char *pixels = file.data ? stbi_load_from_memory(file.data, static_cast<int>(file.size),
                                                            &width, &height, &channels, 3)
                                    : nullptr;
  UnmapFile(file);
  stbi_image_free(pixels);
  return pixels != nullptr;
}

bool DecodeWithSdl(const std::string &path, int) {
  SDL_Surface *surface = SDL_LoadBMP(path.c_str());
  SDL_Surface *rgb =
      surface ? SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0) : nullptr;
  SDL_FreeSurface(surface);
  SDL_FreeSurface(rgb);
  return rgb != nullptr;
}

// The floor under every decoder: map the file, allocate the output and copy
// the output's size (the pixel bits hold slightly more) into it.
bool CopyWithMemcpy(const std::string &path, int side) {
  MappedFile file = MapFile(path);
  size_t outputSize = static_cast<size_t>(side) * side * 3;
  unsigned char *pixels = static_cast<unsigned char *>(std::malloc(outputSize));
  bool copied = file.data && pixels && file.size >= outputSize;
  if (copied) {
    std::memcpy(pixels, file.data, outputSize);
    // The copy has no reader; this keeps the compiler from dropping it.
    asm volatile("" : : "r"(pixels) : "memory");
  }
  UnmapFile(file);
  std::free(pixels);
  return copied;
}

} // namespace

double Median(std::vector<double> &values) {
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int MeasureLoaderBySize(int samples) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("quellor-perf-probe-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  // The loader runs as in the desktop program, whose backend keeps no call
  // log.
  control::Reset();
  control::SetCallLogging(false);
  const struct {
    const char *name;
    bool (*decode)(const std::string &, int);
  } decoders[] = {{"loader", DecodeWithLoader},
                  {"stb_image", DecodeWithStb},
                  {"SDL2", DecodeWithSdl},
                  {"memcpy", CopyWithMemcpy}};
  int status = 0;
  for (int side = 64; side <= 4096; side *= 2) {
    const std::string path = (directory / ("side" + std::to_string(side) + ".bmp")).string();
    if (!WriteBitmapFile(path, PackedBitmap(side, 3))) {
      std::fprintf(stderr, "quellor-perf-probe: cannot write %s\n", path.c_str());
      return 1;
    }
    for (const auto &decoder : decoders) {
      std::vector<double> milliseconds;
      for (int sample = 0; sample < samples; ++sample) {
        int runs = 0;
        const auto start = std::chrono::steady_clock::now();
        double elapsed = 0;
        do {
          if (!decoder.decode(path, side)) {
            std::fprintf(stderr, "quellor-perf-probe: %s failed on %s\n", decoder.name,
                         path.c_str());
            status = 1;
            break;
          }
          ++runs;
          elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        } while (elapsed < kSampleSeconds);
        if (runs > 0)
          milliseconds.push_back(elapsed * 1000.0 / runs);
      }
      if (milliseconds.empty())
        continue;
      double median = Median(milliseconds);
      double imageMiB = side * 3.0 * side / 1048576.0;
      std::printf("loader-size %d %s %.4f %.1f\n", side, decoder.name, median,
                  imageMiB / (median / 1000.0));
    }
    std::filesystem::remove(path);
  }
  std::filesystem::remove_all(directory);
  return status;
}
