// quellor-perf-probe <measurement> [samples], run in the directory that holds
// the program's textures.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "PerfProbe.h"

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: quellor-perf-probe loader-sizes|first-frame|recreation|peak-memory "
                 "[samples]\n");
    return 2;
  }
  int samples = argc > 2 ? std::atoi(argv[2]) : 5;
  if (samples < 1)
    samples = 1;
  if (std::strcmp(argv[1], "loader-sizes") == 0)
    return MeasureLoaderBySize(samples);
  if (std::strcmp(argv[1], "first-frame") == 0)
    return MeasureFirstFrame();
  if (std::strcmp(argv[1], "recreation") == 0)
    return MeasureRecreation(samples);
  if (std::strcmp(argv[1], "peak-memory") == 0)
    return MeasurePeakMemory();
  std::fprintf(stderr, "quellor-perf-probe: unknown measurement %s\n", argv[1]);
  return 2;
}
