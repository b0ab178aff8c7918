#include "core/KeyCharacters.h"

#include "core/Backend.h"

namespace platform::core {

namespace {

// Punctuation keys: the virtual key and the characters the key types on a US
// keyboard, unshifted and shifted.
struct PunctuationKey {
  int virtualKey;
  char plain;
  char shifted;
};

const PunctuationKey kPunctuation[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},     {VK_OEM_102, '\\', '|'},
};

// What Ctrl with a key types besides the letters' control codes.
int ControlCharacter(int virtualKey) {
  switch (virtualKey) {
  case VK_RETURN:
    return '\n';
  case VK_BACK:
    return 0x7F;
  case VK_SPACE:
    return ' ';
  case VK_OEM_4:
    return 0x1B;
  case VK_OEM_5:
    return 0x1C;
  case VK_OEM_6:
    return 0x1D;
  default:
    return 0;
  }
}

int PlainCharacter(int virtualKey) {
  switch (virtualKey) {
  case VK_SPACE:
    return ' ';
  case VK_RETURN:
    return '\r';
  case VK_ESCAPE:
    return 0x1B;
  case VK_BACK:
    return 0x08;
  case VK_TAB:
    return '\t';
  case VK_MULTIPLY:
    return '*';
  case VK_ADD:
    return '+';
  case VK_SUBTRACT:
    return '-';
  case VK_DECIMAL:
    return '.';
  case VK_DIVIDE:
    return '/';
  default:
    return 0;
  }
}

} // namespace

int CharacterOf(int virtualKey, unsigned modifiers) {
  const bool shift = modifiers & kShift;
  const bool control = modifiers & kControl;
  // Ctrl+Alt is AltGr on most layouts; what it types depends on the layout.
  if (control && (modifiers & kAlt))
    return 0;
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    if (control)
      return virtualKey - 'A' + 1;
    return shift != ((modifiers & kCapsLock) != 0) ? virtualKey : virtualKey - 'A' + 'a';
  }
  if (control)
    return ControlCharacter(virtualKey);
  if (virtualKey >= '0' && virtualKey <= '9')
    return shift ? ")!@#$%^&*("[virtualKey - '0'] : virtualKey;
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9)
    return '0' + (virtualKey - VK_NUMPAD0);
  if (int character = PlainCharacter(virtualKey))
    return character;
  for (const PunctuationKey &key : kPunctuation) {
    if (key.virtualKey == virtualKey)
      return shift ? key.shifted : key.plain;
  }
  return 0;
}

int KeyTypingCharacter(int character) {
  if (character >= 'a' && character <= 'z')
    return 'A' + (character - 'a');
  if (character >= '0' && character <= '9')
    return character;
  for (const PunctuationKey &key : kPunctuation) {
    if (key.virtualKey != VK_OEM_102 && character == key.plain)
      return key.virtualKey;
  }
  return 0;
}

} // namespace platform::core
