// Starting the backend on first use, and the clean-up when the process ends,
// on every path: the windows are destroyed, which takes a fullscreen window
// out of its display mode, and the display mode is restored, as Windows does
// for a temporary display change. The rendering contexts are left to the
// process's end, as on Windows (see ShutDownAtExit).
#include "Core.h"

#include <cstdlib>

namespace platform::core {

namespace {

bool running = false;
bool exitHandlerRegistered = false;

// Exit handlers and the destructors of static objects run in the reverse
// order of their registration, so by now the OpenGL driver may have destroyed
// static objects it made after the backend started: LLVM, beneath Mesa's
// software renderer, makes some on its first shader compile. Releasing a
// context that has drawing queued would flush it, and the flush may compile a
// shader with those objects gone (a crash, every time when Mesa's shader
// cache does not hold the shader). So no rendering context is released
// here: they are forgotten, and no call reaches the driver.
void ShutDownAtExit() {
  ForgetGraphics();
  DestroyAllWindows();
  ResetDisplay();
  if (activeBackend.shutdown)
    activeBackend.shutdown();
  running = false;
}

} // namespace

bool BackendRunning() { return running; }

bool BackendReady() {
  if (running)
    return true;
  if (!activeBackend.start())
    return false;
  running = true;
  if (!exitHandlerRegistered) {
    std::atexit(ShutDownAtExit);
    exitHandlerRegistered = true;
  }
  ApplyCursor();
  return true;
}

} // namespace platform::core
