// SDL's events reported to the core, which turns them into window messages.
//
// Implements: pumpEvents (keys, focus, minimising, restoring, sizes, closing,
// and SDL's quit request, which is how SIGINT and SIGTERM arrive).
#include "sdl/SdlBackend.h"
#include "sdl/SdlKeyCodes.h"

namespace platform::sdl {

namespace {

void ReportKey(const SDL_KeyboardEvent &key) {
  core::OnKey(SDL_GetWindowFromID(key.windowID), key.type == SDL_KEYDOWN,
              VirtualKeyOf(key.keysym.sym, key.keysym.scancode, key.keysym.mod), key.repeat != 0,
              IsExtendedKey(key.keysym.scancode), ModifiersOf(key.keysym.mod), key.timestamp);
}

void ReportWindowEvent(const SDL_WindowEvent &event) {
  void *surface = SDL_GetWindowFromID(event.windowID);
  int width, height;
  if (!surface)
    return;
  switch (event.event) {
  case SDL_WINDOWEVENT_MINIMIZED:
    core::OnMinimised(surface, event.timestamp);
    break;
  case SDL_WINDOWEVENT_RESTORED:
    core::OnRestored(surface, event.timestamp);
    break;
  case SDL_WINDOWEVENT_MAXIMIZED:
    core::OnMaximised(surface, event.timestamp);
    break;
  case SDL_WINDOWEVENT_FOCUS_GAINED:
  case SDL_WINDOWEVENT_FOCUS_LOST:
    core::OnFocus(surface, event.event == SDL_WINDOWEVENT_FOCUS_GAINED, event.timestamp);
    break;
  case SDL_WINDOWEVENT_SIZE_CHANGED:
    // A scaled fullscreen window keeps the size of its mode, whatever the
    // output's.
    if (!ScaledWindowSize(static_cast<SDL_Window *>(surface), &width, &height))
      core::OnResized(surface, event.data1, event.data2, event.timestamp);
    break;
  case SDL_WINDOWEVENT_CLOSE:
    core::OnClose(surface, event.timestamp);
    break;
  default:
    break;
  }
}

} // namespace

void PumpEvents() {
  if (!SDL_WasInit(SDL_INIT_VIDEO))
    return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP)
      ReportKey(event.key);
    else if (event.type == SDL_WINDOWEVENT)
      ReportWindowEvent(event.window);
    else if (event.type == SDL_QUIT)
      core::OnQuitRequest(event.quit.timestamp);
  }
}

} // namespace platform::sdl
