// Starting the backend on first use, and the clean-up when the process ends,
// on every path: the windows are destroyed, which takes a fullscreen window
// out of its display mode, and the display mode is restored, as Windows does
// for a temporary display change. The rendering contexts are left to the
// process's end, as on Windows (see ShutDownAtExit).
#include "core/Core.h"

#include <cstdlib>
#include <string>

namespace platform::core {

namespace {

// Exit handlers and the destructors of static objects run in the reverse
// order of their registration, so by now the OpenGL driver may have destroyed
// static objects it made after the backend started: LLVM, beneath Mesa's
// software renderer, makes some on its first shader compile. Releasing a
// context that has drawing queued would flush it, and the flush may compile a
// shader with those objects gone (a crash, every time when Mesa's shader
// cache does not hold the shader). So no rendering context is released
// here: they are forgotten, and no call reaches the driver.
void ShutDownAtExit() {
  ResetState(Teardown::ProcessExit);
  if (activeBackend.shutdown)
    activeBackend.shutdown();
  state.backend.running = false;
}

} // namespace

const char *MissingBackendEntry(const Backend &backend) {
  const std::pair<const char *, bool> required[] = {
      {"name", backend.name != nullptr},
      {"start", backend.start != nullptr},
      {"createSurface", backend.createSurface != nullptr},
      {"destroySurface", backend.destroySurface != nullptr},
      {"clientSize", backend.clientSize != nullptr},
      {"createContext", backend.createContext != nullptr},
      {"makeCurrent", backend.makeCurrent != nullptr},
      {"deleteContext", backend.deleteContext != nullptr},
      {"swap", backend.swap != nullptr},
      {"desktopMode", backend.desktopMode != nullptr},
      {"displayModes", backend.displayModes != nullptr},
      {"messageBox", backend.messageBox != nullptr},
  };
  for (const auto &[entry, present] : required) {
    if (!present)
      return entry;
  }
  return nullptr;
}

bool BackendRunning() { return state.backend.running; }

bool BackendReady() {
  if (state.backend.running)
    return true;
  if (const char *missing = MissingBackendEntry(activeBackend)) {
    SetBackendFailure(("its table has no " + std::string(missing) + " entry").c_str());
    return false;
  }
  if (!activeBackend.start())
    return false;
  state.backend.running = true;
  if (!state.backend.exitHandlerRegistered) {
    std::atexit(ShutDownAtExit);
    state.backend.exitHandlerRegistered = true;
  }
  ApplyCursor();
  return true;
}

} // namespace platform::core
