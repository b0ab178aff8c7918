// The messages a window procedure gets, in Windows' order, for creation,
// showing, minimising, maximising, restoring, closing, destruction, display
// changes, keys with modifiers and the queue's order of posted messages,
// the quit and input. Each sequence is a table; the window procedure
// records everything it is sent or dispatched.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "Backend.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"

namespace {

const LPARAM kAnyLParam = static_cast<LPARAM>(0x7EADBEEF);

struct Message {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam; // kAnyLParam: not compared
};

bool operator==(const Message &a, const Message &b) {
  return a.window == b.window && a.message == b.message && a.wParam == b.wParam &&
         (a.lParam == b.lParam || a.lParam == kAnyLParam || b.lParam == kAnyLParam);
}

std::ostream &operator<<(std::ostream &out, const Message &m) {
  return out << "{" << m.window << ", 0x" << std::hex << m.message << ", 0x" << m.wParam << ", 0x"
             << m.lParam << std::dec << "}";
}

std::vector<Message> received;
// What the procedure answers to WM_NCCREATE and WM_CREATE, and whether it
// ends the program when its window is destroyed.
LRESULT ncCreateAnswer = TRUE;
LRESULT createAnswer = 0;
bool quitOnDestroy = false;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Creation's lParam points to a CREATESTRUCTA: recorded as 0.
  const bool creation = message == WM_NCCREATE || message == WM_CREATE;
  received.push_back({window, message, wParam, creation ? 0 : lParam});
  if (message == WM_NCCREATE)
    return ncCreateAnswer;
  if (message == WM_CREATE)
    return createAnswer;
  if (message == WM_DESTROY && quitOnDestroy)
    PostQuitMessage(9);
  return DefWindowProcA(window, message, wParam, lParam);
}

LPARAM Handle(HWND window) { return reinterpret_cast<LPARAM>(window); }
WPARAM HandleW(HWND window) { return reinterpret_cast<WPARAM>(window); }

class MessageSequenceTest : public PlatformTest {
protected:
  void SetUp() override {
    PlatformTest::SetUp();
    received.clear();
    ncCreateAnswer = TRUE;
    createAnswer = 0;
    quitOnDestroy = false;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "Sequence";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
  }

  HWND Create(DWORD style, int width = 320, int height = 240) {
    return CreateWindowExA(0, "Sequence", "Sequence", style, 0, 0, width, height, nullptr, nullptr,
                           nullptr, nullptr);
  }

  // Takes every message as the program's loop does; returns the quit's code,
  // or -1 when the queue ran dry.
  long long Drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT)
        return static_cast<long long>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return -1;
  }
};

TEST_F(MessageSequenceTest, CreationSizesAPopupAtOnceAndAnOverlappedWindowWhenShown) {
  struct Case {
    DWORD style;
    std::vector<UINT> create; // inside CreateWindowExA
    std::vector<UINT> show;   // inside the first ShowWindow
  } const cases[] = {
      {WS_POPUP, {WM_NCCREATE, WM_CREATE, WM_SIZE}, {WM_ACTIVATE, WM_SETFOCUS}},
      {WS_OVERLAPPEDWINDOW, {WM_NCCREATE, WM_CREATE}, {WM_ACTIVATE, WM_SETFOCUS, WM_SIZE}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.style);
    received.clear();
    HWND window = Create(c.style);
    ASSERT_NE(window, nullptr);
    std::vector<UINT> seen;
    for (const Message &m : received)
      seen.push_back(m.message);
    EXPECT_EQ(seen, c.create);
    received.clear();
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    seen.clear();
    for (const Message &m : received)
      seen.push_back(m.message);
    EXPECT_EQ(seen, c.show);
    EXPECT_EQ(received.front(), (Message{window, WM_ACTIVATE, WA_ACTIVE, 0}));
    EXPECT_TRUE(DestroyWindow(window));
  }
}

