#include "PlatformFixture.h"

#include <PlatformControl.h>

#include <iterator>
#include <vector>

using WindowMessagesTest = PlatformTest;

namespace {

struct ReceivedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  int framePasses; // frame passes counted when it arrived
};

std::vector<ReceivedMessage> receivedMessages;

// Records every message before passing it on to the default handling.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  receivedMessages.push_back({message, wParam, lParam, control::FramePasses()});
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateRecordingWindow(DWORD style, DWORD exStyle, int width, int height) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = RecordingProc;
  windowClass.lpszClassName = "Recording";
  RegisterClassA(&windowClass);
  receivedMessages.clear();
  return CreateWindowExA(exStyle, "Recording", "Recording", style, 0, 0, width, height, nullptr,
                         nullptr, nullptr, nullptr);
}

// Runs a main loop like the program's until WM_QUIT, or at most `passes`
// frame passes; returns the quit message's parameter, or -1.
long long RunLoop(int passes) {
  MSG msg;
  while (control::FramePasses() < passes) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        return static_cast<long long>(msg.wParam);
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return -1;
}

} // namespace

TEST_F(WindowMessagesTest, ClientAreaIsTheRectangleAdjustedFor) {
  struct Case {
    DWORD style, exStyle;
    RECT adjusted;
  };
  const Case cases[] = {
      {WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, {-8, -31, 648, 488}},
      {WS_POPUP, WS_EX_APPWINDOW, {0, 0, 640, 480}},
      {WS_CAPTION | WS_SYSMENU, 0, {-3, -26, 643, 483}}, // fixed frame
      {WS_POPUP | WS_BORDER, 0, {-1, -1, 641, 481}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.style);
    RECT rect = {0, 0, 640, 480};
    ASSERT_TRUE(AdjustWindowRectEx(&rect, c.style, FALSE, c.exStyle));
    EXPECT_EQ(c.adjusted.left, rect.left);
    EXPECT_EQ(c.adjusted.top, rect.top);
    EXPECT_EQ(c.adjusted.right, rect.right);
    EXPECT_EQ(c.adjusted.bottom, rect.bottom);
    HWND window = CreateRecordingWindow(c.style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, c.exStyle,
                                        rect.right - rect.left, rect.bottom - rect.top);
    ASSERT_TRUE(window);
    control::WindowInfo info = control::CurrentWindow();
    EXPECT_EQ(640, info.clientWidth);
    EXPECT_EQ(480, info.clientHeight);
    EXPECT_EQ(rect.right - rect.left, info.width);
    EXPECT_TRUE(DestroyWindow(window));
  }
}

