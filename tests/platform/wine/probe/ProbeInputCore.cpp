// The probe's input on our platform: a posted message goes into the core's
// queue, and a key is reported as a backend reports one, with the modifiers
// the keys pressed so far hold down.
#include "ProbeInput.h"

#include "Backend.h"
#include "Core.h"
#include "PlatformControl.h"

namespace {

unsigned held = 0;

unsigned ModifierOf(int virtualKey) {
  switch (virtualKey) {
  case VK_SHIFT:
    return platform::core::kShift;
  case VK_CONTROL:
    return platform::core::kControl;
  case VK_MENU:
    return platform::core::kAlt;
  default:
    return 0;
  }
}

} // namespace

void ProbePost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  platform::core::Post(window, message, wParam, lParam);
}

void ProbeKey(HWND window, int virtualKey, bool down) {
  if (down)
    held |= ModifierOf(virtualKey);
  else
    held &= ~ModifierOf(virtualKey);
  platform::core::OnKey(platform::control::SurfaceOf(window), down, virtualKey, false, false, held,
                        0);
}

void ProbeFocus(HWND window) { SetFocus(window); }
