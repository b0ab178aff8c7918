// Window classes, window geometry, showing, focus and default handling.
#include "DesktopWindow.h"
#include <PlatformControl.h>

#include <SDL.h>

namespace {

using Windows = DesktopTest;

SDL_Window *SdlWindowOf(HWND window) {
  return static_cast<SDL_Window *>(control::SurfaceOf(window));
}

TEST_F(Windows, ClientAreaIsWhatTheAdjustedRectangleWasGrownFrom) {
  RECT framed{0, 0, 640, 480};
  ASSERT_TRUE(AdjustWindowRectEx(&framed, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_WINDOWEDGE));
  EXPECT_LT(framed.left, 0);
  EXPECT_LT(framed.top, framed.left); // the caption is above the client area
  EXPECT_GT(framed.right, 640);
  EXPECT_GT(framed.bottom, 480);
  RECT popup{0, 0, 640, 480};
  ASSERT_TRUE(AdjustWindowRectEx(&popup, WS_POPUP, FALSE, WS_EX_APPWINDOW));
  EXPECT_EQ(popup.left, 0);
  EXPECT_EQ(popup.right, 640);
  EXPECT_EQ(popup.bottom, 480);

  for (DWORD style : {static_cast<DWORD>(WS_OVERLAPPEDWINDOW), static_cast<DWORD>(WS_POPUP)}) {
    ASSERT_NE(CreateProgramWindow(style, WS_EX_APPWINDOW), nullptr);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(SdlWindowOf(window), &width, &height);
    EXPECT_EQ(width, 640) << "style " << style;
    EXPECT_EQ(height, 480) << "style " << style;
    const Uint32 flags = SDL_GetWindowFlags(SdlWindowOf(window));
    EXPECT_TRUE(flags & SDL_WINDOW_OPENGL);
    EXPECT_TRUE(flags & SDL_WINDOW_HIDDEN);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);
    EXPECT_TRUE(DestroyWindow(window));
    window = nullptr;
  }
}

TEST_F(Windows, ShowingSendsActivationFocusAndSizeBeforeReturning) {
  ASSERT_NE(CreateProgramWindow(WS_OVERLAPPEDWINDOW, 0), nullptr);
  ASSERT_EQ(receivedMessages.size(), 2u);
  EXPECT_EQ(receivedMessages[0].message, static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(receivedMessages[1].message, static_cast<UINT>(WM_CREATE));
  receivedMessages.clear();
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));
  ASSERT_EQ(receivedMessages.size(), 3u);
  EXPECT_EQ(receivedMessages[0].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(receivedMessages[0].wParam, MAKEWPARAM(WA_ACTIVE, 0));
  EXPECT_EQ(receivedMessages[1].message, static_cast<UINT>(WM_SETFOCUS));
  EXPECT_EQ(receivedMessages[2].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(receivedMessages[2].lParam, MAKELPARAM(640, 480));
  EXPECT_FALSE(SDL_GetWindowFlags(SdlWindowOf(window)) & SDL_WINDOW_HIDDEN);
  EXPECT_EQ(GetFocus(), window);
  // Showing a visible window again sends nothing.
  EXPECT_TRUE(ShowWindow(window, SW_SHOW));
  EXPECT_EQ(receivedMessages.size(), 3u);
}

TEST_F(Windows, FocusFollowsSetFocusAndDestruction) {
  ASSERT_NE(CreateProgramWindow(WS_OVERLAPPEDWINDOW, 0), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(window), nullptr);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(SetFocus(nullptr), window);
  EXPECT_EQ(GetFocus(), nullptr);
  SetFocus(window);
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(DestroyWindow(window));
  window = nullptr;
}

TEST_F(Windows, ScreenSaverCommandsAreLeftToTheProcedure) {
  ASSERT_NE(CreateProgramWindow(WS_OVERLAPPEDWINDOW, 0), nullptr);
  receivedMessages.clear();
  // Only SC_CLOSE is acted on by default; the low four bits are ignored.
  EXPECT_EQ(DefWindowProcA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  EXPECT_EQ(DefWindowProcA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
  EXPECT_TRUE(receivedMessages.empty());
  EXPECT_EQ(DefWindowProcA(window, WM_SYSCOMMAND, SC_CLOSE | 0x2, 0), 0);
  ASSERT_EQ(receivedMessages.size(), 3u);
  EXPECT_EQ(receivedMessages[0].message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(receivedMessages[1].message, static_cast<UINT>(WM_DESTROY));
  EXPECT_EQ(receivedMessages[2].message, static_cast<UINT>(WM_NCDESTROY));
  window = nullptr; // closed by the recording procedure's default handling
}

TEST_F(Windows, ClassesAreUniqueAndOutliveNoWindow) {
  WNDCLASSA again{};
  again.lpfnWndProc = RecordingProc;
  again.lpszClassName = "DESKTOPTESTWND"; // names compare without case
  EXPECT_EQ(RegisterClassA(&again), 0);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  ASSERT_NE(CreateProgramWindow(WS_POPUP, 0), nullptr);
  EXPECT_FALSE(UnregisterClassA("DesktopTestWnd", GetModuleHandleA(nullptr)));
}

TEST(StockResources, OnlyStockIconsAndCursorsLoad) {
  EXPECT_NE(LoadIconA(nullptr, IDI_WINLOGO), nullptr);
  EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
  EXPECT_NE(static_cast<void *>(LoadIconA(nullptr, IDI_WINLOGO)),
            static_cast<void *>(LoadCursorA(nullptr, IDC_ARROW)));
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, "arrow"), nullptr);
  EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), IDI_WINLOGO), nullptr);
}

} // namespace