TEST_F(MessageSequenceTest, AProcedureRefusingCreationFailsIt) {
  struct Case {
    LRESULT ncCreate, create;
    std::vector<UINT> expected;
  } const cases[] = {
      {FALSE, 0, {WM_NCCREATE, WM_NCDESTROY}},
      {TRUE, -1, {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}},
  };
  for (const Case &c : cases) {
    received.clear();
    ncCreateAnswer = c.ncCreate;
    createAnswer = c.create;
    EXPECT_EQ(Create(WS_POPUP | WS_VISIBLE), nullptr);
    std::vector<UINT> seen;
    for (const Message &m : received)
      seen.push_back(m.message);
    EXPECT_EQ(seen, c.expected);
    EXPECT_EQ(control::Live().windows, 0);
  }
}

// The active window destroyed hands the activation and the focus to the
// other one before it hears WM_DESTROY; the last one hands them to none.
TEST_F(MessageSequenceTest, DestroyingTheActiveWindowActivatesTheOtherFirst) {
  HWND first = Create(WS_POPUP | WS_VISIBLE);
  HWND second = Create(WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(first && second);
  received.clear();
  ASSERT_TRUE(DestroyWindow(second));
  const std::vector<Message> handOver = {
      {second, WM_ACTIVATE, WA_INACTIVE, Handle(first)},
      {first, WM_ACTIVATE, WA_ACTIVE, Handle(second)},
      {second, WM_KILLFOCUS, HandleW(first), 0},
      {first, WM_SETFOCUS, HandleW(second), 0},
      {second, WM_DESTROY, 0, 0},
      {second, WM_NCDESTROY, 0, 0},
  };
  EXPECT_EQ(received, handOver);
  EXPECT_EQ(GetFocus(), first);

  received.clear();
  ASSERT_TRUE(DestroyWindow(first));
  const std::vector<Message> last = {
      {first, WM_ACTIVATE, WA_INACTIVE, 0},
      {first, WM_KILLFOCUS, 0, 0},
      {first, WM_DESTROY, 0, 0},
      {first, WM_NCDESTROY, 0, 0},
  };
  EXPECT_EQ(received, last);
  EXPECT_EQ(GetFocus(), nullptr);
}

// The usual Win32 program: WM_CLOSE's default handling destroys the window,
// whose WM_DESTROY posts the quit. The window manager's close button goes
// through WM_SYSCOMMAND(SC_CLOSE).
TEST_F(MessageSequenceTest, ClosingFromTheWindowManagerEndsAProgramThatQuitsOnDestroy) {
  quitOnDestroy = true;
  HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_NE(window, nullptr);
  received.clear();
  platform::core::OnClose(control::SurfaceOf(window), 0);
  EXPECT_EQ(Drain(), 9);
  ASSERT_GE(received.size(), 3u);
  EXPECT_EQ(received[0], (Message{window, WM_SYSCOMMAND, SC_CLOSE, 0}));
  EXPECT_EQ(received[1], (Message{window, WM_CLOSE, 0, 0}));
  EXPECT_EQ(received.back(), (Message{window, WM_NCDESTROY, 0, 0}));
  EXPECT_EQ(control::Live().windows, 0);
}

// Minimising keeps the window active and takes the focus; restoring gives
// it back and repeats WM_ACTIVATE. A maximised size is the display's.
TEST_F(MessageSequenceTest, MinimisingMaximisingAndRestoring) {
  HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 656, 519);
  ASSERT_NE(window, nullptr);
  const LPARAM clientSize = MAKELPARAM(640, 480);
  struct Step {
    const char *what;
    int showCommand; // or a system command for DefWindowProcA when > 0xF000
    std::vector<Message> expected;
  } const steps[] = {
      {"minimise",
       SW_MINIMIZE,
       {{window, WM_KILLFOCUS, 0, 0}, {window, WM_SIZE, SIZE_MINIMIZED, 0}}},
      {"minimise again", SW_MINIMIZE, {}},
      {"restore",
       SW_RESTORE,
       {{window, WM_SIZE, SIZE_RESTORED, clientSize},
        {window, WM_SETFOCUS, 0, 0},
        {window, WM_ACTIVATE, WA_ACTIVE, 0}}},
      {"system menu's maximise",
       SC_MAXIMIZE,
       {{window, WM_SYSCOMMAND, SC_MAXIMIZE, 0}, {window, WM_SIZE, SIZE_MAXIMIZED, kAnyLParam}}},
      {"system menu's restore",
       SC_RESTORE,
       {{window, WM_SYSCOMMAND, SC_RESTORE, 0}, {window, WM_SIZE, SIZE_RESTORED, kAnyLParam}}},
      {"system menu's minimise",
       SC_MINIMIZE,
       {{window, WM_SYSCOMMAND, SC_MINIMIZE, 0},
        {window, WM_KILLFOCUS, 0, 0},
        {window, WM_SIZE, SIZE_MINIMIZED, 0}}},
      {"system menu's maximise from minimised",
       SC_MAXIMIZE,
       {{window, WM_SYSCOMMAND, SC_MAXIMIZE, 0},
        {window, WM_SIZE, SIZE_MAXIMIZED, kAnyLParam},
        {window, WM_SETFOCUS, 0, 0},
        {window, WM_ACTIVATE, WA_ACTIVE, 0}}},
  };
  for (const Step &step : steps) {
    SCOPED_TRACE(step.what);
    received.clear();
    if (step.showCommand > 0xF000)
      RecordingProc(window, WM_SYSCOMMAND, static_cast<WPARAM>(step.showCommand), 0);
    else
      ShowWindow(window, step.showCommand);
    EXPECT_EQ(received, step.expected);
  }
  EXPECT_TRUE(DestroyWindow(window));
}

