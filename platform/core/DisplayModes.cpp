// The display mode and the cursor's display counter. A successful
// ChangeDisplaySettingsA records the display's matching mode and tells every
// window with WM_DISPLAYCHANGE (so does restoring); CDS_TEST only asks
// whether the mode would do. A display that can refuse a mode
// (enterDisplayMode) is asked at once, and its refusal fails the call;
// otherwise the mode is only recorded. Popup windows made while it is in
// force cover the display in that mode: the backend switches the display
// with their surface, or shows them scaled where it cannot switch. Restoring
// takes them out of it, and so does the process exit (BackendStart.cpp).
#include "core/DisplayModes.h"

#include "core/Core.h"
#include "core/PlatformControl.h"
#include "hook/CallArguments.h"

#include <cstddef>

namespace platform::core {

void RestoreDesktopMode() {
  if (state.display.modeInForce && activeBackend.leaveDisplayMode)
    activeBackend.leaveDisplayMode();
  state.display.modeInForce = false;
  for (const std::unique_ptr<Window> &window : LiveWindows()) {
    if (window->fullscreen && activeBackend.leaveFullscreen)
      activeBackend.leaveFullscreen(window->surface);
    window->fullscreen = false;
  }
}

namespace {

// WM_DISPLAYCHANGE to every window: the depth in wParam, the size in lParam.
void AnnounceMode(const DisplayMode &shown) {
  std::vector<HWND> handles;
  for (const std::unique_ptr<Window> &window : LiveWindows())
    handles.push_back(window->handle);
  for (HWND handle : handles)
    Send(handle, WM_DISPLAYCHANGE, static_cast<WPARAM>(shown.bits),
         MAKELPARAM(shown.width, shown.height));
}

} // namespace

bool ChooseDisplayMode(const std::vector<DisplayMode> &modes, int width, int height, int bits,
                       DisplayMode *chosen) {
  const DisplayMode *best = nullptr;
  for (const DisplayMode &offered : modes) {
    if (offered.width != width || offered.height != height || offered.bits < bits)
      continue;
    if (!best || (bits > 0 && offered.bits < best->bits))
      best = &offered;
  }
  if (best)
    *chosen = *best;
  return best != nullptr;
}

const DisplayMode *ModeInForce() {
  return state.display.modeInForce ? &state.display.mode : nullptr;
}

void ApplyCursor() {
  if (activeBackend.showCursor && BackendRunning())
    activeBackend.showCursor(state.display.cursorCounter >= 0);
}

} // namespace platform::core

namespace platform::control {

void SetDisplayModeAvailable(bool available) { core::state.display.modesOffered = available; }

bool DisplayModeChanged() { return core::state.display.modeInForce; }

int CursorCounter() { return core::state.display.cursorCounter; }

} // namespace platform::control

using namespace platform::core;

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA *request, DWORD flags) {
  if (platform::CallFails("ChangeDisplaySettingsA",
                          platform::CallArguments(request, platform::Hex{flags})))
    return DISP_CHANGE_FAILED;
  DisplayMode desktop;
  if (!request) {
    RestoreDesktopMode();
    if (BackendRunning() && activeBackend.desktopMode(&desktop))
      AnnounceMode(desktop);
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (request->dmSize < offsetof(DEVMODEA, dmDisplayFlags))
    return DISP_CHANGE_BADMODE;
  if (!BackendReady() || !activeBackend.desktopMode(&desktop))
    return DISP_CHANGE_FAILED;
  // Fields left out of dmFields keep the value of the mode in force, the
  // depth too.
  const DisplayMode &shown = state.display.modeInForce ? state.display.mode : desktop;
  const DWORD fields = request->dmFields;
  const int width = (fields & DM_PELSWIDTH) ? static_cast<int>(request->dmPelsWidth) : shown.width;
  const int height =
      (fields & DM_PELSHEIGHT) ? static_cast<int>(request->dmPelsHeight) : shown.height;
  const int bits = (fields & DM_BITSPERPEL) ? static_cast<int>(request->dmBitsPerPel) : shown.bits;
  DisplayMode found;
  if (!state.display.modesOffered ||
      !ChooseDisplayMode(activeBackend.displayModes(), width, height, bits, &found))
    return DISP_CHANGE_BADMODE;
  if (flags & CDS_TEST)
    return DISP_CHANGE_SUCCESSFUL;
  if (activeBackend.enterDisplayMode && !activeBackend.enterDisplayMode(found))
    return DISP_CHANGE_FAILED;
  state.display.mode = found;
  state.display.modeInForce = true;
  AnnounceMode(found);
  return DISP_CHANGE_SUCCESSFUL;
}

int WINAPI ShowCursor(BOOL show) {
  if (platform::CallFails("ShowCursor", platform::CallArguments(show)))
    return state.display.cursorCounter;
  state.display.cursorCounter += show ? 1 : -1;
  ApplyCursor();
  return state.display.cursorCounter;
}
