#include "DesktopWindow.h"

#include <PlatformControl.h>
#include <SDL.h>

std::vector<ReceivedMessage> receivedMessages;
bool forwardToDefault = true;

namespace {
const char kClassName[] = "DesktopTestWnd";
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  receivedMessages.push_back({message, wParam, lParam});
  return forwardToDefault ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

void DesktopTest::SetUp() {
  receivedMessages.clear();
  forwardToDefault = true;
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = RecordingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  ASSERT_NE(RegisterClassA(&windowClass), 0);
}

void DesktopTest::TearDown() {
  if (window != nullptr)
    DestroyWindow(window);
  ChangeDisplaySettingsA(nullptr, 0);
  EXPECT_TRUE(UnregisterClassA(kClassName, GetModuleHandleA(nullptr)));
  // Leave no message of this test for the next one.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

HWND DesktopTest::CreateProgramWindow(DWORD style, DWORD exStyle) {
  RECT rect{0, 0, 640, 480};
  EXPECT_TRUE(AdjustWindowRectEx(&rect, style, FALSE, exStyle));
  window =
      CreateWindowExA(exStyle, kClassName, "Quellor", style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                      0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                      GetModuleHandleA(nullptr), nullptr);
  return window;
}

namespace {

bool HasInputFocus(HWND window) {
  SDL_Window *sdlWindow = static_cast<SDL_Window *>(control::SurfaceOf(window));
  return sdlWindow != nullptr && (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

} // namespace

void DesktopTest::Settle(HWND focused) {
  Uint32 quietSince = SDL_GetTicks();
  const Uint32 start = quietSince;
  while ((!HasInputFocus(focused) || SDL_GetTicks() - quietSince < 300) &&
         SDL_GetTicks() - start < kDeadlineMs) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&msg);
      quietSince = SDL_GetTicks();
    } else {
      SDL_Delay(10);
    }
  }
}

bool DesktopTest::NextMessage(MSG *msg, UINT filterMin, UINT filterMax) {
  const Uint32 start = SDL_GetTicks();
  while (SDL_GetTicks() - start < kDeadlineMs) {
    if (PeekMessageA(msg, nullptr, filterMin, filterMax, PM_REMOVE))
      return true;
    SDL_Delay(5);
  }
  return false;
}
