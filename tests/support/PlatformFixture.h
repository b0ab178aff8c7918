// The base of the tests that drive the platform through its controls, on
// whichever backend the test program links, and helpers they share.
#ifndef QUELLOR_TESTS_PLATFORM_FIXTURE_H
#define QUELLOR_TESTS_PLATFORM_FIXTURE_H

#include <gtest/gtest.h>

#include "PixelFormatRequest.h"

#include <windows.h>

// Each test starts with a fresh platform and a fresh program state.
class PlatformTest : public ::testing::Test {
protected:
  void SetUp() override;
};

// Opens a 640x480 window of its own class with a current rendering context,
// through the platform functions, and stores the window, device context and
// rendering context in appState: enough for scene code to draw without the
// shell. Returns false when a step fails.
bool MakeTestContext();
// Releases what MakeTestContext made, as the shell's tear-down does.
void DestroyTestContext();

// The display mode the program asks for in fullscreen: 640x480 at 16 bits.
DEVMODEA ProgramDisplayMode();

#endif
