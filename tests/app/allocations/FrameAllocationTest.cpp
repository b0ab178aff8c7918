// A frame of the program allocates nothing. The whole program runs on the
// headless backend with the call hook off, as in the desktop program where
// nothing watches the platform calls: once for 100 frame passes and once for
// 1,100, with the same start-up and tear-down. Every heap allocation of the
// process is counted; apart from those the OpenGL driver makes for its own
// drawing (Mesa's software renderer allocates as it draws), the longer run
// may not make a single one more: neither the program nor the platform
// allocates in a frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "AppState.h"
#include "HeapCounter.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "ScratchDirectory.h"
#include <PlatformCalls.h>

namespace {

// Allocations of one run from start to close after the given frame passes.
AllocationCount AllocationsOfRun(int framePasses) {
  control::Reset();
  control::SetCallLogging(false);
  control::SetFramePassLimit(0);
  control::QueueMessageBoxAnswer(IDNO);
  control::PostBeforeFrame(framePasses + 1, WM_CLOSE, 0, 0);
  appState = AppState();
  StartCountingAllocations();
  const int status = WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
  const AllocationCount allocations = StopCountingAllocations();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(control::FramePasses(), framePasses);
  EXPECT_FALSE(platform::CallsWatched()) << "the call hook must be off";
  return allocations;
}

using FrameAllocationTest = PlatformTest;

TEST_F(FrameAllocationTest, AThousandFramePassesAllocateNothing) {
  if (!AllocationsCounted())
    GTEST_SKIP() << "the sanitizer's allocator cannot be replaced";
  ScratchDirectory directory;
  ASSERT_TRUE(directory.ok());
  AllocationsOfRun(100); // first-use allocations of the driver and the libraries
  const AllocationCount shortRun = AllocationsOfRun(100);
  const AllocationCount longRun = AllocationsOfRun(1100);
  const long program = (longRun.total - longRun.byDriver) - (shortRun.total - shortRun.byDriver);
  std::printf("heap allocations in 1,000 frame passes: %ld by the program and the platform, "
              "%ld by the OpenGL driver (runs of 100 and 1,100 frame passes: %ld and %ld in all)\n",
              program, longRun.byDriver - shortRun.byDriver, shortRun.total, longRun.total);
  EXPECT_GT(shortRun.total - shortRun.byDriver, 0) << "the counter counts nothing";
  EXPECT_EQ(program, 0);
}

} // namespace
