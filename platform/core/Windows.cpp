// Windows: creation on a backend surface, showing (which activates the
// window and reports its size before returning), focus and destruction.
#include "CallArguments.h"
#include "Core.h"
#include "Handles.h"
#include "WindowFrame.h"

#include <algorithm>

namespace platform::core {

namespace {

// Owned through pointers so that a record stays put while its procedure runs.
std::vector<std::unique_ptr<Window>> windows;
unsigned nextWindowId = 1;
HWND focus = nullptr;
HWND active = nullptr;

// Makes the window visible; a window shown for the first time is activated
// (the one active before is told it no longer is), takes the keyboard focus
// and is told its client size, synchronously.
void Show(Window *window) {
  if (window->visible)
    return;
  window->visible = true;
  if (activeBackend.showSurface)
    activeBackend.showSurface(window->surface, true);
  const HWND handle = window->handle;
  // The window that was active hears first that it no longer is.
  const HWND previous = active;
  focus = active = handle;
  if (const Window *deactivated = previous != handle ? LookUpWindow(previous) : nullptr)
    Send(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, deactivated->minimised ? 1 : 0), 0);
  if ((window = LookUpWindow(handle)) == nullptr)
    return;
  Send(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  // The procedure may have destroyed the window.
  if ((window = LookUpWindow(handle)) == nullptr)
    return;
  activeBackend.clientSize(window->surface, &window->clientWidth, &window->clientHeight);
  Send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->clientWidth, window->clientHeight));
}

void Destroy(HWND handle) {
  auto found =
      std::find_if(windows.begin(), windows.end(),
                   [handle](const std::unique_ptr<Window> &w) { return w->handle == handle; });
  if (focus == handle)
    focus = nullptr;
  if (active == handle)
    active = nullptr;
  UnbindWindow(**found);
  ReleaseDeviceContextsOf(handle);
  activeBackend.destroySurface((*found)->surface);
  windows.erase(found);
  DiscardMessagesOf(handle);
}

} // namespace

Window *LookUpWindow(HWND handle) {
  for (const std::unique_ptr<Window> &window : windows) {
    if (window->handle == handle)
      return window.get();
  }
  return nullptr;
}

Window *WindowOfSurface(const void *surface) {
  for (const std::unique_ptr<Window> &window : windows) {
    if (window->surface == surface)
      return window.get();
  }
  return nullptr;
}

const std::vector<std::unique_ptr<Window>> &LiveWindows() { return windows; }

bool ClassInUse(const std::string &name) {
  return std::any_of(windows.begin(), windows.end(),
                     [&name](const std::unique_ptr<Window> &w) { return w->className == name; });
}

HWND FocusedWindow() { return focus; }

void NoteFocus(HWND window, bool gained) {
  if (gained)
    focus = window;
  else if (focus == window)
    focus = nullptr;
}

HWND ActiveWindow() { return active; }

void SetActiveWindow(HWND window) { active = window; }

void DestroyAllWindows() {
  while (!windows.empty())
    Destroy(windows.back()->handle);
}

void ResetWindows() {
  DestroyAllWindows();
  nextWindowId = 1;
  focus = active = nullptr;
  ResetClasses();
}

} // namespace platform::core

using namespace platform::core;
using platform::Hex;

BOOL WINAPI AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (platform::CallFails("AdjustWindowRectEx",
                          platform::CallArguments(rect, Hex{style}, menu, Hex{exStyle})))
    return FALSE;
  if (!rect)
    return FALSE;
  platform::AddWindowFrame(rect, style, menu != FALSE);
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  if (platform::CallFails("CreateWindowExA",
                          platform::CallArguments(Hex{exStyle}, className, title, Hex{style}, x, y,
                                                  width, height, parent, menu, instance, param)))
    return nullptr;
  auto window = std::make_unique<Window>();
  window->procedure = ClassProcedure(className, &window->className);
  if (!window->procedure || !BackendReady())
    return nullptr;

  // A popup window made while a display mode is in force covers the display
  // in that mode.
  const DisplayMode *mode = ModeInForce();
  window->fullscreen = (style & WS_POPUP) && mode;
  const RECT frame = platform::WindowFrame(style, menu != nullptr);
  window->clientWidth = std::max(0, width - static_cast<int>(frame.left + frame.right));
  window->clientHeight = std::max(0, height - static_cast<int>(frame.top + frame.bottom));
  if (window->fullscreen) {
    window->clientWidth = mode->width;
    window->clientHeight = mode->height;
  }
  SurfaceRequest request = {title ? title : "",
                            x,
                            y,
                            std::max(1, window->clientWidth),
                            std::max(1, window->clientHeight),
                            (style & WS_THICKFRAME) != 0,
                            (style & WS_POPUP) && (style & (WS_CAPTION | WS_THICKFRAME)) == 0,
                            window->fullscreen ? mode : nullptr};
  window->surface = activeBackend.createSurface(request);
  if (!window->surface)
    return nullptr;
  window->handle = static_cast<HWND>(MakeHandle(HandleKind::Window, nextWindowId++));
  window->title = request.title;
  window->style = style;
  window->exStyle = exStyle;
  window->x = x;
  window->y = y;
  window->width = width;
  window->height = height;
  windows.push_back(std::move(window));
  Window *created = windows.back().get();
  const HWND handle = created->handle;
  if (style & WS_VISIBLE)
    Show(created);
  return handle;
}

BOOL WINAPI DestroyWindow(HWND window) {
  if (platform::CallFails("DestroyWindow", platform::CallArguments(window)))
    return FALSE;
  if (!LookUpWindow(window))
    return FALSE;
  Destroy(window);
  return TRUE;
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
  if (platform::CallFails("ShowWindow", platform::CallArguments(handle, command)))
    return FALSE;
  Window *window = LookUpWindow(handle);
  if (!window)
    return FALSE;
  // The result tells whether the window was visible before.
  const BOOL wasVisible = window->visible ? TRUE : FALSE;
  if (command != SW_HIDE) {
    Show(window);
  } else if (wasVisible) {
    window->visible = false;
    if (activeBackend.showSurface)
      activeBackend.showSurface(window->surface, false);
  }
  return wasVisible;
}

BOOL WINAPI SetForegroundWindow(HWND handle) {
  if (platform::CallFails("SetForegroundWindow", platform::CallArguments(handle)))
    return FALSE;
  Window *window = LookUpWindow(handle);
  if (!window)
    return FALSE;
  if (activeBackend.raiseSurface)
    activeBackend.raiseSurface(window->surface);
  return TRUE;
}

HWND WINAPI SetFocus(HWND handle) {
  if (platform::CallFails("SetFocus", platform::CallArguments(handle)))
    return nullptr;
  Window *window = LookUpWindow(handle);
  if (handle && !window)
    return nullptr;
  if (window && window->visible && activeBackend.focusSurface)
    activeBackend.focusSurface(window->surface);
  const HWND previous = focus;
  focus = handle;
  return previous;
}

HWND WINAPI GetFocus(void) {
  if (platform::CallFails("GetFocus", platform::CallArguments()))
    return nullptr;
  return focus;
}