TEST_F(WindowMessagesTest, AClassIsRegisteredOnceAndGoesOnlyWithoutWindows) {
  HWND window = CreateRecordingWindow(WS_POPUP, 0, 640, 480);
  ASSERT_TRUE(window);
  WNDCLASSA again = {};
  again.lpfnWndProc = DefWindowProcA;
  again.lpszClassName = "RECORDING"; // class names ignore case
  EXPECT_EQ(0, RegisterClassA(&again));
  EXPECT_FALSE(
      CreateWindowExA(0, "Unknown", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(UnregisterClassA("Recording", nullptr)) << "a window of the class exists";
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_TRUE(UnregisterClassA("Recording", nullptr));
  EXPECT_FALSE(UnregisterClassA("Recording", nullptr));
  EXPECT_NE(0, RegisterClassA(&again));
  EXPECT_EQ(1, control::Live().registeredClasses);
}

TEST_F(WindowMessagesTest, ShowingActivatesAndSizesBeforeItReturns) {
  HWND window = CreateRecordingWindow(WS_OVERLAPPEDWINDOW, 0, 656, 519);
  ASSERT_TRUE(window);
  receivedMessages.clear();
  EXPECT_FALSE(ShowWindow(window, SW_SHOW)) << "was hidden";
  ASSERT_EQ(3u, receivedMessages.size());
  EXPECT_EQ(UINT(WM_ACTIVATE), receivedMessages[0].message);
  EXPECT_EQ(MAKEWPARAM(WA_ACTIVE, 0), receivedMessages[0].wParam);
  EXPECT_EQ(UINT(WM_SETFOCUS), receivedMessages[1].message);
  EXPECT_EQ(UINT(WM_SIZE), receivedMessages[2].message);
  EXPECT_EQ(WPARAM(SIZE_RESTORED), receivedMessages[2].wParam);
  EXPECT_EQ(MAKELPARAM(640, 480), receivedMessages[2].lParam);
  EXPECT_TRUE(ShowWindow(window, SW_SHOW));
  EXPECT_EQ(3u, receivedMessages.size()) << "an already visible window gets nothing";
  EXPECT_TRUE(control::CurrentWindow().visible);
}

TEST_F(WindowMessagesTest, FocusFollowsSetFocusAndEndsWithTheWindow) {
  HWND window = CreateRecordingWindow(WS_POPUP, 0, 640, 480);
  EXPECT_EQ(nullptr, GetFocus());
  EXPECT_EQ(nullptr, SetFocus(window));
  EXPECT_EQ(window, GetFocus());
  EXPECT_TRUE(control::CurrentWindow().focused);
  DestroyWindow(window);
  EXPECT_EQ(nullptr, GetFocus());
  EXPECT_EQ(nullptr, SetFocus(window)) << "a destroyed window cannot take the focus";
}

TEST_F(WindowMessagesTest, AltF4ClosesThroughTheDefaultHandling) {
  HWND window = CreateRecordingWindow(WS_OVERLAPPEDWINDOW, 0, 656, 519);
  receivedMessages.clear();
  DefWindowProcA(window, WM_SYSKEYDOWN, VK_F4, 0);
  ASSERT_EQ(4u, receivedMessages.size());
  EXPECT_EQ(UINT(WM_SYSCOMMAND), receivedMessages[0].message);
  EXPECT_EQ(WPARAM(SC_CLOSE), receivedMessages[0].wParam);
  EXPECT_EQ(UINT(WM_CLOSE), receivedMessages[1].message);
  EXPECT_EQ(UINT(WM_DESTROY), receivedMessages[2].message);
  EXPECT_EQ(UINT(WM_NCDESTROY), receivedMessages[3].message);
  EXPECT_EQ(0, control::Live().windows) << "the default handling of WM_CLOSE destroys";
}

TEST_F(WindowMessagesTest, TimelineMessagesArriveJustBeforeTheirFramePass) {
  ASSERT_TRUE(CreateRecordingWindow(WS_POPUP, 0, 640, 480));
  receivedMessages.clear();
  control::PostBeforeFrame(2, WM_KEYDOWN, 'A', 0);
  control::PostBeforeFrame(1, WM_KEYDOWN, VK_F1, 0);
  control::PostBeforeFrame(1, WM_KEYUP, VK_F1, 0);
  control::PostMessageToQueue(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(-1, RunLoop(3));

  struct Expected {
    UINT message;
    WPARAM wParam;
    int framePasses;
  };
  const Expected expected[] = {{WM_KEYDOWN, VK_SPACE, 0}, {WM_CHAR, ' ', 0},
                               {WM_KEYDOWN, VK_F1, 0},    {WM_KEYUP, VK_F1, 0},
                               {WM_KEYDOWN, 'A', 1},      {WM_CHAR, 'a', 1}};
  ASSERT_EQ(std::size(expected), receivedMessages.size());
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].message, receivedMessages[i].message);
    EXPECT_EQ(expected[i].wParam, receivedMessages[i].wParam);
    EXPECT_EQ(expected[i].framePasses, receivedMessages[i].framePasses);
  }
}

TEST_F(WindowMessagesTest, QuitEndsTheLoopWithItsCode) {
  PostQuitMessage(7);
  EXPECT_EQ(7, RunLoop(100));
  EXPECT_EQ(0, control::FramePasses());

  control::Reset();
  control::SetFramePassLimit(5);
  EXPECT_EQ(0xDEAD, RunLoop(100));
  EXPECT_EQ(5, control::FramePasses());
}
