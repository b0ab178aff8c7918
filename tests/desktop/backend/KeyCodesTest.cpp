// Key translation needs no display: SDL's key codes in, Windows' virtual keys
// and characters out.
#include "KeyCodes.h"

#include <KeyCharacters.h>

#include <gtest/gtest.h>

using platform::sdl::VirtualKeyOf;

namespace {

// The character the core types for a key with SDL's modifiers.
int CharacterOf(int virtualKey, Uint16 modifiers) {
  return platform::core::CharacterOf(virtualKey, platform::sdl::ModifiersOf(modifiers));
}

} // namespace

TEST(VirtualKeys, CharacterKeysFollowTheLayout) {
  EXPECT_EQ(VirtualKeyOf(SDLK_a, SDL_SCANCODE_A, KMOD_NONE), 'A');
  EXPECT_EQ(VirtualKeyOf(SDLK_z, SDL_SCANCODE_Z, KMOD_NONE), 'Z');
  EXPECT_EQ(VirtualKeyOf(SDLK_0, SDL_SCANCODE_0, KMOD_NONE), '0');
  EXPECT_EQ(VirtualKeyOf(SDLK_9, SDL_SCANCODE_9, KMOD_NONE), '9');
  // On a French keyboard the key at the US "A" position types "q".
  EXPECT_EQ(VirtualKeyOf(SDLK_q, SDL_SCANCODE_A, KMOD_NONE), 'Q');
  // A key typing a non-Latin letter falls back to its US position.
  EXPECT_EQ(VirtualKeyOf(0x0444, SDL_SCANCODE_A, KMOD_NONE), 'A');
  EXPECT_EQ(VirtualKeyOf(SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE), VK_SPACE);
  // Punctuation follows the layout too; the key left of Z on ISO keyboards
  // has its own code.
  EXPECT_EQ(VirtualKeyOf(SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, KMOD_NONE), VK_OEM_1);
  EXPECT_EQ(VirtualKeyOf(SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, KMOD_NONE), VK_OEM_102);
}

TEST(VirtualKeys, FunctionNavigationAndModifierKeys) {
  EXPECT_EQ(VirtualKeyOf(SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE), VK_F1);
  EXPECT_EQ(VirtualKeyOf(SDLK_F12, SDL_SCANCODE_F12, KMOD_NONE), VK_F12);
  EXPECT_EQ(VirtualKeyOf(SDLK_F13, SDL_SCANCODE_F13, KMOD_NONE), VK_F12 + 1);
  EXPECT_EQ(VirtualKeyOf(SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, KMOD_NONE), VK_PRIOR);
  // Key messages name the modifier, not which of the two was pressed.
  EXPECT_EQ(VirtualKeyOf(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_NONE), VK_SHIFT);
  EXPECT_EQ(VirtualKeyOf(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, KMOD_NONE), VK_SHIFT);
  EXPECT_EQ(VirtualKeyOf(SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_NONE), VK_CONTROL);
  EXPECT_EQ(VirtualKeyOf(SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE), VK_MENU);
  EXPECT_EQ(VirtualKeyOf(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, KMOD_NONE), 0);
  // Every code fits the program's 256-entry key table.
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const int key =
        VirtualKeyOf(SDL_SCANCODE_TO_KEYCODE(scancode), static_cast<SDL_Scancode>(scancode), 0);
    EXPECT_TRUE(key >= 0 && key < 256) << "scancode " << scancode;
  }
}

TEST(VirtualKeys, KeypadDependsOnNumLock) {
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM), VK_NUMPAD0);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_7, SDL_SCANCODE_KP_7, KMOD_NUM), VK_NUMPAD0 + 7);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM), VK_DECIMAL);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_7, SDL_SCANCODE_KP_7, KMOD_NONE), VK_HOME);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_5, SDL_SCANCODE_KP_5, KMOD_NONE), VK_CLEAR);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NONE), VK_INSERT);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NONE), VK_DELETE);
  // Operators and Enter do not depend on Num Lock.
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, KMOD_NONE), VK_ADD);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, KMOD_NUM), VK_DIVIDE);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NUM), VK_RETURN);
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
