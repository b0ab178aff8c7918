// Modal message boxes: SDL's own, or the backend's where SDL's cannot be
// shown or could not take the keyboard.
//
// Implements: messageBox for OK, OK/Cancel and Yes/No boxes; any other kind
// is not shown (the core then writes it to standard error).
//
// SDL's box fails without an X display and without zenity (a Wayland session
// that lacks either); the backend's own box (OwnMessageBox.cpp) then asks
// the question, so that the program never goes on past a question nobody
// saw. On X without a window manager SDL's box never gets the keyboard focus
// (once the focused window is destroyed X's focus is None), so the backend's
// box, which takes the focus itself, is shown there in its place.
//
// QUELLOR_SDL_MESSAGE_BOX, for tests: "own" skips SDL's box, "none" shows
// no box at all (the answer is 0, as when neither can be shown).
#include "sdl/SdlBackend.h"

#include <cstdlib>
#include <cstring>

namespace platform::sdl {

namespace {

const int kReturnKey = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
const int kEscapeKey = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;

Uint32 IconFlag(UINT style) {
  switch (style & MB_ICONMASK) {
  case MB_ICONSTOP:
    return SDL_MESSAGEBOX_ERROR;
  case MB_ICONEXCLAMATION:
    return SDL_MESSAGEBOX_WARNING;
  default:
    return SDL_MESSAGEBOX_INFORMATION;
  }
}

bool TestChoice(const char *choice) {
  const char *value = std::getenv("QUELLOR_SDL_MESSAGE_BOX");
  return value && std::strcmp(value, choice) == 0;
}

bool SdlBoxUsable() {
  const char *driver = SDL_GetCurrentVideoDriver();
  if (TestChoice("own"))
    return false;
  return !driver || std::strcmp(driver, "x11") != 0 || X11WindowManagerRuns();
}

} // namespace

int MessageBox(void *ownerSurface, const char *text, const char *caption, UINT type) {
  // Return picks the first button; Escape, or closing the box, the last.
  SDL_MessageBoxButtonData yesNo[] = {{kReturnKey, IDYES, "Yes"}, {kEscapeKey, IDNO, "No"}};
  SDL_MessageBoxButtonData okCancel[] = {{kReturnKey, IDOK, "OK"},
                                         {kEscapeKey, IDCANCEL, "Cancel"}};
  SDL_MessageBoxButtonData ok[] = {{kReturnKey | kEscapeKey, IDOK, "OK"}};
  SDL_MessageBoxData box{};
  switch (type & MB_TYPEMASK) {
  case MB_YESNO:
    box.buttons = yesNo;
    box.numbuttons = 2;
    break;
  case MB_OKCANCEL:
    box.buttons = okCancel;
    box.numbuttons = 2;
    break;
  case MB_OK:
    box.buttons = ok;
    box.numbuttons = 1;
    break;
  default:
    return 0;
  }
  if (TestChoice("none"))
    return 0;
  box.flags = IconFlag(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = static_cast<SDL_Window *>(ownerSurface);
  box.title = caption;
  box.message = text;
  int pressed = -1;
  if (SdlBoxUsable() && SDL_ShowMessageBox(&box, &pressed) == 0)
    return pressed < 0 ? box.buttons[box.numbuttons - 1].buttonid : pressed;
  BoxButton buttons[2];
  for (int i = 0; i < box.numbuttons; ++i)
    buttons[i] = {box.buttons[i].buttonid, box.buttons[i].text};
  return ShowOwnMessageBox(ownerSurface, text, caption, buttons, box.numbuttons);
}

} // namespace platform::sdl
