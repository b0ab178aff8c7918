// Modal message boxes with SDL's message box.
//
// Implements: messageBox for OK, OK/Cancel and Yes/No boxes; any other kind
// is not shown (the core then writes it to standard error).
#include "SdlBackend.h"

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
  box.flags = IconFlag(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = static_cast<SDL_Window *>(ownerSurface);
  box.title = caption;
  box.message = text;
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0)
    return 0;
  return pressed < 0 ? box.buttons[box.numbuttons - 1].buttonid : pressed;
}

} // namespace platform::sdl
