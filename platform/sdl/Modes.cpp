// Display modes and the cursor. SDL changes the display mode for a fullscreen
// window, not on its own: a successful ChangeDisplaySettingsA records the
// display's matching mode, and popup windows created while it is in force are
// fullscreen windows in that mode. Restoring takes them out of fullscreen.
#include "CallArguments.h"
#include "PlatformCalls.h"
#include "SdlBackend.h"

#include <cstddef>

namespace {

bool modeInForce = false;
SDL_DisplayMode fullscreenMode{};
int cursorCounter = 0; // Windows' cursor display counter: shown while >= 0

// The display's first (deepest, fastest) mode of exactly this size with at
// least the requested bits per pixel.
bool FindMode(int width, int height, int minimumBits, SDL_DisplayMode *found) {
  const int display = 0;
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(display, i, &mode) != 0)
      continue;
    if (mode.w == width && mode.h == height &&
        static_cast<int>(SDL_BITSPERPIXEL(mode.format)) >= minimumBits) {
      *found = mode;
      return true;
    }
  }
  return false;
}

} // namespace

const SDL_DisplayMode *sdlbackend::FullscreenMode() {
  return modeInForce ? &fullscreenMode : nullptr;
}

void sdlbackend::ApplyCursorVisibility() {
  if (VideoReady())
    SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  if (platform::CallFails("ChangeDisplaySettingsA",
                          platform::CallArguments(mode ? mode->dmPelsWidth : 0u,
                                                  mode ? mode->dmPelsHeight : 0u,
                                                  mode ? mode->dmBitsPerPel : 0u, flags)))
    return DISP_CHANGE_FAILED;
  if (mode == nullptr) {
    modeInForce = false;
    sdlbackend::LeaveFullscreen();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (mode->dmSize < offsetof(DEVMODEA, dmDisplayFlags))
    return DISP_CHANGE_BADMODE;
  if (!sdlbackend::EnsureVideo())
    return DISP_CHANGE_FAILED;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    return DISP_CHANGE_FAILED;
  // Fields left out of dmFields keep the desktop's value; any depth is
  // accepted when none is asked for.
  const DWORD fields = mode->dmFields;
  const int width = (fields & DM_PELSWIDTH) ? static_cast<int>(mode->dmPelsWidth) : desktop.w;
  const int height = (fields & DM_PELSHEIGHT) ? static_cast<int>(mode->dmPelsHeight) : desktop.h;
  const int bits = (fields & DM_BITSPERPEL) ? static_cast<int>(mode->dmBitsPerPel) : 0;
  SDL_DisplayMode found;
  if (!FindMode(width, height, bits, &found))
    return DISP_CHANGE_BADMODE;
  fullscreenMode = found;
  modeInForce = true;
  return DISP_CHANGE_SUCCESSFUL;
}

int WINAPI ShowCursor(BOOL show) {
  if (platform::CallFails("ShowCursor", platform::CallArguments(show)))
    return cursorCounter;
  cursorCounter += show ? 1 : -1;
  sdlbackend::ApplyCursorVisibility();
  return cursorCounter;
}
