// What the backends report becomes the window messages a Win32 window
// procedure expects: keys with their flags, activation that changes, sizes
// that change, minimising, maximising, restoring and closing.
#include "core/Core.h"

namespace platform::core {

namespace {

void PostActivation(const Window &window, bool active, DWORD time) {
  Post(window.handle, WM_ACTIVATE,
       MAKEWPARAM(active ? WA_ACTIVE : WA_INACTIVE, window.minimised ? 1 : 0), 0, time);
}

void PostSize(Window *window, DWORD time) {
  if (window->minimised) {
    Post(window->handle, WM_SIZE, SIZE_MINIMIZED, 0, time);
    return;
  }
  activeBackend.clientSize(window->surface, &window->clientWidth, &window->clientHeight);
  Post(window->handle, WM_SIZE, window->maximised ? SIZE_MAXIMIZED : SIZE_RESTORED,
       MAKELPARAM(window->clientWidth, window->clientHeight), time);
}

// Which key messages are system ones, as Windows decides: Alt itself unless
// Ctrl is held; any key while Alt is held without Ctrl; F10 always; Ctrl
// released while Alt is held. Alt released is a system key only when no
// other system key came since it went down.
bool IsSystemKey(int virtualKey, bool down, bool altDown, bool controlDown) {
  if (virtualKey == VK_MENU) {
    if (down) {
      state.queue.altAlone = !controlDown;
      return state.queue.altAlone;
    }
    const bool system = state.queue.altAlone;
    state.queue.altAlone = false;
    return system;
  }
  bool system = virtualKey == VK_F1 + 9 || (altDown && !controlDown);
  if (virtualKey == VK_CONTROL)
    system = !down && altDown;
  if (system)
    state.queue.altAlone = false;
  return system;
}

} // namespace

// lParam: repeat count 1, the extended-key flag (bit 24), the context code
// (bit 29: Alt is down, with or without Ctrl; clear on Alt's own release),
// the previous key state (bit 30) and the transition state (bit 31,
// released). Keys are input: they come after every posted message.
void OnKey(void *surface, bool down, int virtualKey, bool repeat, bool extended, unsigned modifiers,
           DWORD time) {
  // A key may come before the backend has named its window; it belongs to
  // the window with the keyboard focus.
  const Window *window = surface ? WindowOfSurface(surface) : nullptr;
  if (!window)
    window = LookUpWindow(FocusedWindow());
  if (!window || virtualKey == 0)
    return;
  // Alt's own event counts by its direction, whatever modifiers came with it.
  const bool altDown = virtualKey == VK_MENU ? down : (modifiers & kAlt) != 0;
  const bool system = IsSystemKey(virtualKey, down, altDown, (modifiers & kControl) != 0);
  DWORD bits = 1;
  if (extended)
    bits |= 1u << 24;
  if (altDown)
    bits |= 1u << 29;
  if (!down || repeat)
    bits |= 1u << 30;
  if (!down)
    bits |= 1u << 31;
  const UINT message =
      down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  PostInput(window->handle, message, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(bits),
            time, modifiers);
}

// Only a change of activation is reported: showing a window has already
// activated it. The other window is another program's, so lParam is 0.
void OnFocus(void *surface, bool gained, DWORD time) {
  const Window *window = WindowOfSurface(surface);
  if (!window)
    return;
  NoteFocus(window->handle, gained);
  if (gained == (ActiveWindow() == window->handle))
    return;
  SetActiveWindow(gained ? window->handle : nullptr);
  PostActivation(*window, gained, time);
}

// As on Windows, the size comes before the activation passes on.
void OnMinimised(void *surface, DWORD time) {
  Window *window = WindowOfSurface(surface);
  if (!window || window->minimised)
    return;
  window->minimised = true;
  PostSize(window, time);
  if (ActiveWindow() == window->handle)
    SetActiveWindow(nullptr);
  PostActivation(*window, false, time);
}

// Restored from minimised (activated, then sized: maximised again if it was)
// or from maximised (sized).
void OnRestored(void *surface, DWORD time) {
  Window *window = WindowOfSurface(surface);
  if (!window)
    return;
  if (window->minimised) {
    window->minimised = false;
    SetActiveWindow(window->handle);
    PostActivation(*window, true, time);
  } else if (window->maximised) {
    window->maximised = false;
  } else {
    return;
  }
  PostSize(window, time);
}

void OnMaximised(void *surface, DWORD time) {
  Window *window = WindowOfSurface(surface);
  if (!window || (window->maximised && !window->minimised))
    return;
  window->maximised = true;
  if (window->minimised) {
    window->minimised = false;
    SetActiveWindow(window->handle);
    PostActivation(*window, true, time);
  }
  PostSize(window, time);
}

void OnResized(void *surface, int width, int height, DWORD time) {
  Window *window = WindowOfSurface(surface);
  if (!window || window->minimised ||
      (width == window->clientWidth && height == window->clientHeight))
    return;
  window->clientWidth = width;
  window->clientHeight = height;
  Post(window->handle, WM_SIZE, window->maximised ? SIZE_MAXIMIZED : SIZE_RESTORED,
       MAKELPARAM(width, height), time);
}

// The window manager's close button is the system menu's Close: the default
// handling of WM_SYSCOMMAND turns it into WM_CLOSE.
void OnClose(void *surface, DWORD time) {
  if (const Window *window = WindowOfSurface(surface))
    Post(window->handle, WM_SYSCOMMAND, SC_CLOSE, 0, time);
}

void OnQuitRequest(DWORD time) {
  const auto &windows = LiveWindows();
  if (!windows.empty())
    Post(windows.front()->handle, WM_CLOSE, 0, 0, time);
  else
    PostQuit(0);
}

} // namespace platform::core
