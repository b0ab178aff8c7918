// Translation of SDL's keyboard events to Windows' virtual keys. The
// characters keys type are the core's (KeyCharacters.h).
#ifndef QUELLOR_SDL_SDL_KEY_CODES_H
#define QUELLOR_SDL_SDL_KEY_CODES_H

#include <windows.h>

#include <SDL.h>

namespace platform::sdl {

// The Windows virtual-key code of a key, or 0 for a key Windows has no code
// for. Letters, digits and punctuation follow the keyboard layout (the key's
// SDL keycode), as virtual keys do on Windows; a layout whose keys produce
// other characters falls back to the key's position on a US keyboard. The
// keypad gives digits with Num Lock on and navigation keys with it off.
int VirtualKeyOf(SDL_Keycode keycode, SDL_Scancode scancode, Uint16 modifiers);

// Whether Windows flags the key as an extended key (bit 24 of a key message's
// lParam): the right Ctrl and Alt, the navigation block, the arrows, the
// keypad's Enter and divide key, and a few more.
bool IsExtendedKey(SDL_Scancode scancode);

// The core's modifier flags (KeyModifier) of SDL's.
unsigned ModifiersOf(Uint16 modifiers);

} // namespace platform::sdl

#endif