// Every window hears of a display change and of the restore; a test asks
// without changing anything; a request without a depth keeps the depth in
// force.
TEST_F(MessageSequenceTest, DisplayChangesAreToldToEveryWindow) {
  HWND first = Create(WS_POPUP);
  HWND second = Create(WS_POPUP);
  ASSERT_TRUE(first && second);
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = 640;
  mode.dmPelsHeight = 480;
  mode.dmBitsPerPel = 16;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;

  received.clear();
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
  EXPECT_TRUE(received.empty());
  EXPECT_FALSE(control::DisplayModeChanged()) << "a test changes nothing";

  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(received.size(), 2u);
  const WPARAM bits = received[0].wParam; // 16, or the nearest deeper depth offered
  EXPECT_GE(bits, 16u);
  const std::vector<Message> changed = {{first, WM_DISPLAYCHANGE, bits, MAKELPARAM(640, 480)},
                                        {second, WM_DISPLAYCHANGE, bits, MAKELPARAM(640, 480)}};
  EXPECT_EQ(received, changed);

  received.clear();
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].wParam, bits) << "the depth in force is kept";

  received.clear();
  ASSERT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].message, static_cast<UINT>(WM_DISPLAYCHANGE));
  EXPECT_EQ(received[1].window, second);

  // The headless display offers 640x480 only at 16 bits and has 32 on the
  // desktop: without a depth, the desktop's 32 is asked for and refused.
  if (std::string(control::BackendName()) == "headless") {
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  }
  EXPECT_TRUE(DestroyWindow(first));
  EXPECT_TRUE(DestroyWindow(second));
}

