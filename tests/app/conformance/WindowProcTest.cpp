// The window procedure's message table, driven through a real window as the
// platform would send the messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "AppState.h"
#include "PlatformControl.h"
#include "SceneWindow.h"
#include "ShellTest.h"

namespace {

class WindowProcTest : public ShellTest {
protected:
  void SetUp() override {
    ShellTest::SetUp();
    if (HasFatalFailure())
      return;
    appState.isFullscreen = 0;
    ASSERT_EQ(CreateSceneWindow(), 1);
    control::ClearCallLog();
  }
  void TearDown() override {
    DestroySceneWindow();
    ShellTest::TearDown();
  }

  // Sends the message and tells whether it went on to default handling.
  bool ReachesDefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    int before = CountCalls("DefWindowProcA");
    control::SendToWindow(message, wParam, lParam);
    return CountCalls("DefWindowProcA") > before;
  }
};

TEST_F(WindowProcTest, OnlyTheMinimisedWordOfActivationCounts) {
  struct Step {
    WPARAM wParam;
    int isActive;
  } steps[] = {
      {MAKEWPARAM(WA_ACTIVE, 1), 0},   // minimised while active
      {MAKEWPARAM(WA_INACTIVE, 0), 1}, // restored but another window in front
      {MAKEWPARAM(WA_INACTIVE, 1), 0}, // minimised
      {MAKEWPARAM(WA_ACTIVE, 0), 1},   // restored
      {MAKEWPARAM(WA_ACTIVE, 0x8000), 0},
  };
  for (const Step &step : steps) {
    EXPECT_EQ(control::SendToWindow(WM_ACTIVATE, step.wParam, 0), 0);
    EXPECT_EQ(appState.isActive, step.isActive) << std::hex << step.wParam;
  }
  EXPECT_EQ(CountCalls("DefWindowProcA"), 0);
}

TEST_F(WindowProcTest, OnlyTheExactScreenSaverAndMonitorPowerCommandsAreSwallowed) {
  EXPECT_FALSE(ReachesDefaultHandling(WM_SYSCOMMAND, SC_SCREENSAVE, 0));
  EXPECT_FALSE(ReachesDefaultHandling(WM_SYSCOMMAND, SC_MONITORPOWER, 2));
  EXPECT_EQ(control::SendToWindow(WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  // The low four bits belong to the parameter: these are other commands.
  EXPECT_TRUE(ReachesDefaultHandling(WM_SYSCOMMAND, SC_SCREENSAVE | 1, 0));
  EXPECT_TRUE(ReachesDefaultHandling(WM_SYSCOMMAND, SC_MONITORPOWER | 2, 0));
  EXPECT_TRUE(ReachesDefaultHandling(WM_SYSCOMMAND, 0x10000 | SC_SCREENSAVE, 0));
}

TEST_F(WindowProcTest, CloseAsksToQuitButLeavesTheWindow) {
  EXPECT_EQ(control::SendToWindow(WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(CountCalls("PostQuitMessage"), 1);
  EXPECT_EQ(CountCalls("DestroyWindow"), 0);
  EXPECT_TRUE(control::CurrentWindow().exists);
  MSG msg = {};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(WindowProcTest, KeyMessagesSetAndClearTheirFlags) {
  EXPECT_EQ(control::SendToWindow(WM_KEYDOWN, VK_SPACE, 0), 0);
  EXPECT_EQ(appState.KeyState[VK_SPACE], 1);
  control::SendToWindow(WM_KEYDOWN, VK_SPACE, 0x40000001); // a repeat
  EXPECT_EQ(appState.KeyState[VK_SPACE], 1);
  control::SendToWindow(WM_KEYDOWN, 255, 0);
  EXPECT_EQ(appState.KeyState[255], 1);
  EXPECT_EQ(control::SendToWindow(WM_KEYUP, VK_SPACE, 0), 0);
  EXPECT_EQ(appState.KeyState[VK_SPACE], 0);
  EXPECT_EQ(appState.KeyState[255], 1);
  EXPECT_EQ(CountCalls("DefWindowProcA"), 0);
}

TEST_F(WindowProcTest, SystemKeysGoToDefaultHandling) {
  EXPECT_TRUE(ReachesDefaultHandling(WM_SYSKEYDOWN, VK_ESCAPE, 0));
  EXPECT_EQ(appState.KeyState[VK_ESCAPE], 0);
  appState.KeyState[VK_F1] = 1;
  EXPECT_TRUE(ReachesDefaultHandling(WM_SYSKEYUP, VK_F1, 0));
  EXPECT_EQ(appState.KeyState[VK_F1], 1);
  EXPECT_TRUE(ReachesDefaultHandling(WM_CHAR, 'a', 0));
}

// Codes past the table must not write anywhere: the members after the table
// (viewport size, textures, animation) would be overwritten first.
TEST_F(WindowProcTest, KeyCodesBeyondTheTableAreIgnored) {
  std::vector<unsigned char> before(sizeof(AppState));
  std::memcpy(before.data(), &appState, sizeof(AppState));
  for (WPARAM code :
       {WPARAM(256), WPARAM(257), WPARAM(300), WPARAM(0x10000) + VK_ESCAPE, ~WPARAM(0)}) {
    EXPECT_EQ(control::SendToWindow(WM_KEYDOWN, code, 0), 0);
    EXPECT_EQ(control::SendToWindow(WM_KEYUP, code, 0), 0);
    control::SendToWindow(WM_KEYDOWN, code, 0);
  }
  EXPECT_EQ(std::memcmp(before.data(), &appState, sizeof(AppState)), 0);
}

TEST_F(WindowProcTest, SizeMessagesPassTheClientWordsToTheViewport) {
  EXPECT_EQ(control::SendToWindow(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600)), 0);
  EXPECT_EQ(appState.viewportWidth, 800);
  EXPECT_EQ(appState.viewportHeight, 600);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);

  // Words, not signed halves: 40000 stays 40000.
  control::SendToWindow(WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 300));
  EXPECT_EQ(appState.viewportWidth, 40000);
  EXPECT_EQ(appState.viewportHeight, 300);

  control::SendToWindow(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(320, 0));
  EXPECT_EQ(appState.viewportWidth, 320);
  EXPECT_EQ(appState.viewportHeight, 1);

  if (sizeof(LPARAM) > 4) {
    // Bits above the low 32 carry nothing.
    LPARAM wide = static_cast<LPARAM>((static_cast<unsigned long long>(7) << 32) |
                                      static_cast<DWORD>(MAKELPARAM(512, 384)));
    control::SendToWindow(WM_SIZE, SIZE_RESTORED, wide);
    EXPECT_EQ(appState.viewportWidth, 512);
    EXPECT_EQ(appState.viewportHeight, 384);
  }
  EXPECT_EQ(CountCalls("DefWindowProcA"), 0);
}

} // namespace
