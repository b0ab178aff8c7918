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

// The modes of the first display, in SDL's order.
std::vector<SDL_DisplayMode> DisplayModes() {
  const int display = 0;
  std::vector<SDL_DisplayMode> modes;
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(display, i, &mode) == 0)
      modes.push_back(mode);
  }
  return modes;
}

} // namespace

bool sdlbackend::ChooseDisplayMode(const std::vector<SDL_DisplayMode> &modes, int width, int height,
                                   int bits, SDL_DisplayMode *chosen) {
  const SDL_DisplayMode *best = nullptr;
  for (const SDL_DisplayMode &mode : modes) {
    const int depth = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    if (mode.w != width || mode.h != height || depth < bits)
      continue;
    if (!best || (bits > 0 && depth < static_cast<int>(SDL_BITSPERPIXEL(best->format))))
      best = &mode;
  }
  if (!best)
    return false;
  *chosen = *best;
  return true;
}

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
  if (!sdlbackend::ChooseDisplayMode(DisplayModes(), width, height, bits, &found))
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
