// F1 from the main loop: one toggle per frame pass that finds the flag, the
// window recreated in the other mode, and a failure while recreating.
#include <gtest/gtest.h>

#include <windows.h>

#include "AppState.h"
#include "PlatformControl.h"
#include "ShellTest.h"

namespace {

class FullscreenToggleTest : public ShellTest {};

TEST_F(FullscreenToggleTest, WindowIsRecreatedFullscreenAfterTheOldOneIsGone) {
  EXPECT_EQ(RunAnswering(IDNO, {{2, WM_KEYDOWN, VK_F1, 0}, {4, WM_KEYDOWN, VK_ESCAPE, 0}}),
            VK_ESCAPE);

  EXPECT_EQ(appState.isFullscreen, 1);
  EXPECT_EQ(appState.KeyState[VK_F1], 0);
  std::vector<int> creations = CallPositions("CreateWindowExA");
  std::vector<int> destructions = CallPositions("DestroyWindow");
  ASSERT_EQ(creations.size(), 2u);
  ASSERT_EQ(destructions.size(), 2u);
  // The old window and class go before the new ones are made.
  EXPECT_LT(destructions[0], creations[1]);
  EXPECT_LT(CallPositions("UnregisterClassA")[0], CallPositions("RegisterClassA")[1]);
  EXPECT_LT(creations[1], destructions[1]);
  // The display switches for the new window only, and is restored at the end.
  EXPECT_EQ(CountCalls("ChangeDisplaySettingsA"), 2);
  EXPECT_GT(FindCall("ChangeDisplaySettingsA"), destructions[0]);
  EXPECT_EQ(FramesRendered(), 4);
  ExpectNothingHeld();
}

TEST_F(FullscreenToggleTest, LeavingFullscreenRestoresTheDisplayBeforeTheWindowedOne) {
  EXPECT_EQ(RunAnswering(IDYES, {{2, WM_KEYDOWN, VK_F1, 0}, {3, WM_KEYDOWN, VK_ESCAPE, 0}}),
            VK_ESCAPE);

  EXPECT_EQ(appState.isFullscreen, 0);
  std::vector<int> displayCalls = CallPositions("ChangeDisplaySettingsA");
  ASSERT_EQ(displayCalls.size(), 2u) << "switched once, restored once";
  EXPECT_LT(displayCalls[1], CallPositions("CreateWindowExA")[1]);
  EXPECT_EQ(CountCalls("ShowCursor"), 2);
  ExpectNothingHeld();
}

// Key repeats handled between two frame passes give one toggle; the next
// pass that finds the flag set again gives another.
TEST_F(FullscreenToggleTest, EachFramePassThatFindsTheFlagTogglesOnce) {
  control::QueueMessageBoxAnswer(IDNO);
  for (int repeat = 0; repeat < 3; ++repeat)
    control::PostBeforeFrame(2, WM_KEYDOWN, VK_F1, 0x40000001);
  control::PostBeforeFrame(3, WM_KEYDOWN, VK_F1, 0x40000001);
  control::PostBeforeFrame(5, WM_KEYDOWN, VK_ESCAPE, 0);

  EXPECT_EQ(RunProgram(), VK_ESCAPE);

  EXPECT_EQ(CountCalls("CreateWindowExA"), 3);
  EXPECT_EQ(appState.isFullscreen, 0) << "windowed, fullscreen, windowed";
  ExpectNothingHeld();
}

TEST_F(FullscreenToggleTest, KeyUpBeforeTheFramePassCancelsTheToggle) {
  EXPECT_EQ(RunAnswering(IDNO, {{2, WM_KEYDOWN, VK_F1, 0},
                                {2, WM_KEYUP, VK_F1, 0},
                                {4, WM_KEYDOWN, VK_ESCAPE, 0}}),
            VK_ESCAPE);

  EXPECT_EQ(CountCalls("CreateWindowExA"), 1);
  EXPECT_EQ(appState.isFullscreen, 0);
}

TEST_F(FullscreenToggleTest, EscapeAndF1InOnePassRecreateThenEnd) {
  EXPECT_EQ(RunAnswering(IDNO, {{2, WM_KEYDOWN, VK_F1, 0}, {2, WM_KEYDOWN, VK_ESCAPE, 0}}),
            VK_ESCAPE);

  std::vector<int> creations = CallPositions("CreateWindowExA");
  ASSERT_EQ(creations.size(), 2u);
  EXPECT_GT(CallPositions("DestroyWindow").back(), creations[1]);
  EXPECT_EQ(appState.isFullscreen, 1);
  EXPECT_EQ(FramesRendered(), 2);
  EXPECT_EQ(control::FramesPresented(), 1);
  EXPECT_EQ(control::FramePasses(), 2) << "no pass after the one that found Escape";
  ExpectNothingHeld();
}

TEST_F(FullscreenToggleTest, FailureWhileRecreatingEndsWithStatusOne) {
  control::QueueMessageBoxAnswer(IDNO);
  control::FailCall("wglCreateContext", 2);
  control::PostBeforeFrame(2, WM_KEYDOWN, VK_F1, 0);

  EXPECT_EQ(RunProgram(), 1);

  EXPECT_EQ(control::MessageBoxesShown().size(), 2u);
  ExpectMessageBox(1, "Nelze vytvorit GL kontext.", "CHYBA", MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(control::FramePasses(), 2);
  EXPECT_EQ(control::CallNames().back(), "MessageBoxA") << "nothing runs after the failure";
  ExpectNothingHeld();
}

} // namespace
