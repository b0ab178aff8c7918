// Browser key events as Windows' virtual-key codes. A browser's keyCode is
// the Windows code of the key on the user's layout for every key but a few
// that Firefox numbers otherwise; the extended-key flag comes from the
// physical key's code.
//
// Implements: the key translation WebEvents.cpp reports keys with.
#include "WebBackend.h"

#include <cstring>

namespace platform::web {

namespace {

struct Renumbered {
  unsigned long browser;
  int windows;
};

// Firefox's own numbers for these keys, and Windows' codes for them.
const Renumbered kRenumbered[] = {
    {59, 0xBA},  // ; (VK_OEM_1)
    {61, 0xBB},  // = (VK_OEM_PLUS)
    {173, 0xBD}, // - (VK_OEM_MINUS)
    {224, 0x5B}, // Meta (VK_LWIN)
};

// Keys that Windows flags as extended (bit 24 of a key message's lParam).
const char *const kExtendedCodes[] = {"ControlRight", "AltRight",     "Insert",      "Delete",
                                      "Home",         "End",          "PageUp",      "PageDown",
                                      "ArrowUp",      "ArrowDown",    "ArrowLeft",   "ArrowRight",
                                      "NumLock",      "NumpadDivide", "NumpadEnter", "PrintScreen",
                                      "MetaLeft",     "MetaRight",    "ContextMenu"};

} // namespace

// 0 for a key Windows has no code for.
int VirtualKeyOf(unsigned long keyCode) {
  for (const Renumbered &key : kRenumbered) {
    if (key.browser == keyCode)
      return key.windows;
  }
  return keyCode > 0 && keyCode < 255 ? static_cast<int>(keyCode) : 0;
}

bool IsExtendedKey(const char *code) {
  for (const char *extended : kExtendedCodes) {
    if (std::strcmp(code, extended) == 0)
      return true;
  }
  return false;
}

} // namespace platform::web
