// The entry function run from start to exit: the start question, ending by
// Escape or by closing the window, and the loop while minimised.
#include <gtest/gtest.h>

#include <windows.h>

#include "AppState.h"
#include "PlatformControl.h"
#include "ShellTest.h"

namespace {

class MainLoopTest : public ShellTest {};

class StartAnswerTest : public ShellTest, public ::testing::WithParamInterface<int> {};

TEST_F(MainLoopTest, StartQuestionIsAskedFirstAndNoMeansWindowed) {
  EXPECT_EQ(RunAnswering(IDNO, {{1, WM_KEYDOWN, VK_ESCAPE, 0}}), VK_ESCAPE);

  EXPECT_EQ(control::MessageBoxesShown().size(), 1u);
  ExpectMessageBox(0, "Prejete si celoobrazovkovy rezim?", "Cela obrazovka?",
                   MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(control::CallNames().front(), "MessageBoxA");
  EXPECT_EQ(appState.isFullscreen, 0);
  EXPECT_EQ(CountCalls("ChangeDisplaySettingsA"), 0);
  EXPECT_EQ(CountCalls("ShowCursor"), 0);
  ExpectNothingHeld();
}

TEST_P(StartAnswerTest, AnyOtherAnswerMeansFullscreen) {
  EXPECT_EQ(RunAnswering(GetParam(), {{1, WM_KEYDOWN, VK_ESCAPE, 0}}), VK_ESCAPE);

  EXPECT_EQ(appState.isFullscreen, 1);
  // One switch at creation, one restore at tear-down.
  EXPECT_EQ(CountCalls("ChangeDisplaySettingsA"), 2);
  EXPECT_EQ(CountCalls("ShowCursor"), 2);
  ExpectNothingHeld();
}

INSTANTIATE_TEST_SUITE_P(Answers, StartAnswerTest, ::testing::Values(IDYES, IDCANCEL, IDOK));

// A question nobody saw (the box could not be shown: 0) must not switch the
// display: the program starts windowed.
TEST_F(MainLoopTest, StartQuestionThatCouldNotBeShownMeansWindowed) {
  control::FailCall("MessageBoxA");
  control::PostBeforeFrame(1, WM_KEYDOWN, VK_ESCAPE, 0);

  EXPECT_EQ(RunProgram(), VK_ESCAPE);

  EXPECT_EQ(appState.isFullscreen, 0);
  EXPECT_EQ(CountCalls("ChangeDisplaySettingsA"), 0);
  EXPECT_EQ(CountCalls("ShowCursor"), 0);
  ExpectNothingHeld();
}

// The pass that finds Escape still draws, but the frame is not shown; the
// status is the parameter of the last message taken, whatever it was: here
// the character Escape types, posted after the system command.
TEST_F(MainLoopTest, EscapeEndsAfterAnUnpresentedFrameWithTheLastMessagesParameter) {
  EXPECT_EQ(
      RunAnswering(IDNO, {{3, WM_KEYDOWN, VK_ESCAPE, 0}, {3, WM_SYSCOMMAND, SC_SCREENSAVE, 0}}),
      0x1B);

  EXPECT_EQ(control::FramePasses(), 3);
  EXPECT_EQ(FramesRendered(), 3);
  EXPECT_EQ(control::FramesPresented(), 2);
  EXPECT_EQ(CountCalls("SwapBuffers"), 2);
  EXPECT_FLOAT_EQ(appState.wanderX, 20.3f) << "three animation steps";
  EXPECT_LT(FindCall("SwapBuffers", CallPositions("Sleep").back()), 0)
      << "the last frame must not be presented";
  ExpectNothingHeld();
}

TEST_F(MainLoopTest, EscapeInFullscreenRestoresTheDisplayAndTheCursor) {
  EXPECT_EQ(RunAnswering(IDYES, {{2, WM_KEYDOWN, VK_ESCAPE, 0}}), VK_ESCAPE);

  EXPECT_EQ(FramesRendered(), 2);
  EXPECT_EQ(control::FramesPresented(), 1);
  std::vector<int> displayCalls = CallPositions("ChangeDisplaySettingsA");
  ASSERT_EQ(displayCalls.size(), 2u);
  EXPECT_GT(displayCalls[1], CallPositions("Sleep").back()) << "restored at the end";
  EXPECT_EQ(control::CallLog()[displayCalls[1]].arguments.rfind("NULL, ", 0), 0u);
  ExpectNothingHeld();
}

TEST_F(MainLoopTest, EscapeReleasedBeforeTheNextFrameDoesNotEnd) {
  EXPECT_EQ(RunAnswering(IDNO, {{2, WM_KEYDOWN, VK_ESCAPE, 0},
                                {2, WM_KEYUP, VK_ESCAPE, 0},
                                {4, WM_KEYDOWN, VK_ESCAPE, 0}}),
            VK_ESCAPE);

  EXPECT_EQ(FramesRendered(), 4);
  EXPECT_EQ(control::FramesPresented(), 3);
}

TEST_F(MainLoopTest, ClosingTheWindowEndsWithStatusZeroAndReleasesEverything) {
  EXPECT_EQ(RunAnswering(IDNO, {{2, WM_KEYDOWN, VK_SHIFT, 0}, {2, WM_CLOSE, 0, 0}}), 0);

  EXPECT_EQ(FramesRendered(), 1);
  EXPECT_EQ(control::FramesPresented(), 1);
  // The quit request comes first; the window goes only in the final tear-down.
  std::vector<int> destroys = CallPositions("DestroyWindow");
  ASSERT_EQ(destroys.size(), 1u);
  EXPECT_GT(destroys[0], FindCall("PostQuitMessage"));
  EXPECT_GE(FindCall("PostQuitMessage"), 0);
  EXPECT_EQ(CountCalls("UnregisterClassA"), 1);
  ExpectNothingHeld();
}

// Minimised: no drawing and no pause, but the buffers are still swapped on
// every pass; Escape still ends the loop.
TEST_F(MainLoopTest, MinimisedPassesNeitherDrawNorSleep) {
  EXPECT_EQ(RunAnswering(IDNO, {{2, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0},
                                {6, WM_KEYDOWN, VK_ESCAPE, 0}}),
            VK_ESCAPE);

  EXPECT_EQ(control::FramePasses(), 6);
  EXPECT_EQ(FramesRendered(), 1);
  EXPECT_FLOAT_EQ(appState.wanderX, 20.1f);
  EXPECT_EQ(CountCalls("SwapBuffers"), 5);
  ExpectNothingHeld();
}

TEST_F(MainLoopTest, RestoringTheWindowResumesDrawing) {
  EXPECT_EQ(RunAnswering(IDNO, {{2, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0},
                                {4, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0},
                                {6, WM_KEYDOWN, VK_ESCAPE, 0}}),
            VK_ESCAPE);

  EXPECT_EQ(FramesRendered(), 4); // passes 1, 4, 5 and 6
  EXPECT_EQ(CountCalls("SwapBuffers"), 5);
}

} // namespace
