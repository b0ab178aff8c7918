// What the backends report becomes the window messages a Win32 window
// procedure expects: keys with their flags, activation that changes, sizes
// that change, minimising, restoring and closing.
#include "Core.h"

namespace platform::core {

namespace {

void PostActivation(const Window &window, bool active, DWORD time) {
  Post(window.handle, WM_ACTIVATE,
       MAKEWPARAM(active ? WA_ACTIVE : WA_INACTIVE, window.minimised ? 1 : 0), 0, time);
}

} // namespace

// Keys typed with Alt held (and Alt itself, and F10) are system keys, as on
// Windows; Ctrl+Alt is AltGr and types ordinary keys. lParam: repeat count 1,
// the extended-key flag (bit 24), the context code (bit 29, Alt held), the
// previous key state (bit 30) and the transition state (bit 31, released).
void OnKey(void *surface, bool down, int virtualKey, bool repeat, bool extended, unsigned modifiers,
           DWORD time) {
  // A key may come before the backend has named its window; it belongs to
  // the window with the keyboard focus.
  const Window *window = surface ? WindowOfSurface(surface) : nullptr;
  if (!window)
    window = LookUpWindow(FocusedWindow());
  if (!window || virtualKey == 0)
    return;
  const bool altHeld = (modifiers & kAlt) && !(modifiers & kControl);
  const bool system = altHeld || virtualKey == VK_MENU || virtualKey == VK_F1 + 9;
  DWORD bits = 1;
  if (extended)
    bits |= 1u << 24;
  if (altHeld)
    bits |= 1u << 29;
  if (!down || repeat)
    bits |= 1u << 30;
  if (!down)
    bits |= 1u << 31;
  const UINT message =
      down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  Post(window->handle, message, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(bits), time,
       modifiers);
}

// Only a change of activation is reported: showing a window has already
// activated it.
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

void OnMinimised(void *surface, DWORD time) {
  Window *window = WindowOfSurface(surface);
  if (!window || window->minimised)
    return;
  window->minimised = true;
  if (ActiveWindow() == window->handle)
    SetActiveWindow(nullptr);
  PostActivation(*window, false, time);
  Post(window->handle, WM_SIZE, SIZE_MINIMIZED, 0, time);
}

void OnRestored(void *surface, DWORD time) {
  Window *window = WindowOfSurface(surface);
  if (!window || !window->minimised)
    return;
  window->minimised = false;
  SetActiveWindow(window->handle);
  PostActivation(*window, true, time);
  activeBackend.clientSize(surface, &window->clientWidth, &window->clientHeight);
  Post(window->handle, WM_SIZE, SIZE_RESTORED,
       MAKELPARAM(window->clientWidth, window->clientHeight), time);
}

void OnResized(void *surface, int width, int height, DWORD time) {
  Window *window = WindowOfSurface(surface);
  if (!window || window->minimised ||
      (width == window->clientWidth && height == window->clientHeight))
    return;
  window->clientWidth = width;
  window->clientHeight = height;
  Post(window->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height), time);
}

void OnClose(void *surface, DWORD time) {
  if (const Window *window = WindowOfSurface(surface))
    Post(window->handle, WM_CLOSE, 0, 0, time);
}

void OnQuitRequest(DWORD time) {
  const auto &windows = LiveWindows();
  if (!windows.empty())
    Post(windows.front()->handle, WM_CLOSE, 0, 0, time);
  else
    Post(nullptr, WM_QUIT, 0, 0, time);
}

} // namespace platform::core
