// Windows: creation and destruction with their messages, showing, the
// minimised and maximised states, activation and the keyboard focus, with
// the messages Windows sends for each and in its order.
#include "core/Core.h"
#include "core/WindowFrame.h"
#include "hook/CallArguments.h"
#include "hook/Handles.h"

#include <algorithm>

namespace platform::core {

namespace {

// WM_KILLFOCUS to the window losing the focus, then WM_SETFOCUS to the one
// gaining it, each naming the other.
void ChangeFocus(HWND handle) {
  if (state.windows.focus == handle)
    return;
  const HWND previous = state.windows.focus;
  state.windows.focus = handle;
  if (LookUpWindow(previous))
    Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
  if (state.windows.focus == handle && LookUpWindow(handle))
    Send(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

// The window Windows activates when the active one is hidden or destroyed: the newest other visible
// window that is not minimised, or none.
void ActivateOther(HWND leaving) {
  for (auto it = state.windows.live.rbegin(); it != state.windows.live.rend(); ++it) {
    const Window &other = **it;
    if (other.handle != leaving && other.visible && !other.minimised && !other.destroying) {
      Activate(other.handle);
      return;
    }
  }
  Activate(nullptr);
}

void MakeVisible(Window *window) {
  if (window->visible)
    return;
  window->visible = true;
  if (activeBackend.showSurface)
    activeBackend.showSurface(window->surface, true);
}

// Makes the window visible; a window shown for the first time is activated,
// takes the keyboard focus and, unless it was sized at creation, is told
// its client size, synchronously.
void Show(Window *window) {
  if (window->visible)
    return;
  MakeVisible(window);
  const HWND handle = window->handle;
  Activate(handle);
  if ((window = LookUpWindow(handle)) != nullptr && !window->sizeSent)
    SendSize(window);
}

void Hide(Window *window) {
  if (!window->visible)
    return;
  window->visible = false;
  if (activeBackend.showSurface)
    activeBackend.showSurface(window->surface, false);
  if (state.windows.active == window->handle)
    ActivateOther(window->handle);
}

// Minimising takes the keyboard focus away, then reports the size; the
// window stays the active one.
void Minimise(Window *window) {
  if (window->minimised)
    return;
  const HWND handle = window->handle;
  window->minimised = true;
  MakeVisible(window);
  if (activeBackend.placeSurface)
    activeBackend.placeSurface(window->surface, SW_MINIMIZE);
  if (state.windows.focus == handle)
    ChangeFocus(nullptr);
  if ((window = LookUpWindow(handle)) != nullptr)
    SendSize(window);
}

// Maximising or restoring a window that was not minimised activates it and
// reports its size. One that was minimised reports its size, takes the
// focus and is told WM_ACTIVATE(WA_ACTIVE) again, active or not.
void Place(Window *window, bool maximise) {
  if (!window->minimised && window->maximised == maximise) {
    Show(window);
    return;
  }
  const HWND handle = window->handle;
  const bool wasMinimised = window->minimised;
  window->minimised = false;
  window->maximised = maximise;
  MakeVisible(window);
  if (activeBackend.placeSurface)
    activeBackend.placeSurface(window->surface, maximise ? SW_MAXIMIZE : SW_RESTORE);
  if (!wasMinimised)
    Activate(handle);
  if ((window = LookUpWindow(handle)) == nullptr)
    return;
  SendSize(window);
  if (!wasMinimised || !LookUpWindow(handle))
    return;
  ChangeFocus(handle);
  if (state.windows.active != handle)
    Activate(handle);
  else if (LookUpWindow(handle))
    Send(handle, WM_ACTIVATE, WA_ACTIVE, 0);
}

void Release(HWND handle) {
  auto found =
      std::find_if(state.windows.live.begin(), state.windows.live.end(),
                   [handle](const std::unique_ptr<Window> &w) { return w->handle == handle; });
  if (found == state.windows.live.end())
    return;
  if (state.windows.focus == handle)
    state.windows.focus = nullptr;
  if (state.windows.active == handle)
    state.windows.active = nullptr;
  UnbindWindow(**found);
  ReleaseDeviceContextsOf(handle);
  activeBackend.destroySurface((*found)->surface);
  state.windows.live.erase(found);
  DiscardMessagesOf(handle);
}

// As Windows destroys a window: hidden first (which activates another window
// when it was the active one), then WM_DESTROY and WM_NCDESTROY, then gone.
void Destroy(Window *window) {
  const HWND handle = window->handle;
  window->destroying = true;
  Hide(window);
  if (state.windows.active == handle)
    ActivateOther(handle);
  if (LookUpWindow(handle))
    Send(handle, WM_DESTROY, 0, 0);
  if (LookUpWindow(handle))
    Send(handle, WM_NCDESTROY, 0, 0);
  Release(handle);
}

} // namespace

Window *LookUpWindow(HWND handle) {
  for (const std::unique_ptr<Window> &window : state.windows.live) {
    if (window->handle == handle)
      return window.get();
  }
  return nullptr;
}

Window *WindowOfSurface(const void *surface) {
  for (const std::unique_ptr<Window> &window : state.windows.live) {
    if (window->surface == surface)
      return window.get();
  }
  return nullptr;
}

const std::vector<std::unique_ptr<Window>> &LiveWindows() { return state.windows.live; }

bool ClassInUse(const std::string &name) {
  return std::any_of(state.windows.live.begin(), state.windows.live.end(),
                     [&name](const std::unique_ptr<Window> &w) { return w->className == name; });
}

HWND FocusedWindow() { return state.windows.focus; }

void NoteFocus(HWND window, bool gained) {
  if (gained)
    state.windows.focus = window;
  else if (state.windows.focus == window)
    state.windows.focus = nullptr;
}

HWND ActiveWindow() { return state.windows.active; }

void SetActiveWindow(HWND window) { state.windows.active = window; }

void Activate(HWND handle) {
  if (state.windows.active == handle)
    return;
  const HWND previous = state.windows.active;
  state.windows.active = handle;
  if (const Window *deactivated = LookUpWindow(previous))
    Send(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, deactivated->minimised ? 1 : 0),
         reinterpret_cast<LPARAM>(handle));
  const Window *activated = state.windows.active == handle ? LookUpWindow(handle) : nullptr;
  if (activated)
    Send(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, activated->minimised ? 1 : 0),
         reinterpret_cast<LPARAM>(previous));
  if (state.windows.active == handle)
    ChangeFocus(handle);
}

void SendSize(Window *window) {
  window->sizeSent = true;
  if (window->minimised) {
    Send(window->handle, WM_SIZE, SIZE_MINIMIZED, 0);
    return;
  }
  activeBackend.clientSize(window->surface, &window->clientWidth, &window->clientHeight);
  Send(window->handle, WM_SIZE, window->maximised ? SIZE_MAXIMIZED : SIZE_RESTORED,
       MAKELPARAM(window->clientWidth, window->clientHeight));
}

void ShowCommand(Window *window, int command) {
  switch (command) {
  case SW_HIDE:
    Hide(window);
    break;
  case SW_MINIMIZE:
    Minimise(window);
    break;
  case SW_MAXIMIZE:
    Place(window, true);
    break;
  case SW_RESTORE:
  case SW_SHOWNORMAL:
    Place(window, false);
    break;
  default:
    Show(window);
    break;
  }
}

void DestroyAllWindows() {
  while (!state.windows.live.empty())
    Release(state.windows.live.back()->handle);
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

namespace {

// The native surface of a new window. Its client area is the outer size less
// the frame; a popup window made while a display mode is in force covers the
// display in that mode. False when the backend makes none.
bool MakeSurface(Window *window, const char *title, DWORD style, bool menu, int x, int y, int width,
                 int height) {
  const DisplayMode *mode = ModeInForce();
  window->fullscreen = (style & WS_POPUP) && mode;
  const RECT frame = platform::WindowFrame(style, menu);
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
  window->title = request.title;
  return window->surface != nullptr;
}

// The procedure hears of its window before CreateWindowExA returns: a
// WM_NCCREATE answered with FALSE, or a WM_CREATE with -1, fails the
// creation. A popup is sized then; other windows when first shown. False
// when the window is gone.
bool SendCreation(HWND handle, DWORD style, CREATESTRUCTA *create) {
  if (!Send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create))) {
    if (LookUpWindow(handle))
      Send(handle, WM_NCDESTROY, 0, 0);
    Release(handle);
    return false;
  }
  if (LookUpWindow(handle) && Send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(create)) == -1) {
    if (Window *failed = LookUpWindow(handle))
      Destroy(failed);
    return false;
  }
  Window *created = LookUpWindow(handle);
  if (created && (style & WS_POPUP))
    SendSize(created);
  if ((created = LookUpWindow(handle)) != nullptr && (style & WS_VISIBLE))
    Show(created);
  return LookUpWindow(handle) != nullptr;
}

} // namespace

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
  if (!MakeSurface(window.get(), title, style, menu != nullptr, x, y, width, height))
    return nullptr;
  window->handle = static_cast<HWND>(MakeHandle(HandleKind::Window, state.windows.nextWindowId++));
  window->style = style;
  window->exStyle = exStyle;
  window->x = x;
  window->y = y;
  window->width = width;
  window->height = height;
  state.windows.live.push_back(std::move(window));
  const HWND handle = state.windows.live.back()->handle;
  CREATESTRUCTA create = {
      param, instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
      title, className, exStyle};
  return SendCreation(handle, style, &create) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND window) {
  if (platform::CallFails("DestroyWindow", platform::CallArguments(window)))
    return FALSE;
  Window *record = LookUpWindow(window);
  // A window already on its way out is not destroyed twice.
  if (!record || record->destroying)
    return FALSE;
  Destroy(record);
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
  ShowCommand(window, command);
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
  const HWND previous = state.windows.focus;
  ChangeFocus(handle);
  return previous;
}

HWND WINAPI GetFocus(void) {
  if (platform::CallFails("GetFocus", platform::CallArguments()))
    return nullptr;
  return state.windows.focus;
}
