// The display mode and the cursor's display counter. The display offers one
// mode besides its own: 640x480 at 16 bits per pixel, when it is switched on.
#include "ArgText.h"
#include "Backend.h"
#include "HeadlessControl.h"

#include <PlatformCalls.h>

namespace {

const DWORD kModeFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;

bool modeAvailable = true;
bool modeChanged = false;
int cursorCounter = 0;

bool IsOfferedMode(const DEVMODEA &mode) {
  return mode.dmSize == sizeof(DEVMODEA) && (mode.dmFields & kModeFields) == kModeFields &&
         mode.dmPelsWidth == 640 && mode.dmPelsHeight == 480 && mode.dmBitsPerPel == 16;
}

std::string ModeText(const DEVMODEA *mode) {
  if (!mode) {
    return "NULL";
  }
  using headless::backend::Hex;
  return "{" +
         headless::backend::Join(
             {std::to_string(mode->dmSize), Hex(mode->dmFields), std::to_string(mode->dmPelsWidth),
              std::to_string(mode->dmPelsHeight), std::to_string(mode->dmBitsPerPel)}) +
         "}";
}

} // namespace

namespace headless {

void SetDisplayModeAvailable(bool available) { modeAvailable = available; }

bool DisplayModeChanged() { return modeChanged; }

int CursorCounter() { return cursorCounter; }

namespace backend {

void ResetModes() {
  modeAvailable = true;
  modeChanged = false;
  cursorCounter = 0;
}

} // namespace backend

} // namespace headless

using namespace headless::backend;

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  if (platform::CallFails("ChangeDisplaySettingsA", Join({ModeText(mode), Hex(flags)}))) {
    return DISP_CHANGE_FAILED;
  }
  if (!mode) {
    // Back to the display's own mode.
    modeChanged = false;
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!modeAvailable || !IsOfferedMode(*mode)) {
    return DISP_CHANGE_BADMODE;
  }
  modeChanged = true;
  return DISP_CHANGE_SUCCESSFUL;
}

int WINAPI ShowCursor(BOOL show) {
  if (platform::CallFails("ShowCursor", Bool(show))) {
    return cursorCounter;
  }
  cursorCounter += show ? 1 : -1;
  return cursorCounter;
}
