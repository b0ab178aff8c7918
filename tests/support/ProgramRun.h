// Runs the whole program on the headless backend with one platform call made
// to fail, and gathers what the run left behind: its exit status, the message
// boxes it showed and the resources still held at the end.
#ifndef QUELLOR_TESTS_PROGRAM_RUN_H
#define QUELLOR_TESTS_PROGRAM_RUN_H

#include <windows.h>

#include <string>
#include <vector>

#include "PlatformControl.h"

// The script a run follows: the start question answered for the given mode,
// optionally F1 before the second frame (one recreation in the other mode), a
// close before the third frame and, should that close get lost, another
// before the fifth.
struct RunScript {
  bool startFullscreen;
  bool toggleOnce = true;
};

struct RunOutcome {
  int status;
  std::vector<control::MessageBoxShown> boxes; // every box after the start question
  control::LiveResources live;                 // loader kinds relative to the run's start
  bool displayChanged;
  int cursorCounter;
  HWND window; // appState.windowHandle at the end
  std::vector<control::PlatformCall> calls;
};

// The frame-pass limit of a run; reaching it ends the run with 0xDEAD.
const int kSweepFramePassLimit = 40;
const int kFramePassLimitStatus = 0xDEAD;

// Runs WinMain once from a fresh platform and program state. With a non-empty
// name, the nth call of that name fails.
RunOutcome RunProgram(const RunScript &script, const std::string &failingCall = "", int nth = 0);

#endif
