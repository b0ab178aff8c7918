// Modal message boxes with SDL's message box, or on standard error when no
// box can be shown, so that no message is ever lost.
#include "CallArguments.h"
#include "PlatformCalls.h"
#include "SdlBackend.h"

#include <cstdio>

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

void WriteToStandardError(LPCSTR text, LPCSTR caption) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  std::fflush(stderr);
}

} // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (platform::CallFails("MessageBoxA", platform::CallArguments(owner, text, caption, type)))
    return 0;

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
    WriteToStandardError(text, caption);
    return 0;
  }
  if (!sdlbackend::EnsureVideo()) {
    WriteToStandardError(text, caption);
    return 0;
  }
  box.flags = IconFlag(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  const sdlbackend::WindowRecord *ownerRecord = sdlbackend::RecordOf(owner);
  box.window = ownerRecord ? ownerRecord->sdlWindow : nullptr;
  box.title = caption ? caption : "";
  box.message = text ? text : "";

  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    WriteToStandardError(text, caption);
    return 0;
  }
  if (pressed < 0)
    pressed = box.buttons[box.numbuttons - 1].buttonid;
  return pressed;
}
