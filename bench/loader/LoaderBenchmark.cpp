// Decoding large bitmap files from the page cache into packed RGB: the
// program's loader beside the other contestants (LoaderContestants.h). Prints
// each figure, the ratios to the memcpy line, and the peak memory of one load.
#include "BenchmarkPictures.h"

#include <BitmapLoader.h>
#include <LoaderContestants.h>
#include <PlatformControl.h>

#include <benchmark/benchmark.h>

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

// Each iteration decodes the picture once.
void Decode(benchmark::State &state, const LoaderContestant &contestant,
            const BenchmarkPicture &picture) {
  const size_t outputSize = static_cast<size_t>(picture.width) * picture.height * 3;
  for (auto _ : state) {
    if (const char *failure = contestant.decode(picture.path, outputSize)) {
      state.SkipWithError(failure);
      break;
    }
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

  for (const BenchmarkPicture &picture : pictures) {
    for (const LoaderContestant &contestant : kLoaderContestants) {
      benchmark::RegisterBenchmark((picture.name + "/" + contestant.name).c_str(), Decode,
                                   contestant, picture)
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
