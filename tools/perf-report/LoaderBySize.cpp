// Loader throughput by image size, beside stb_image, SDL2 and the memcpy line.
#include <BenchmarkBitmaps.h>
#include <LoaderContestants.h>
#include <PlatformControl.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "PerfProbe.h"

namespace {

// Each sample repeats the decode for at least this long.
const double kSampleSeconds = 0.1;

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
  int status = 0;
  for (int side = 64; side <= 4096; side *= 2) {
    const std::string path = (directory / ("side" + std::to_string(side) + ".bmp")).string();
    if (!WriteBitmapFile(path, PackedBitmap(side, 3))) {
      std::fprintf(stderr, "quellor-perf-probe: cannot write %s\n", path.c_str());
      return 1;
    }
    const size_t outputSize = static_cast<size_t>(side) * side * 3;
    for (const LoaderContestant &decoder : kLoaderContestants) {
      std::vector<double> milliseconds;
      for (int sample = 0; sample < samples; ++sample) {
        int runs = 0;
        const auto start = std::chrono::steady_clock::now();
        double elapsed = 0;
        do {
          if (const char *failure = decoder.decode(path, outputSize)) {
            std::fprintf(stderr, "quellor-perf-probe: %s failed on %s: %s\n", decoder.name,
                         path.c_str(), failure);
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
