// SDL's events, real and synthetic, as the window messages the program's
// window procedure receives.
#include "DesktopWindow.h"
#include <PlatformControl.h>

#include <SDL.h>

namespace {

const UINT kKeyFirst = WM_KEYDOWN;
const UINT kKeyLast = 0x0109;

class MessageQueue : public DesktopTest {
protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_NE(CreateProgramWindow(WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE),
              nullptr);
    ShowWindow(window, SW_SHOW);
    Settle(window);
    receivedMessages.clear();
  }

  Uint32 WindowId() {
    return SDL_GetWindowID(static_cast<SDL_Window *>(control::SurfaceOf(window)));
  }

  void PushKey(Uint32 type, SDL_Keycode keycode, SDL_Scancode scancode, Uint16 modifiers,
               bool repeat = false) {
    SDL_Event event{};
    event.key.type = type;
    event.key.windowID = WindowId();
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = keycode;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = modifiers;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  void PushWindowEvent(Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowId();
    event.window.event = kind;
    event.window.data1 = data1;
    event.window.data2 = data2;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  void ExpectNext(UINT message, WPARAM wParam, LPARAM lParam, UINT filterMin = 0,
                  UINT filterMax = 0) {
    MSG msg;
    ASSERT_TRUE(NextMessage(&msg, filterMin, filterMax)) << "no message " << message;
    EXPECT_EQ(msg.message, message);
    EXPECT_EQ(msg.wParam, wParam) << "message " << msg.message;
    EXPECT_EQ(msg.lParam, lParam) << "message " << msg.message;
    EXPECT_EQ(msg.hwnd, message == WM_QUIT ? nullptr : window);
  }

  // Waits until the last WM_ACTIVATE dispatched has this minimised flag.
  bool LastActivationMinimised(WORD minimised) {
    const Uint32 start = SDL_GetTicks();
    while (SDL_GetTicks() - start < kDeadlineMs) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
      for (auto it = receivedMessages.rbegin(); it != receivedMessages.rend(); ++it) {
        if (it->message != WM_ACTIVATE)
          continue;
        if (HIWORD(it->wParam) == minimised)
          return true;
        break;
      }
      SDL_Delay(20);
    }
    return false;
  }
};

const LPARAM kPressed = 1;
const LPARAM kRepeated = 1 | (1 << 30);
const LPARAM kReleased = static_cast<LPARAM>(1u | (1u << 30) | (1u << 31));
const LPARAM kAlt = 1 << 29;

TEST_F(MessageQueue, KeysArriveInOrderWithRepeatAndReleaseFlags) {
  PushKey(SDL_KEYDOWN, SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE);
  PushKey(SDL_KEYDOWN, SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE, true);
  PushKey(SDL_KEYUP, SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE);
  PushKey(SDL_KEYDOWN, SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE);
  ExpectNext(WM_KEYDOWN, VK_SPACE, kPressed, kKeyFirst, kKeyLast);
  ExpectNext(WM_KEYDOWN, VK_SPACE, kRepeated, kKeyFirst, kKeyLast);
  ExpectNext(WM_KEYUP, VK_SPACE, kReleased, kKeyFirst, kKeyLast);
  ExpectNext(WM_KEYDOWN, VK_UP, kPressed | (1 << 24), kKeyFirst, kKeyLast);
}

TEST_F(MessageQueue, AltKeysAreSystemKeysAndAltF4ClosesTheWindow) {
  PushKey(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
  PushKey(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT);
  ExpectNext(WM_SYSKEYDOWN, VK_MENU, kPressed | kAlt, kKeyFirst, kKeyLast);
  MSG msg;
  ASSERT_TRUE(NextMessage(&msg, kKeyFirst, kKeyLast));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_F4));
  DispatchMessageA(&msg);
  ASSERT_GE(receivedMessages.size(), 3u);
  EXPECT_EQ(receivedMessages[1].message, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(receivedMessages[1].wParam, static_cast<WPARAM>(SC_CLOSE));
  EXPECT_EQ(receivedMessages[2].message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(receivedMessages.back().message, static_cast<UINT>(WM_NCDESTROY));
  // The default handling of WM_CLOSE destroyed the window.
  EXPECT_EQ(GetDC(window), nullptr);
  window = nullptr;
}

TEST_F(MessageQueue, TranslateMessagePutsTheCharacterBeforeTheNextKey) {
  PushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT);
  PushKey(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT);
  PushKey(SDL_KEYDOWN, SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE);
  PushKey(SDL_KEYUP, SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE);
  PushKey(SDL_KEYDOWN, SDLK_x, SDL_SCANCODE_X, KMOD_RALT);
  MSG msg;
  ASSERT_TRUE(NextMessage(&msg, kKeyFirst, kKeyLast));
  EXPECT_TRUE(TranslateMessage(&msg));
  ExpectNext(WM_CHAR, 'A', kPressed, kKeyFirst, kKeyLast);
  ExpectNext(WM_KEYUP, 'A', kReleased, kKeyFirst, kKeyLast);
  // F1 types nothing.
  ASSERT_TRUE(NextMessage(&msg, kKeyFirst, kKeyLast));
  EXPECT_TRUE(TranslateMessage(&msg));
  ExpectNext(WM_KEYUP, VK_F1, kReleased, kKeyFirst, kKeyLast);
  ASSERT_TRUE(NextMessage(&msg, kKeyFirst, kKeyLast));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
  EXPECT_TRUE(TranslateMessage(&msg));
  ExpectNext(WM_SYSCHAR, 'x', kPressed | kAlt, kKeyFirst, kKeyLast);
}

TEST_F(MessageQueue, WindowEventsBecomeActivationSizeAndClose) {
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
  PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
  PushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600);
  PushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600);
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  ExpectNext(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  // Minimising: the size first, then the activation.
  ExpectNext(WM_SIZE, SIZE_MINIMIZED, 0);
  ExpectNext(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
  ExpectNext(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  ExpectNext(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
  // A size is reported once, not again while it stays the same.
  ExpectNext(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
  // The close button is the system menu's Close.
  ExpectNext(WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST_F(MessageQueue, QuitRequestFromSdlClosesTheWindow) {
  // SDL reports SIGINT and SIGTERM this way.
  SDL_Event event{};
  event.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  ExpectNext(WM_CLOSE, 0, 0);
}

TEST_F(MessageQueue, DispatchCallsTheWindowProcedure) {
  PushKey(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, KMOD_NONE);
  MSG msg;
  ASSERT_TRUE(NextMessage(&msg, kKeyFirst, kKeyLast));
  DispatchMessageA(&msg);
  ASSERT_EQ(receivedMessages.size(), 1u);
  EXPECT_EQ(receivedMessages[0].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(receivedMessages[0].wParam, static_cast<WPARAM>(VK_ESCAPE));
}

TEST_F(MessageQueue, MinimisingAndRestoringSetTheMinimisedFlag) {
  SDL_Window *sdlWindow = static_cast<SDL_Window *>(control::SurfaceOf(window));
  SDL_MinimizeWindow(sdlWindow);
  EXPECT_TRUE(LastActivationMinimised(1));
  SDL_RestoreWindow(sdlWindow);
  EXPECT_TRUE(LastActivationMinimised(0));
}

// Showing another window activates it; the window active before is told,
// with the minimised flag 0, and the display's own focus events that follow
// repeat nothing.
TEST_F(MessageQueue, LosingTheActivationWithoutMinimisingLeavesTheFlagZero) {
  RECT rect{0, 0, 200, 100};
  AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND other = CreateWindowExA(0, "DesktopTestWnd", "Other", WS_OVERLAPPEDWINDOW, 300, 300,
                               rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  receivedMessages.clear();
  ShowWindow(other, SW_SHOW);
  SetForegroundWindow(other);
  ASSERT_GE(receivedMessages.size(), 2u);
  EXPECT_EQ(receivedMessages[0].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(receivedMessages[0].wParam, MAKEWPARAM(WA_INACTIVE, 0));
  EXPECT_EQ(receivedMessages[1].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(receivedMessages[1].wParam, MAKEWPARAM(WA_ACTIVE, 0));
  Settle(other);
  int activations = 0;
  for (const ReceivedMessage &received : receivedMessages)
    activations += received.message == WM_ACTIVATE;
  EXPECT_EQ(activations, 2);
  DestroyWindow(other);
}

} // namespace
