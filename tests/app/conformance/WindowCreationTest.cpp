// Creating and tearing down the window: its geometry in both modes, the
// display-mode fall-back, each failure of the platform steps and the
// tear-down's guards.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "AppState.h"
#include "PlatformControl.h"
#include "SceneWindow.h"
#include "ShellTest.h"

namespace {

const DWORD kClipStyles = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

class WindowCreationTest : public ShellTest {};

TEST_F(WindowCreationTest, WindowedModeHasA640By480ClientAreaAtTheTopLeft) {
  appState.isFullscreen = 0;
  ASSERT_EQ(CreateSceneWindow(), 1);

  control::WindowInfo window = control::CurrentWindow();
  ASSERT_TRUE(window.exists);
  EXPECT_EQ(window.className, "QuellorWnd");
  EXPECT_EQ(window.title, "Quellor");
  EXPECT_EQ(window.style & ~WS_VISIBLE, WS_OVERLAPPEDWINDOW | kClipStyles);
  EXPECT_EQ(window.exStyle, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
  EXPECT_EQ(window.x, 0);
  EXPECT_EQ(window.y, 0);
  EXPECT_EQ(window.clientWidth, 640);
  EXPECT_EQ(window.clientHeight, 480);
  EXPECT_GT(window.width, 640) << "the frame must be added around the client area";
  EXPECT_GT(window.height, 480);
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(window.focused);
  EXPECT_EQ(appState.viewportWidth, 640);
  EXPECT_EQ(appState.viewportHeight, 480);
  EXPECT_FALSE(control::DisplayModeChanged());
  EXPECT_EQ(control::CursorCounter(), 0);
  EXPECT_TRUE(control::MessageBoxesShown().empty());

  DestroySceneWindow();
  ExpectNothingHeld();
}

TEST_F(WindowCreationTest, FullscreenHidesTheCursorUntilTearDownRestoresTheDisplay) {
  appState.isFullscreen = 1;
  ASSERT_EQ(CreateSceneWindow(), 1);

  control::WindowInfo window = control::CurrentWindow();
  ASSERT_TRUE(window.exists);
  EXPECT_EQ(window.style & ~WS_VISIBLE, WS_POPUP | kClipStyles);
  EXPECT_EQ(window.exStyle, WS_EX_APPWINDOW);
  EXPECT_EQ(window.x, 0);
  EXPECT_EQ(window.y, 0);
  EXPECT_EQ(window.width, 640);
  EXPECT_EQ(window.height, 480);
  EXPECT_TRUE(control::DisplayModeChanged());
  EXPECT_EQ(control::CallLog()[FindCall("ChangeDisplaySettingsA")].arguments,
            "{156, 0x1C0000, 640, 480, 16}, 0x4");
  EXPECT_EQ(control::CursorCounter(), -1);

  DestroySceneWindow();
  ExpectNothingHeld();
  EXPECT_EQ(appState.isFullscreen, 1) << "tear-down leaves the mode flag alone";
}

TEST_F(WindowCreationTest, RefusedDisplayModeFallsBackToAWindowWhenTheUserAgrees) {
  control::SetDisplayModeAvailable(false);
  control::QueueMessageBoxAnswer(IDYES);
  appState.isFullscreen = 1;
  ASSERT_EQ(CreateSceneWindow(), 1);

  EXPECT_EQ(control::MessageBoxesShown().size(), 1u);
  ExpectMessageBox(0, "Nepodarilo se prejit do celoobrazovkoveho\nrezimu. Pouzit okenni mod?",
                   "Okenni mod?", MB_YESNO | MB_ICONEXCLAMATION);
  EXPECT_EQ(appState.isFullscreen, 0);
  control::WindowInfo window = control::CurrentWindow();
  EXPECT_EQ(window.style & ~WS_VISIBLE, WS_OVERLAPPEDWINDOW | kClipStyles);
  EXPECT_EQ(window.clientWidth, 640);
  EXPECT_EQ(window.clientHeight, 480);
  EXPECT_EQ(control::CursorCounter(), 0);

  DestroySceneWindow();
  ExpectNothingHeld();
}

TEST_F(WindowCreationTest, RefusedDisplayModeEndsTheProgramOnAnyOtherAnswer) {
  for (int answer : {IDNO, IDCANCEL}) {
    SCOPED_TRACE(answer);
    control::Reset();
    appState = AppState();
    control::SetDisplayModeAvailable(false);
    control::QueueMessageBoxAnswer(IDYES); // the start question
    control::QueueMessageBoxAnswer(answer);

    EXPECT_EQ(RunProgram(), 1);
    EXPECT_EQ(control::MessageBoxesShown().size(), 3u);
    ExpectMessageBox(2, "Program bude nyni ukoncen.", "CHYBA", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(CountCalls("CreateWindowExA"), 0);
    EXPECT_EQ(CountCalls("ShowCursor"), 0);
    EXPECT_FALSE(control::DisplayModeChanged());
  }
}

TEST_F(WindowCreationTest, ClassRegistrationFailureIsReportedWithoutTearDown) {
  control::FailCall("RegisterClassA");
  control::QueueMessageBoxAnswer(IDYES);

  EXPECT_EQ(RunProgram(), 1);
  EXPECT_EQ(control::MessageBoxesShown().size(), 2u);
  ExpectMessageBox(1, "Nepovedlo se zaregistrovat tridu okna.", "ERROR",
                   MB_OK | MB_ICONEXCLAMATION);
  std::vector<std::string> names = control::CallNames();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.back(), "MessageBoxA");
  EXPECT_EQ(CountCalls("ChangeDisplaySettingsA"), 0);
  EXPECT_EQ(CountCalls("CreateWindowExA"), 0);
  EXPECT_EQ(CountCalls("UnregisterClassA"), 0);
}

struct CreationFailure {
  const char *failingCall;
  const char *text;
  // The tear-down's release calls that must follow, in order, before the
  // message: only what was obtained before the failing step.
  std::vector<std::string> release;
};

void PrintTo(const CreationFailure &failure, std::ostream *out) { *out << failure.failingCall; }

class CreationFailureTest : public ShellTest,
                            public ::testing::WithParamInterface<CreationFailure> {};

// In fullscreen, so that the tear-down must also restore the display and
// show the cursor again.
TEST_P(CreationFailureTest, TearsDownThenReportsThenEndsWithStatusOne) {
  const CreationFailure &failure = GetParam();
  control::QueueMessageBoxAnswer(IDYES);
  control::FailCall(failure.failingCall);

  EXPECT_EQ(RunProgram(), 1);

  EXPECT_EQ(control::MessageBoxesShown().size(), 2u);
  ExpectMessageBox(1, failure.text, "CHYBA", MB_OK | MB_ICONEXCLAMATION);

  // From the failing call on: the tear-down's calls, then the message last.
  const std::set<std::string> watched = {"ChangeDisplaySettingsA", "ShowCursor", "wglMakeCurrent",
                                         "wglDeleteContext",       "ReleaseDC",  "DestroyWindow",
                                         "UnregisterClassA",       "MessageBoxA"};
  std::vector<std::string> names = control::CallNames();
  // The failing call is the first of its name; the tear-down may repeat it.
  int failed = FindCall(failure.failingCall);
  ASSERT_GE(failed, 0);
  std::vector<std::string> after;
  for (size_t i = failed + 1; i < names.size(); ++i)
    if (watched.count(names[i]))
      after.push_back(names[i]);
  std::vector<std::string> expected = {"ChangeDisplaySettingsA", "ShowCursor"};
  expected.insert(expected.end(), failure.release.begin(), failure.release.end());
  expected.push_back("UnregisterClassA");
  expected.push_back("MessageBoxA");
  EXPECT_EQ(after, expected);
  EXPECT_EQ(names.back(), "MessageBoxA");
  ExpectNothingHeld();
}

INSTANTIATE_TEST_SUITE_P(
    EachPlatformStep, CreationFailureTest,
    ::testing::Values(
        CreationFailure{"CreateWindowExA", "Chyba pri vytvareni okna.", {}},
        CreationFailure{"GetDC", "Nelze ziskat kontext zarizeni.", {"DestroyWindow"}},
        CreationFailure{"ChoosePixelFormat",
                        "Nelze najit vyhovujici pixel format.",
                        {"ReleaseDC", "DestroyWindow"}},
        CreationFailure{
            "SetPixelFormat", "Nelze nastavit pixel format.", {"ReleaseDC", "DestroyWindow"}},
        CreationFailure{
            "wglCreateContext", "Nelze vytvorit GL kontext.", {"ReleaseDC", "DestroyWindow"}},
        CreationFailure{"wglMakeCurrent",
                        "Nelze aktivovat GL kontext.",
                        {"wglMakeCurrent", "wglDeleteContext", "ReleaseDC", "DestroyWindow"}}),
    [](const ::testing::TestParamInfo<CreationFailure> &info) {
      return std::string(info.param.failingCall);
    });

TEST_F(WindowCreationTest, MissingTextureEndsStartUpSilentlyWithStatusOne) {
  RemoveTexture("tex2.bmp");
  EXPECT_EQ(RunProgram(), 1);
  ASSERT_EQ(control::MessageBoxesShown().size(), 1u) << "only the start question";
  EXPECT_EQ(FramesRendered(), 0);
}

TEST_F(WindowCreationTest, SecondTearDownOnlyRepeatsTheDisplayAndCursorSteps) {
  appState.isFullscreen = 0;
  ASSERT_EQ(CreateSceneWindow(), 1);
  DestroySceneWindow();
  control::ClearCallLog();
  DestroySceneWindow();
  EXPECT_TRUE(control::CallNames().empty());

  appState.isFullscreen = 1;
  ASSERT_EQ(CreateSceneWindow(), 1);
  DestroySceneWindow();
  control::ClearCallLog();
  DestroySceneWindow();
  EXPECT_EQ(control::CallNames(),
            (std::vector<std::string>{"ChangeDisplaySettingsA", "ShowCursor"}));
  EXPECT_EQ(control::Live().windows, 0);
  EXPECT_EQ(control::Live().registeredClasses, 0);
}

} // namespace
