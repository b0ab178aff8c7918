// Display modes and the cursor. The display is the harness's 1024x768 Xvfb
// screen with a 640x480 mode added; its real size is read with xdpyinfo.
#include "DesktopWindow.h"
#include <Core.h>
#include <PlatformControl.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string ScreenSize() {
  FILE *pipe = popen("xdpyinfo | awk '/dimensions:/ {print $2}'", "r");
  if (pipe == nullptr)
    return "";
  char text[64] = {};
  const bool read = std::fgets(text, sizeof text, pipe) != nullptr;
  pclose(pipe);
  std::string size = read ? text : "";
  while (!size.empty() && size.back() == '\n')
    size.pop_back();
  return size;
}

// Pumps the queue while waiting for the screen to reach the size.
bool ScreenBecomes(const std::string &size) {
  const Uint32 start = SDL_GetTicks();
  while (SDL_GetTicks() - start < kDeadlineMs) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&msg);
    if (ScreenSize() == size)
      return true;
    SDL_Delay(50);
  }
  return false;
}

DEVMODEA Mode(DWORD width, DWORD height, DWORD bits) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmBitsPerPel = bits;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return mode;
}

bool IsFullscreen(HWND window) {
  return SDL_GetWindowFlags(static_cast<SDL_Window *>(control::SurfaceOf(window))) &
         SDL_WINDOW_FULLSCREEN;
}

using DisplayModes = DesktopTest;

TEST_F(DisplayModes, PopupWindowShowsInTheChangedModeUntilRestored) {
  ASSERT_EQ(ScreenSize(), "1024x768");
  DEVMODEA mode = Mode(640, 480, 16);
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ASSERT_NE(CreateProgramWindow(WS_POPUP, WS_EX_APPWINDOW), nullptr);
  EXPECT_TRUE(IsFullscreen(window));
  // A popup is sized inside CreateWindowExA.
  ASSERT_EQ(receivedMessages.size(), 3u);
  EXPECT_EQ(receivedMessages[2].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(receivedMessages[2].lParam, MAKELPARAM(640, 480));
  ShowWindow(window, SW_SHOW);
  EXPECT_TRUE(ScreenBecomes("640x480"));
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_TRUE(ScreenBecomes("1024x768"));
  EXPECT_FALSE(IsFullscreen(window));
}

TEST_F(DisplayModes, ModesTheDisplayLacksAreRefused) {
  DEVMODEA odd = Mode(641, 479, 16);
  EXPECT_EQ(ChangeDisplaySettingsA(&odd, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  // The screen is 24 bits deep.
  DEVMODEA deep = Mode(640, 480, 32);
  EXPECT_EQ(ChangeDisplaySettingsA(&deep, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  DEVMODEA unsized = Mode(640, 480, 16);
  unsized.dmSize = 0;
  EXPECT_EQ(ChangeDisplaySettingsA(&unsized, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  // After a refusal a popup window is an ordinary window.
  ASSERT_NE(CreateProgramWindow(WS_POPUP, WS_EX_APPWINDOW), nullptr);
  EXPECT_FALSE(IsFullscreen(window));
}

TEST_F(DisplayModes, OnlyPopupWindowsTakeTheMode) {
  DEVMODEA mode = Mode(640, 480, 16);
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ASSERT_NE(CreateProgramWindow(WS_OVERLAPPEDWINDOW, 0), nullptr);
  EXPECT_FALSE(IsFullscreen(window));
}

TEST(DisplayModeAtExit, ModeComesBackWhenTheProcessEndsWithoutTearDown) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "ExitWnd";
        RegisterClassA(&windowClass);
        DEVMODEA mode = Mode(640, 480, 16);
        ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
        HWND window = CreateWindowExA(WS_EX_APPWINDOW, "ExitWnd", "Quellor", WS_POPUP, 0, 0, 640,
                                      480, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        if (ScreenBecomes("640x480"))
          std::fputs("switched\n", stderr);
        std::exit(3);
      },
      ::testing::ExitedWithCode(3), "switched");
  EXPECT_EQ(ScreenSize(), "1024x768");
}

TEST(Cursor, HiddenWhileTheDisplayCounterIsNegative) {
  ASSERT_TRUE(platform::core::BackendReady());
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  EXPECT_EQ(ShowCursor(FALSE), -2);
  EXPECT_EQ(ShowCursor(TRUE), -1);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

} // namespace
