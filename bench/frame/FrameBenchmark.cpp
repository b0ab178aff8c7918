// Frame cost at 640x480 on the headless backend (llvmpipe), with the textured
// and lit scene set up as the program does:
//   ClearOnly     glClear + glFinish, the floor under any frame;
//   RenderFrame   RenderFrame + glFinish with the 2 ms pause skipped;
//   PacedFrame    the same with the pause on, as the program runs, beside its
//                 ceiling of one frame per (pause + render time).
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <PlatformControl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "RenderFrame.h"
#include "SnapshotScene.h"

namespace {

const double kPauseSeconds = 0.002;

void RenderAndFinish() {
  RenderFrame();
  glFinish();
}

void ClearOnly(benchmark::State &state) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
  }
}
BENCHMARK(ClearOnly)->Unit(benchmark::kMicrosecond)->UseRealTime();

void RenderFrameSkippingPause(benchmark::State &state) {
  control::SetRealSleep(false);
  for (auto _ : state)
    RenderAndFinish();
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(RenderFrameSkippingPause)
    ->Name("RenderFrame")
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// Mean seconds per frame with the pause skipped, over a short run.
double MeanRenderSeconds(int frames) {
  control::SetRealSleep(false);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i)
    RenderAndFinish();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / frames;
}

void PacedFrame(benchmark::State &state) {
  const double renderSeconds = MeanRenderSeconds(200);
  control::SetRealSleep(true);
  for (auto _ : state)
    RenderAndFinish();
  control::SetRealSleep(false);
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["ceiling_fps"] = 1.0 / (kPauseSeconds + renderSeconds);
  state.counters["render_ms"] = renderSeconds * 1000.0;
}
BENCHMARK(PacedFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;

  // The textures are read from beside the program, as when it runs.
  std::filesystem::current_path(QUELLOR_RUNTIME_DIR);
  std::string error;
  if (!snapshot::StartSnapshotScene(&error)) {
    std::fprintf(stderr, "quellor_frame_bench: %s\n", error.c_str());
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  snapshot::StopSnapshotScene();
  benchmark::Shutdown();
  return 0;
}
