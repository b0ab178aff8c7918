// Timings of the whole program on the headless backend: the first frame, the
// F1 recreation and the peak memory of a session.
#include <windows.h>

#include <GL/gl.h>

#include <PlatformControl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "AppState.h"
#include "PerfProbe.h"
#include "RenderFrame.h"
#include "SceneWindow.h"

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

long StatusKib(const char *field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0)
      return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

} // namespace

int MeasureFirstFrame() {
  appState.isFullscreen = 0;
  const auto start = std::chrono::steady_clock::now();
  if (!CreateSceneWindow()) {
    std::fprintf(stderr, "quellor-perf-probe: window creation failed\n");
    return 1;
  }
  RenderFrame();
  SwapBuffers(appState.deviceContext);
  glFinish();
  std::printf("first-frame-ms %.3f\n", MillisecondsSince(start));
  DestroySceneWindow();
  return 0;
}

int MeasureRecreation(int samples) {
  appState.isFullscreen = 0;
  if (!CreateSceneWindow()) {
    std::fprintf(stderr, "quellor-perf-probe: window creation failed\n");
    return 1;
  }
  std::vector<double> milliseconds;
  for (int sample = 0; sample < samples; ++sample) {
    const auto start = std::chrono::steady_clock::now();
    DestroySceneWindow();
    appState.isFullscreen = appState.isFullscreen == 0 ? 1 : 0;
    if (!CreateSceneWindow()) {
      std::fprintf(stderr, "quellor-perf-probe: recreation failed\n");
      return 1;
    }
    glFinish();
    milliseconds.push_back(MillisecondsSince(start));
    control::ClearCallLog();
  }
  std::printf("recreation-ms %.3f\n", Median(milliseconds));
  DestroySceneWindow();
  return 0;
}

int MeasurePeakMemory() {
  control::QueueMessageBoxAnswer(IDNO);
  control::PostBeforeFrame(100, WM_KEYDOWN, VK_F1, 0);
  control::PostBeforeFrame(200, WM_KEYDOWN, VK_F1, 0);
  control::PostBeforeFrame(300, WM_CLOSE, 0, 0);
  int status = WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
  if (status != 0) {
    std::fprintf(stderr, "quellor-perf-probe: the session ended with %d\n", status);
    return 1;
  }
  std::printf("peak-kib %ld\n", StatusKib("VmHWM:"));
  return 0;
}
