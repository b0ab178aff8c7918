// Decoding large bitmap files from the page cache into packed RGB: the
// program's loader beside stb_image (stbi_load_from_memory over a mapping),
// SDL2 (SDL_LoadBMP, then conversion to RGB24) and the floor every decoder
// stands on: mmap the file, malloc the output and memcpy the output's size
// into it. Prints each figure, the ratios to the memcpy line, and the peak
// memory of one load.
#include "BenchmarkPictures.h"

#include <BitmapLoader.h>
#include <MappedFile.h>
#include <PlatformControl.h>

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

void DecodeWithLoader(benchmark::State &state, const BenchmarkPicture &picture) {
  for (auto _ : state) {
    RgbImage *image = LoadBitmapAsRgb(picture.path.c_str(), 0);
    if (!image) {
      state.SkipWithError("the loader refused the file");
      break;
    }
    benchmark::DoNotOptimize(image->pixels[0]);
    std::free(image->pixels);
    std::free(image);
  }
}

void DecodeWithStb(benchmark::State &state, const BenchmarkPicture &picture) {
  for (auto _ : state) {
    MappedFile file = MapFile(picture.path);
    int width, height, channels;
    unsigned char *pixels = stbi_load_from_memory(file.data, static_cast<int>(file.size), &width,
                                                  &height, &channels, 3);
    UnmapFile(file);
    if (!pixels) {
      state.SkipWithError(stbi_failure_reason());
      break;
    }
    benchmark::DoNotOptimize(pixels[0]);
    stbi_image_free(pixels);
  }
}

void DecodeWithSdl(benchmark::State &state, const BenchmarkPicture &picture) {
  for (auto _ : state) {
    SDL_Surface *surface = SDL_LoadBMP(picture.path.c_str());
    SDL_Surface *rgb =
        surface ? SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0) : nullptr;
    SDL_FreeSurface(surface);
    if (!rgb) {
      state.SkipWithError(SDL_GetError());
      break;
    }
    benchmark::DoNotOptimize(static_cast<unsigned char *>(rgb->pixels)[0]);
    SDL_FreeSurface(rgb);
  }
}

// The output's size copied from the mapping (again from its start when the
// file is smaller than the output).
void CopyWithMemcpy(benchmark::State &state, const BenchmarkPicture &picture) {
  size_t outputSize = static_cast<size_t>(picture.width) * picture.height * 3;
  for (auto _ : state) {
    MappedFile file = MapFile(picture.path);
    unsigned char *pixels = static_cast<unsigned char *>(std::malloc(outputSize));
    for (size_t done = 0; done < outputSize;) {
      size_t chunk = std::min(outputSize - done, file.size);
      std::memcpy(pixels + done, file.data, chunk);
      done += chunk;
    }
    UnmapFile(file);
    benchmark::DoNotOptimize(pixels[0]);
    std::free(pixels);
  }
}

// Keeps the median CPU time per iteration of each benchmark's repetitions, in
// milliseconds, by name: the machine may be shared, and the CPU time of this
// single thread, page faults included, is what an idle machine's wall clock
// would show. Runs that failed are kept as negative times.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> milliseconds;

  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs) {
      if (run.error_occurred) {
        milliseconds[run.run_name.function_name] = -1;
      } else if (run.aggregate_name == "median") {
        milliseconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

std::string Ratio(const std::map<std::string, double> &times, const std::string &name,
                  double floor) {
  auto found = times.find(name);
  if (found == times.end() || floor <= 0) {
    return "-";
  }
  if (found->second < 0) {
    return "refused";
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.2fx", found->second / floor);
  return text;
}

long StatusKilobytes(const char *field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) {
      return std::atol(line.c_str() + std::strlen(field));
    }
  }
  return -1;
}

// The rise of the resident set's high-water mark during one load, against the
// file's and the image's sizes.
void PrintPeakMemory(const BenchmarkPicture &picture) {
  std::ofstream("/proc/self/clear_refs") << "5";
  long before = StatusKilobytes("VmRSS:");
  RgbImage *image = LoadBitmapAsRgb(picture.path.c_str(), 0);
  long peak = StatusKilobytes("VmHWM:");
  if (image) {
    std::free(image->pixels);
    std::free(image);
  }
  double fileMiB = std::filesystem::file_size(picture.path) / 1048576.0;
  double imageMiB = picture.width * 3.0 * picture.height / 1048576.0;
  std::printf("peak memory of one %s load: %.1f MiB (file %.1f MiB, image %.1f MiB)\n",
              picture.name.c_str(), (peak - before) / 1024.0, fileMiB, imageMiB);
}

} // namespace

int main(int argc, char **argv) {
  // Every large buffer is fresh memory, as for a program that loads each
  // texture once: glibc would otherwise start to recycle freed buffers of up
  // to 32 MiB from one iteration to the next, for some decoders and not others.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("quellor-loader-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  std::vector<BenchmarkPicture> pictures = WriteBenchmarkPictures(directory.string());
  // The loader runs as in the desktop program, whose backend keeps no call
  // log.
  control::Reset();
  control::SetCallLogging(false);

  const std::pair<const char *, void (*)(benchmark::State &, const BenchmarkPicture &)> decoders[] =
      {{"loader", DecodeWithLoader},
       {"stb_image", DecodeWithStb},
       {"SDL2", DecodeWithSdl},
       {"memcpy", CopyWithMemcpy}};
  for (const BenchmarkPicture &picture : pictures) {
    for (const auto &decoder : decoders) {
      benchmark::RegisterBenchmark((picture.name + "/" + decoder.first).c_str(), decoder.second,
                                   picture)
          ->Unit(benchmark::kMillisecond)
          ->Repetitions(5)
          ->DisplayAggregatesOnly(true);
    }
  }
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nmedian CPU time, as ratios to mmap + malloc + memcpy of the output size:\n");
  std::printf("%-8s %10s %10s %10s %10s\n", "file", "memcpy ms", "loader", "stb_image", "SDL2");
  for (const BenchmarkPicture &picture : pictures) {
    const auto &times = reporter.milliseconds;
    auto floor = times.find(picture.name + "/memcpy");
    double floorMs = floor == times.end() ? 0 : floor->second;
    std::printf("%-8s %10.2f %10s %10s %10s\n", picture.name.c_str(), floorMs,
                Ratio(times, picture.name + "/loader", floorMs).c_str(),
                Ratio(times, picture.name + "/stb_image", floorMs).c_str(),
                Ratio(times, picture.name + "/SDL2", floorMs).c_str());
  }
  std::printf("\n");
  for (const BenchmarkPicture &picture : pictures) {
    PrintPeakMemory(picture);
  }
  std::filesystem::remove_all(directory);
  return 0;
}
