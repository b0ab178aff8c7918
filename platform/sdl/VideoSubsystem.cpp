#include "SdlBackend.h"

#include <cstdlib>
#include <cstring>

namespace sdlbackend {

namespace {

bool exitHandlerRegistered = false;

// Runs when the process ends, on every path: destroying the windows takes a
// fullscreen window out of its display mode, and quitting SDL puts back any
// mode still changed, as Windows does for a temporary display change.
void ShutDownAtExit() {
  DestroyAllWindows();
  // Quitting closes the X display, and with it GLX unloads the OpenGL driver.
  KeepLibrariesMapped();
  SDL_Quit();
}

bool RealDisplay() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
         std::strcmp(driver, "dummy") != 0;
}

} // namespace

bool VideoReady() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

bool EnsureVideo() {
  if (VideoReady())
    return true;
  // Closing the window is reported as a window event and handled by the
  // window's owner; SDL must not add a quit request of its own.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    return false;
  if (!RealDisplay()) {
    KeepLibrariesMapped();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  if (!exitHandlerRegistered) {
    std::atexit(ShutDownAtExit);
    exitHandlerRegistered = true;
  }
  ApplyCursorVisibility();
  return true;
}

} // namespace sdlbackend
