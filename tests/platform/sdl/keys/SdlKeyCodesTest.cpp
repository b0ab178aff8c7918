// Key translation needs no display: SDL's key codes in, Windows' virtual keys
// and characters out.
#include "SdlKeyCodes.h"

#include <KeyCharacters.h>

#include <gtest/gtest.h>

using platform::sdl::VirtualKeyOf;

namespace {

// The character the core types for a key with SDL's modifiers.
int CharacterOf(int virtualKey, Uint16 modifiers) {
  return platform::core::CharacterOf(virtualKey, platform::sdl::ModifiersOf(modifiers));
}

} // namespace

// Each key with its layout's code, SDL's modifiers, and the virtual key and
// extended flag Windows gives it.
struct KeyCase {
  SDL_Keycode keycode;
  SDL_Scancode scancode;
  Uint16 modifiers;
  int virtualKey;
  bool extended;
};

TEST(VirtualKeys, FollowTheLayoutThenThePositionAndNumLockOnTheKeypad) {
  const KeyCase cases[] = {
      {SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 'A', false},
      {SDLK_z, SDL_SCANCODE_Z, KMOD_NONE, 'Z', false},
      {SDLK_0, SDL_SCANCODE_0, KMOD_NONE, '0', false},
      {SDLK_9, SDL_SCANCODE_9, KMOD_NONE, '9', false},
      // On a French keyboard the key at the US "A" position types "q".
      {SDLK_q, SDL_SCANCODE_A, KMOD_NONE, 'Q', false},
      // A key typing a non-Latin letter falls back to its US position.
      {0x0444, SDL_SCANCODE_A, KMOD_NONE, 'A', false},
      {SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE, VK_SPACE, false},
      // Punctuation follows the layout too; the key left of Z on ISO
      // keyboards has its own code.
      {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, KMOD_NONE, VK_OEM_1, false},
      {SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, KMOD_NONE, VK_OEM_102, false},
      {SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE, VK_F1, false},
      {SDLK_F12, SDL_SCANCODE_F12, KMOD_NONE, VK_F12, false},
      {SDLK_F13, SDL_SCANCODE_F13, KMOD_NONE, VK_F12 + 1, false},
      {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, KMOD_NONE, VK_PRIOR, true},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE, VK_LEFT, true},
      {SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, KMOD_NONE, VK_SNAPSHOT, true},
      // Key messages name the modifier, not which of the two was pressed;
      // the right Ctrl and Alt are extended keys.
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_NONE, VK_SHIFT, false},
      {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, KMOD_NONE, VK_SHIFT, false},
      {SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_NONE, VK_CONTROL, true},
      {SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE, VK_MENU, false},
      {SDLK_RALT, SDL_SCANCODE_RALT, KMOD_NONE, VK_MENU, true},
      {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, KMOD_NONE, 0, false},
      // The keypad: digits with Num Lock, navigation without (not extended,
      // unlike the navigation block's keys).
      {SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM, VK_NUMPAD0, false},
      {SDLK_KP_7, SDL_SCANCODE_KP_7, KMOD_NUM, VK_NUMPAD0 + 7, false},
      {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM, VK_DECIMAL, false},
      {SDLK_KP_7, SDL_SCANCODE_KP_7, KMOD_NONE, VK_HOME, false},
      {SDLK_KP_5, SDL_SCANCODE_KP_5, KMOD_NONE, VK_CLEAR, false},
      {SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NONE, VK_INSERT, false},
      {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NONE, VK_DELETE, false},
      // Operators and Enter do not depend on Num Lock.
      {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, KMOD_NONE, VK_ADD, false},
      {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, KMOD_NUM, VK_DIVIDE, true},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NUM, VK_RETURN, true},
  };
  for (const KeyCase &c : cases) {
    SCOPED_TRACE(SDL_GetScancodeName(c.scancode));
    EXPECT_EQ(VirtualKeyOf(c.keycode, c.scancode, c.modifiers), c.virtualKey);
    EXPECT_EQ(platform::sdl::IsExtendedKey(c.scancode), c.extended);
  }
}

TEST(VirtualKeys, EveryCodeFitsTheProgramsKeyTable) {
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const int key =
        VirtualKeyOf(SDL_SCANCODE_TO_KEYCODE(scancode), static_cast<SDL_Scancode>(scancode), 0);
    EXPECT_TRUE(key >= 0 && key < 256) << "scancode " << scancode;
  }
}

TEST(TypedCharacters, LettersFollowShiftAndCapsLock) {
  EXPECT_EQ(CharacterOf('A', KMOD_NONE), 'a');
  EXPECT_EQ(CharacterOf('A', KMOD_LSHIFT), 'A');
  EXPECT_EQ(CharacterOf('A', KMOD_CAPS), 'A');
  EXPECT_EQ(CharacterOf('A', KMOD_CAPS | KMOD_RSHIFT), 'a');
  EXPECT_EQ(CharacterOf('C', KMOD_LCTRL), 3);
  // AltGr (Ctrl+Alt) characters depend on the layout: none is made up.
  EXPECT_EQ(CharacterOf('Q', KMOD_LCTRL | KMOD_LALT), 0);
  EXPECT_EQ(CharacterOf('Q', KMOD_LALT), 'q');
}

TEST(TypedCharacters, DigitsPunctuationAndControlKeys) {
  EXPECT_EQ(CharacterOf('1', KMOD_NONE), '1');
  EXPECT_EQ(CharacterOf('1', KMOD_SHIFT), '!');
  EXPECT_EQ(CharacterOf('0', KMOD_SHIFT), ')');
  EXPECT_EQ(CharacterOf(VK_OEM_1, KMOD_NONE), ';');
  EXPECT_EQ(CharacterOf(VK_OEM_7, KMOD_SHIFT), '"');
  EXPECT_EQ(CharacterOf(VK_NUMPAD0 + 4, KMOD_NONE), '4');
  EXPECT_EQ(CharacterOf(VK_MULTIPLY, KMOD_NONE), '*');
  EXPECT_EQ(CharacterOf(VK_SPACE, KMOD_NONE), ' ');
  EXPECT_EQ(CharacterOf(VK_RETURN, KMOD_NONE), '\r');
  EXPECT_EQ(CharacterOf(VK_RETURN, KMOD_CTRL), '\n');
  EXPECT_EQ(CharacterOf(VK_ESCAPE, KMOD_NONE), 0x1B);
  EXPECT_EQ(CharacterOf(VK_BACK, KMOD_NONE), 0x08);
  // Keys that type nothing.
  EXPECT_EQ(CharacterOf(VK_F1, KMOD_NONE), 0);
  EXPECT_EQ(CharacterOf(VK_SHIFT, KMOD_SHIFT), 0);
  EXPECT_EQ(CharacterOf(VK_LEFT, KMOD_NONE), 0);
  EXPECT_EQ(CharacterOf('1', KMOD_CTRL), 0);
}
