// Rules of the window system that every backend shares, as Windows keeps
// them: WM_QUIT and the message filters, translation of system keys, a pixel
// format set once, what a failed wglMakeCurrent leaves current, and what
// destroying a window takes with it.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "AppState.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"

namespace {

std::vector<std::pair<HWND, WPARAM>> activations;

LRESULT CALLBACK RecordActivation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE)
    activations.push_back({window, wParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

class WindowSystemRulesTest : public PlatformTest {
protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(MakeTestContext());
  }
  void TearDown() override { DestroyTestContext(); }

  // The next message of the queue, removed, or WM_NULL-like zero when none.
  MSG Take(UINT filterMin = 0, UINT filterMax = 0) {
    MSG msg = {};
    if (!PeekMessageA(&msg, nullptr, filterMin, filterMax, PM_REMOVE))
      msg.message = 0;
    return msg;
  }
};

TEST_F(WindowSystemRulesTest, QuitIsTakenWhateverTheFilters) {
  control::PostMessageToQueue(WM_KEYDOWN, 'B', 0);
  PostQuitMessage(5);
  MSG msg = {};
  // Neither the range nor the window holds it back.
  ASSERT_TRUE(PeekMessageA(&msg, appState.windowHandle, WM_SIZE, WM_SIZE, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 5u);
  EXPECT_EQ(msg.hwnd, nullptr);
  // Looking left it in place; the key stays where the range does not reach.
  EXPECT_EQ(Take(WM_CLOSE, WM_CLOSE).message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(Take(WM_CLOSE, WM_CLOSE).message, 0u);
  EXPECT_EQ(Take(WM_KEYDOWN, WM_KEYDOWN).wParam, static_cast<WPARAM>('B'));
}

TEST_F(WindowSystemRulesTest, OtherMessagesKeepToTheirRangeAndWindow) {
  control::PostMessageToQueue(WM_KEYDOWN, 'C', 0);
  control::PostMessageToQueue(WM_CLOSE, 0, 0);
  MSG msg = {};
  EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(0x1234), 0, 0, PM_REMOVE));
  EXPECT_EQ(Take(WM_CLOSE, WM_CLOSE).message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(Take().message, static_cast<UINT>(WM_KEYDOWN));
}

// A key typed with Alt held is a system key; it types a WM_SYSCHAR, an
// ordinary key a WM_CHAR. The character is posted: it comes after the
// messages posted before it.
TEST_F(WindowSystemRulesTest, SystemKeysTypeSystemCharactersPostedBehindTheQueue) {
  const LPARAM altHeld = 1 | (1 << 29);
  const LPARAM released = static_cast<LPARAM>(0xC0000001u);
  control::PostMessageToQueue(WM_SYSKEYDOWN, 'X', altHeld);
  control::PostMessageToQueue(WM_KEYDOWN, 'Y', 1);
  control::PostMessageToQueue(WM_KEYUP, 'Y', released);
  struct Taken {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Taken &o) const {
      return message == o.message && wParam == o.wParam && lParam == o.lParam;
    }
  };
  std::vector<Taken> taken;
  for (MSG msg = Take(); msg.message != 0; msg = Take()) {
    taken.push_back({msg.message, msg.wParam, msg.lParam});
    EXPECT_EQ(TranslateMessage(&msg) != FALSE, msg.message >= WM_KEYDOWN && msg.message <= 0x0109 &&
                                                   msg.message != WM_CHAR &&
                                                   msg.message != WM_SYSCHAR)
        << "key messages count as translated";
  }
  const std::vector<Taken> expected = {{WM_SYSKEYDOWN, 'X', altHeld},
                                       {WM_KEYDOWN, 'Y', 1},
                                       {WM_KEYUP, 'Y', released},
                                       {WM_SYSCHAR, 'x', altHeld},
                                       {WM_CHAR, 'y', 1}};
  EXPECT_EQ(taken, expected);
  MSG close = {};
  close.message = WM_CLOSE;
  EXPECT_FALSE(TranslateMessage(&close));
}

TEST_F(WindowSystemRulesTest, APixelFormatIsSetOnceAndDescribed) {
  PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
  const int format = ChoosePixelFormat(appState.deviceContext, &request);
  ASSERT_GT(format, 0);
  EXPECT_TRUE(SetPixelFormat(appState.deviceContext, format, &request)) << "the same format again";
  EXPECT_FALSE(SetPixelFormat(appState.deviceContext, format + 1, &request));

  PIXELFORMATDESCRIPTOR described = {};
  EXPECT_EQ(DescribePixelFormat(appState.deviceContext, format, sizeof described, &described), 1);
  EXPECT_EQ(described.dwFlags & request.dwFlags, request.dwFlags);
  EXPECT_EQ(described.iPixelType, PFD_TYPE_RGBA);
  EXPECT_EQ(described.cRedBits, 5);
  EXPECT_EQ(described.cGreenBits, 6);
  EXPECT_EQ(described.cBlueBits, 5);
  EXPECT_EQ(described.cDepthBits, 16);
  EXPECT_EQ(DescribePixelFormat(appState.deviceContext, format + 1, sizeof described, &described),
            0);
  EXPECT_EQ(DescribePixelFormat(nullptr, format, sizeof described, &described), 0);
  // The window still draws with the format it has.
  EXPECT_TRUE(SwapBuffers(appState.deviceContext));
}

// A failed wglMakeCurrent changes nothing: whatever made it fail, the
// context current before stays current.
TEST_F(WindowSystemRulesTest, AFailedMakeCurrentLeavesThePreviousContextCurrent) {
  ASSERT_EQ(wglGetCurrentContext(), appState.renderingContext);
  HGLRC stale = wglCreateContext(appState.deviceContext);
  ASSERT_NE(stale, nullptr);
  EXPECT_EQ(wglGetCurrentContext(), appState.renderingContext) << "a new context is not current";
  ASSERT_TRUE(wglDeleteContext(stale));

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "NoFormat";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  HWND bare = CreateWindowExA(0, "NoFormat", "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr,
                              nullptr);
  ASSERT_NE(bare, nullptr);
  HDC noFormat = GetDC(bare);
  struct Case {
    const char *what;
    HDC dc;
    HGLRC context;
  } const cases[] = {{"a deleted context", appState.deviceContext, stale},
                     {"no device context", nullptr, appState.renderingContext},
                     {"a DC without a pixel format", noFormat, appState.renderingContext}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(wglMakeCurrent(c.dc, c.context));
    EXPECT_EQ(wglGetCurrentContext(), appState.renderingContext);
  }
  EXPECT_TRUE(DestroyWindow(bare));
  EXPECT_TRUE(UnregisterClassA("NoFormat", nullptr));
  EXPECT_TRUE(SwapBuffers(appState.deviceContext)) << "still drawing";

  // Releasing works once; with nothing current it fails.
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  SetLastError(0);
  EXPECT_FALSE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  // A failure the call hook injects does nothing at all.
  ASSERT_TRUE(wglMakeCurrent(appState.deviceContext, appState.renderingContext));
  control::FailCall("wglMakeCurrent");
  EXPECT_FALSE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), appState.renderingContext);
}

