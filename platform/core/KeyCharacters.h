// The characters keys type on a US keyboard: what TranslateMessage posts for
// a key-down, and which key types a character.
#ifndef QUELLOR_CORE_KEY_CHARACTERS_H
#define QUELLOR_CORE_KEY_CHARACTERS_H

namespace platform::core {

// The character a key-down with this virtual key and these modifiers
// (KeyModifier flags) types, or 0 when it types none.
int CharacterOf(int virtualKey, unsigned modifiers);

// The virtual key of the letter, digit or punctuation key that types this
// character unshifted, or 0.
int KeyTypingCharacter(int character);

} // namespace platform::core

#endif
