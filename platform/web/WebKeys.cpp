// Browser key events as Windows' virtual-key codes. A browser's keyCode is
// the Windows code of the key on the user's layout for every key but a few
// that Firefox numbers otherwise, and the Meta keys, which Firefox numbers 91
// on both sides (224 before version 118): those come from the physical key's
// code, as does the extended-key flag.
//
// Implements: the key translation WebEvents.cpp reports keys with.
#include "web/WebBackend.h"

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
};

// Keys whose Windows code follows from the physical key alone.
struct Physical {
  const char *code;
  int windows;
};

const Physical kPhysical[] = {
    {"MetaLeft", 0x5B},  // VK_LWIN
    {"MetaRight", 0x5C}, // VK_RWIN
};

// Keys that Windows flags as extended (bit 24 of a key message's lParam).
const char *const kExtendedCodes[] = {"ControlRight", "AltRight",     "Insert",      "Delete",
                                      "Home",         "End",          "PageUp",      "PageDown",
                                      "ArrowUp",      "ArrowDown",    "ArrowLeft",   "ArrowRight",
                                      "NumLock",      "NumpadDivide", "NumpadEnter", "PrintScreen",
                                      "MetaLeft",     "MetaRight",    "ContextMenu"};

} // namespace

// 0 for a key Windows has no code for.
int VirtualKeyOf(unsigned long keyCode, const char *code) {
  for (const Physical &key : kPhysical) {
    if (std::strcmp(code, key.code) == 0)
      return key.windows;
  }
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
