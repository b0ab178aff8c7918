// SDL's keys as Windows' virtual keys, for pumpEvents (SdlEvents.cpp).
//
// Implements: virtual keys by layout, keypad by Num Lock, the extended-key
// flag, the modifiers. Does not implement: characters (the core types them,
// KeyCharacters.h).
#include "sdl/SdlKeyCodes.h"

#include "core/Backend.h"
#include "core/KeyCharacters.h"

namespace platform::sdl {

namespace {

// A key found by its position: the virtual key it gives and whether Windows
// flags it as extended.
struct PositionKey {
  SDL_Scancode scancode;
  int virtualKey;
  bool extended;
};

// The keypad's operators and Enter, whatever Num Lock says.
const PositionKey kKeypadKeys[] = {
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, true},   {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, false},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, false}, {SDL_SCANCODE_KP_PLUS, VK_ADD, false},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, true},    {SDL_SCANCODE_KP_COMMA, VK_SEPARATOR, false},
};

// The keys outside the runs of letters, digits and function keys, with the
// virtual key each gives on a US keyboard.
const PositionKey kOtherKeys[] = {
    {SDL_SCANCODE_0, '0', false},
    {SDL_SCANCODE_RETURN, VK_RETURN, false},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, false},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, false},
    {SDL_SCANCODE_TAB, VK_TAB, false},
    {SDL_SCANCODE_SPACE, VK_SPACE, false},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, false},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, false},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, false},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, false},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, false},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5, false},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, false},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, false},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, false},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, false},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, false},
    {SDL_SCANCODE_SLASH, VK_OEM_2, false},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, false},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, false},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, true},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, false},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, false},
    {SDL_SCANCODE_INSERT, VK_INSERT, true},
    {SDL_SCANCODE_HOME, VK_HOME, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, true},
    {SDL_SCANCODE_DELETE, VK_DELETE, true},
    {SDL_SCANCODE_END, VK_END, true},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, true},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, true},
    {SDL_SCANCODE_LEFT, VK_LEFT, true},
    {SDL_SCANCODE_DOWN, VK_DOWN, true},
    {SDL_SCANCODE_UP, VK_UP, true},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, true},
    {SDL_SCANCODE_APPLICATION, VK_APPS, true},
    // Key messages name the modifier, not its side.
    {SDL_SCANCODE_LCTRL, VK_CONTROL, false},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, true},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_LALT, VK_MENU, false},
    {SDL_SCANCODE_RALT, VK_MENU, true},
    {SDL_SCANCODE_LGUI, VK_LWIN, true},
    {SDL_SCANCODE_RGUI, VK_RWIN, true},
};

// The table's entry for the key, or null.
template <size_t N>
const PositionKey *FindKey(const PositionKey (&table)[N], SDL_Scancode scancode) {
  for (const PositionKey &key : table) {
    if (key.scancode == scancode)
      return &key;
  }
  return nullptr;
}

int KeypadKey(SDL_Scancode scancode, bool numLock) {
  // Keypad digits 1-9, then 0 and the decimal point, in SDL's scancode order.
  static const int kNavigation[] = {VK_END,  VK_DOWN, VK_NEXT,  VK_LEFT,   VK_CLEAR, VK_RIGHT,
                                    VK_HOME, VK_UP,   VK_PRIOR, VK_INSERT, VK_DELETE};
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    return numLock ? VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1)
                   : kNavigation[scancode - SDL_SCANCODE_KP_1];
  if (scancode == SDL_SCANCODE_KP_0)
    return numLock ? VK_NUMPAD0 : VK_INSERT;
  if (scancode == SDL_SCANCODE_KP_PERIOD)
    return numLock ? VK_DECIMAL : VK_DELETE;
  const PositionKey *key = FindKey(kKeypadKeys, scancode);
  return key ? key->virtualKey : 0;
}

int KeyAtPosition(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return VK_F1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
    return VK_F1 + 12 + (scancode - SDL_SCANCODE_F13);
  const PositionKey *key = FindKey(kOtherKeys, scancode);
  return key ? key->virtualKey : 0;
}

} // namespace

int VirtualKeyOf(SDL_Keycode keycode, SDL_Scancode scancode, Uint16 modifiers) {
  if (int key = KeypadKey(scancode, (modifiers & KMOD_NUM) != 0))
    return key;
  // Printable keys' SDL codes are the characters they type.
  if (int key = keycode < 128 ? core::KeyTypingCharacter(keycode) : 0)
    return key;
  return KeyAtPosition(scancode);
}

bool IsExtendedKey(SDL_Scancode scancode) {
  const PositionKey *key = FindKey(kOtherKeys, scancode);
  if (!key)
    key = FindKey(kKeypadKeys, scancode);
  return key && key->extended;
}

unsigned ModifiersOf(Uint16 modifiers) {
  unsigned flags = 0;
  if (modifiers & KMOD_SHIFT)
    flags |= core::kShift;
  if (modifiers & KMOD_CTRL)
    flags |= core::kControl;
  if (modifiers & KMOD_ALT)
    flags |= core::kAlt;
  if (modifiers & KMOD_CAPS)
    flags |= core::kCapsLock;
  return flags;
}

} // namespace platform::sdl
