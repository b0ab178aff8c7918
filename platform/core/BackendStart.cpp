// Starting the backend on first use, and the clean-up when the process ends,
// on every path: the windows are destroyed, which takes a fullscreen window
// out of its display mode, and the display mode is restored, as Windows does
// for a temporary display change.
#include "Core.h"

#include <cstdlib>

namespace platform::core {

namespace {

bool running = false;
bool exitHandlerRegistered = false;

void ShutDownAtExit() {
  ResetGraphics();
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
