// SDL's video subsystem, the display's modes and the cursor.
//
// Implements: start (a real display: SDL's offscreen and dummy drivers would
// give windows nobody can see), shutdown, desktopMode, displayModes (the first
// display's, in SDL's order), showCursor.
#include "sdl/SdlBackend.h"

#include <algorithm>
#include <cstring>

namespace platform::sdl {

namespace {

bool RealDisplay() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

DisplayMode ModeOf(const SDL_DisplayMode &mode) {
  return {mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format)), mode.refresh_rate};
}

std::vector<SDL_DisplayMode> SdlModes() {
  std::vector<SDL_DisplayMode> modes;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0)
      modes.push_back(mode);
  }
  return modes;
}

} // namespace

bool Start() {
  if (SDL_WasInit(SDL_INIT_VIDEO))
    return true;
  // Closing the window is reported as a window event and handled by the
  // window's owner; SDL must not add a quit request of its own.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    core::SetBackendFailure(SDL_GetError());
    return false;
  }
  if (!RealDisplay()) {
    core::SetBackendFailure("SDL's video driver shows no window (offscreen or dummy)");
    KeepLibrariesMapped();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  DecideFullscreenScaling();
  return true;
}

// Quitting SDL puts back any display mode still changed. It closes the X
// display, and with it GLX unloads the OpenGL driver.
void Shutdown() {
  KeepLibrariesMapped();
  SDL_Quit();
}

bool Desktop(DisplayMode *mode) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    return false;
  *mode = ModeOf(desktop);
  return true;
}

// A display that shows fullscreen by scaling offers the common sizes up to
// its own, as the mode lists of XWayland and of SDL on Wayland do.
std::vector<DisplayMode> Modes() {
  std::vector<DisplayMode> modes;
  for (const SDL_DisplayMode &mode : SdlModes())
    modes.push_back(ModeOf(mode));
  DisplayMode desktop;
  if (!ScalesFullscreen() || !Desktop(&desktop))
    return modes;
  const SDL_Point kCommonSizes[] = {{640, 480}, {800, 600}, {1024, 768}};
  for (const SDL_Point &size : kCommonSizes) {
    const bool listed = std::any_of(modes.begin(), modes.end(), [&size](const DisplayMode &m) {
      return m.width == size.x && m.height == size.y;
    });
    if (!listed && size.x <= desktop.width && size.y <= desktop.height)
      modes.push_back({size.x, size.y, desktop.bits, desktop.refreshRate});
  }
  return modes;
}

bool FindSdlMode(const DisplayMode &wanted, SDL_DisplayMode *found) {
  for (const SDL_DisplayMode &mode : SdlModes()) {
    const DisplayMode offered = ModeOf(mode);
    if (offered.width == wanted.width && offered.height == wanted.height &&
        offered.bits == wanted.bits && offered.refreshRate == wanted.refreshRate) {
      *found = mode;
      return true;
    }
  }
  return false;
}

void ShowCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

} // namespace platform::sdl