// Its device context goes with it, released or not: the handle is stale, and
// releasing it afterwards fails as on Windows. Its context stays current.
TEST_F(WindowSystemRulesTest, DestroyingTheWindowReleasesItsDCAndDropsItsMessagesNotTheQuit) {
  control::PostMessageToQueue(WM_KEYDOWN, VK_SPACE, 0);
  PostQuitMessage(3);
  ASSERT_EQ(control::Live().deviceContexts, 1);
  ASSERT_TRUE(DestroyWindow(appState.windowHandle));
  EXPECT_EQ(control::Live().windows, 0);
  EXPECT_EQ(control::Live().deviceContexts, 0);
  EXPECT_EQ(ReleaseDC(appState.windowHandle, appState.deviceContext), 0);
  EXPECT_EQ(ReleaseDC(nullptr, appState.deviceContext), 0);
  EXPECT_EQ(wglGetCurrentContext(), appState.renderingContext);
  EXPECT_FALSE(wglMakeCurrent(appState.deviceContext, appState.renderingContext));
  EXPECT_EQ(wglGetCurrentContext(), appState.renderingContext);
  EXPECT_EQ(Take().message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(Take().message, 0u);
  appState.windowHandle = nullptr;
}

// Activation changes are told to both windows, the one losing it first, and
// only when they happen.
TEST_F(WindowSystemRulesTest, ShowingAnotherWindowDeactivatesTheActiveOne) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = RecordActivation;
  windowClass.lpszClassName = "Activation";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  activations.clear();
  HWND first = CreateWindowExA(0, "Activation", "First", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               320, 240, nullptr, nullptr, nullptr, nullptr);
  HWND second = CreateWindowExA(0, "Activation", "Second", WS_OVERLAPPEDWINDOW, 40, 40, 320, 240,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(ShowWindow(second, SW_SHOW));
  EXPECT_TRUE(ShowWindow(second, SW_SHOW));
  const std::vector<std::pair<HWND, WPARAM>> expected = {{first, MAKEWPARAM(WA_ACTIVE, 0)},
                                                         {first, MAKEWPARAM(WA_INACTIVE, 0)},
                                                         {second, MAKEWPARAM(WA_ACTIVE, 0)}};
  EXPECT_EQ(activations, expected);
  EXPECT_EQ(GetFocus(), second);
  EXPECT_TRUE(DestroyWindow(first));
  EXPECT_TRUE(DestroyWindow(second));
  EXPECT_TRUE(UnregisterClassA("Activation", nullptr));
}

} // namespace