// Keys as the display reports them, with the modifiers held, become these
// messages and flags.
TEST_F(MessageSequenceTest, KeysWithModifiers) {
  using platform::core::kAlt;
  using platform::core::kControl;
  HWND window = Create(WS_POPUP | WS_VISIBLE);
  ASSERT_NE(window, nullptr);
  struct Key {
    int virtualKey;
    bool down;
    unsigned modifiers;
    bool extended;
  };
  const LPARAM up = static_cast<LPARAM>(0xC0000001u);
  const LPARAM altDown = 0x20000001;
  const LPARAM altUp = static_cast<LPARAM>(0xE0000001u);
  struct Case {
    const char *what;
    std::vector<Key> keys;
    std::vector<Message> expected; // key messages only
  } const cases[] = {
      {"a plain key",
       {{'A', true, 0, false}, {'A', false, 0, false}},
       {{window, WM_KEYDOWN, 'A', 1}, {window, WM_KEYUP, 'A', up}}},
      {"an extended key", {{VK_UP, true, 0, true}}, {{window, WM_KEYDOWN, VK_UP, 0x01000001}}},
      {"Alt alone",
       {{VK_MENU, true, kAlt, false}, {VK_MENU, false, 0, false}},
       {{window, WM_SYSKEYDOWN, VK_MENU, altDown}, {window, WM_SYSKEYUP, VK_MENU, up}}},
      {"Alt+N",
       {{VK_MENU, true, kAlt, false},
        {'N', true, kAlt, false},
        {'N', false, kAlt, false},
        {VK_MENU, false, 0, false}},
       {{window, WM_SYSKEYDOWN, VK_MENU, altDown},
        {window, WM_SYSKEYDOWN, 'N', altDown},
        {window, WM_SYSKEYUP, 'N', altUp},
        {window, WM_KEYUP, VK_MENU, up}}},
      {"Ctrl+Alt+N",
       {{VK_CONTROL, true, kControl, false},
        {VK_MENU, true, kControl | kAlt, false},
        {'N', true, kControl | kAlt, false},
        {'N', false, kControl | kAlt, false},
        {VK_MENU, false, kControl, false},
        {VK_CONTROL, false, 0, false}},
       {{window, WM_KEYDOWN, VK_CONTROL, 1},
        {window, WM_KEYDOWN, VK_MENU, altDown},
        {window, WM_KEYDOWN, 'N', altDown},
        {window, WM_KEYUP, 'N', altUp},
        {window, WM_KEYUP, VK_MENU, up},
        {window, WM_KEYUP, VK_CONTROL, up}}},
      {"F10",
       {{VK_F1 + 9, true, 0, false}, {VK_F1 + 9, false, 0, false}},
       {{window, WM_SYSKEYDOWN, VK_F1 + 9, 1}, {window, WM_SYSKEYUP, VK_F1 + 9, up}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    for (const Key &key : c.keys)
      platform::core::OnKey(nullptr, key.down, key.virtualKey, false, key.extended, key.modifiers,
                            0);
    std::vector<Message> keys;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_SYSKEYUP, PM_REMOVE)) {
      if (msg.message != WM_CHAR && msg.message != 0x0103 && msg.message != WM_SYSCHAR)
        keys.push_back({msg.hwnd, msg.message, msg.wParam, msg.lParam});
    }
    EXPECT_EQ(keys, c.expected);
  }
  EXPECT_TRUE(DestroyWindow(window));
}

// Posted messages first, whenever the input came; the quit once none is
// left, with the last code given; then the input. The character a key
// types is posted too.
TEST_F(MessageSequenceTest, PostedMessagesComeBeforeTheQuitAndTheQuitBeforeInput) {
  HWND window = Create(WS_POPUP | WS_VISIBLE);
  ASSERT_NE(window, nullptr);
  platform::core::OnKey(nullptr, true, 'A', false, false, 0, 0);
  control::PostMessageToQueue(WM_CLOSE, 0, 0);
  PostQuitMessage(1);
  PostQuitMessage(4);
  control::PostMessageToQueue(WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  platform::core::OnKey(nullptr, false, 'A', false, false, 0, 0);

  struct Taken {
    UINT message;
    WPARAM wParam;
    bool operator==(const Taken &o) const { return message == o.message && wParam == o.wParam; }
  };
  std::vector<Taken> taken;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && taken.size() < 10) {
    taken.push_back({msg.message, msg.wParam});
    if (msg.message == WM_KEYDOWN) {
      // The character goes behind the messages posted since: here one.
      control::PostMessageToQueue(WM_SYSCOMMAND, SC_MONITORPOWER, 0);
      TranslateMessage(&msg);
    }
  }
  const std::vector<Taken> expected = {
      {WM_CLOSE, 0},     {WM_SYSCOMMAND, SC_SCREENSAVE},   {WM_QUIT, 4},
      {WM_KEYDOWN, 'A'}, {WM_SYSCOMMAND, SC_MONITORPOWER}, {WM_CHAR, 'a'},
      {WM_KEYUP, 'A'}};
  EXPECT_EQ(taken, expected);
  EXPECT_TRUE(DestroyWindow(window));
}

} // namespace
