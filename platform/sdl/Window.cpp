// Windows: creation with an OpenGL-capable SDL window, showing, focus,
// destruction and the default window procedure.
#include "CallArguments.h"
#include "PlatformCalls.h"
#include "SdlBackend.h"
#include "WindowFrame.h"

#include <memory>
#include <vector>

using sdlbackend::WindowRecord;

namespace {

std::vector<std::unique_ptr<WindowRecord>> windows;
HWND focusWindow = nullptr;

void SetContextAttributes() {
  // The program's pixel format: 5/6/5 colour, a 16-bit depth buffer, double
  // buffering, and a context that keeps the fixed-function pipeline. X11
  // chooses the visual when the window is made, so these go first.
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

Uint32 WindowFlagsFor(DWORD style, bool fullscreen) {
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (fullscreen)
    return flags | SDL_WINDOW_FULLSCREEN;
  if (style & WS_THICKFRAME)
    flags |= SDL_WINDOW_RESIZABLE;
  if ((style & WS_POPUP) && (style & (WS_CAPTION | WS_THICKFRAME)) == 0)
    flags |= SDL_WINDOW_BORDERLESS;
  return flags;
}

// Sends WM_SIZE when the client size differs from the one last reported.
void ReportSize(HWND window, WindowRecord *record, int width, int height) {
  if (width == record->clientWidth && height == record->clientHeight)
    return;
  record->clientWidth = width;
  record->clientHeight = height;
  sdlbackend::SendToWindow(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

} // namespace

WindowRecord *sdlbackend::RecordOf(HWND window) {
  for (const auto &record : windows) {
    if (HandleOf(record.get()) == window)
      return record.get();
  }
  return nullptr;
}

WindowRecord *sdlbackend::RecordOfSdlWindow(Uint32 sdlWindowId) {
  for (const auto &record : windows) {
    if (SDL_GetWindowID(record->sdlWindow) == sdlWindowId)
      return record.get();
  }
  return nullptr;
}

WindowRecord *sdlbackend::RecordOfDC(HDC dc) {
  for (const auto &record : windows) {
    if (reinterpret_cast<HDC>(&record->deviceContext) == dc)
      return record.get();
  }
  return nullptr;
}

HWND sdlbackend::HandleOf(const WindowRecord *record) {
  return reinterpret_cast<HWND>(const_cast<WindowRecord *>(record));
}

HWND sdlbackend::AnyWindow() { return windows.empty() ? nullptr : HandleOf(windows[0].get()); }

bool sdlbackend::ClassInUse(const std::string &name) {
  for (const auto &record : windows) {
    if (SDL_strcasecmp(record->className.c_str(), name.c_str()) == 0)
      return true;
  }
  return false;
}

LRESULT sdlbackend::SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord *record = RecordOf(window);
  if (record == nullptr)
    return 0;
  return record->procedure(window, message, wParam, lParam);
}

void sdlbackend::LeaveFullscreen() {
  for (const auto &record : windows) {
    if (SDL_GetWindowFlags(record->sdlWindow) & SDL_WINDOW_FULLSCREEN)
      SDL_SetWindowFullscreen(record->sdlWindow, 0);
  }
}

void sdlbackend::DestroyAllWindows() {
  while (!windows.empty())
    DestroyWindow(HandleOf(windows.back().get()));
}

HWND sdlbackend::FocusedWindow() { return focusWindow; }

void sdlbackend::NoteFocus(HWND window, bool gained) {
  if (gained)
    focusWindow = window;
  else if (focusWindow == window)
    focusWindow = nullptr;
}

BOOL WINAPI AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (platform::CallFails("AdjustWindowRectEx", platform::CallArguments(style, menu, exStyle)))
    return FALSE;
  if (rect == nullptr)
    return FALSE;
  // Windows made here never carry a menu bar, so the menu flag adds nothing.
  // The window manager draws its own decorations around the SDL window; the
  // frame only keeps this and CreateWindowExA consistent with each other.
  platform::AddWindowFrame(rect, style, false);
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  if (platform::CallFails("CreateWindowExA",
                          platform::CallArguments(exStyle, className, title, style, x, y, width,
                                                  height, parent, menu, instance, param)))
    return nullptr;
  const sdlbackend::ClassRecord *windowClass = sdlbackend::FindClass(className);
  if (windowClass == nullptr || !sdlbackend::EnsureVideo())
    return nullptr;

  const SDL_DisplayMode *mode = sdlbackend::FullscreenMode();
  const bool fullscreen = (style & WS_POPUP) && mode != nullptr;
  const RECT frame = platform::WindowFrame(style, false);
  int clientWidth = width - frame.left - frame.right;
  int clientHeight = height - frame.top - frame.bottom;
  if (fullscreen) {
    clientWidth = mode->w;
    clientHeight = mode->h;
  }
  if (clientWidth < 1 || clientHeight < 1)
    return nullptr;

  SetContextAttributes();
  SDL_Window *sdlWindow = SDL_CreateWindow(title ? title : "", x, y, clientWidth, clientHeight,
                                           WindowFlagsFor(style, fullscreen));
  if (sdlWindow == nullptr)
    return nullptr;
  if (fullscreen && SDL_SetWindowDisplayMode(sdlWindow, mode) != 0) {
    sdlbackend::KeepLibrariesMapped();
    SDL_DestroyWindow(sdlWindow);
    return nullptr;
  }

  auto record = std::make_unique<WindowRecord>();
  record->sdlWindow = sdlWindow;
  record->procedure = windowClass->procedure;
  record->className = windowClass->name;
  record->style = style;
  record->exStyle = exStyle;
  windows.push_back(std::move(record));
  HWND window = sdlbackend::HandleOf(windows.back().get());
  if (style & WS_VISIBLE)
    ShowWindow(window, SW_SHOW);
  return window;
}

BOOL WINAPI DestroyWindow(HWND window) {
  if (platform::CallFails("DestroyWindow", platform::CallArguments(window)))
    return FALSE;
  for (auto it = windows.begin(); it != windows.end(); ++it) {
    if (sdlbackend::HandleOf(it->get()) != window)
      continue;
    if (focusWindow == window)
      focusWindow = nullptr;
    sdlbackend::UnbindWindow((*it)->sdlWindow);
    // With the last OpenGL window, SDL's EGL-based video drivers unload their
    // OpenGL libraries.
    sdlbackend::KeepLibrariesMapped();
    SDL_DestroyWindow((*it)->sdlWindow);
    windows.erase(it);
    sdlbackend::DiscardMessagesOf(window);
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
  if (platform::CallFails("ShowWindow", platform::CallArguments(window, command)))
    return FALSE;
  WindowRecord *record = sdlbackend::RecordOf(window);
  if (record == nullptr)
    return FALSE;
  const bool wasVisible = record->visible;
  if (command == SW_HIDE) {
    if (wasVisible)
      SDL_HideWindow(record->sdlWindow);
    record->visible = false;
    return wasVisible;
  }
  if (!wasVisible) {
    SDL_ShowWindow(record->sdlWindow);
    record->visible = true;
    // As on Windows, showing activates the window (which takes the keyboard
    // focus) and reports its size, before ShowWindow returns.
    focusWindow = window;
    sdlbackend::SendToWindow(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(record->sdlWindow, &width, &height);
    if ((record = sdlbackend::RecordOf(window)) != nullptr)
      ReportSize(window, record, width, height);
  }
  return wasVisible;
}

BOOL WINAPI SetForegroundWindow(HWND window) {
  if (platform::CallFails("SetForegroundWindow", platform::CallArguments(window)))
    return FALSE;
  WindowRecord *record = sdlbackend::RecordOf(window);
  if (record == nullptr)
    return FALSE;
  SDL_RaiseWindow(record->sdlWindow);
  return TRUE;
}

HWND WINAPI SetFocus(HWND window) {
  if (platform::CallFails("SetFocus", platform::CallArguments(window)))
    return nullptr;
  const HWND previous = focusWindow;
  if (window == nullptr) {
    focusWindow = nullptr;
    return previous;
  }
  WindowRecord *record = sdlbackend::RecordOf(window);
  if (record == nullptr)
    return nullptr;
  if (record->visible)
    SDL_SetWindowInputFocus(record->sdlWindow);
  focusWindow = window;
  return previous;
}

HWND WINAPI GetFocus(void) {
  if (platform::CallFails("GetFocus", platform::CallArguments()))
    return nullptr;
  return sdlbackend::FocusedWindow();
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (platform::CallFails("DefWindowProcA",
                          platform::CallArguments(window, message, wParam, lParam)))
    return 0;
  switch (message) {
  case WM_CLOSE:
    DestroyWindow(window);
    return 0;
  case WM_SYSKEYDOWN:
    // Alt+F4 asks the window to close through the system menu's command.
    if (wParam == VK_F4)
      sdlbackend::SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  case WM_SYSCOMMAND:
    // The low four bits of a system command are used by Windows itself.
    if ((wParam & 0xFFF0) == SC_CLOSE)
      sdlbackend::SendToWindow(window, WM_CLOSE, 0, 0);
    return 0;
  default:
    return 0;
  }
}
