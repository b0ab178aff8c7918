// Message boxes as the browser's own synchronous dialogs, which have no title
// of their own: the title is the first line of the text.
//
// Implements: messageBox. A box with one button is alert(); one with two is
// confirm(), whose OK is the first button (Yes or OK) and whose Cancel is the
// answer of a user dismissing the box (No or Cancel).
#include "WebBackend.h"

#include <emscripten.h>

namespace platform::web {

namespace {

// The scripts below are laid out as C++, which would split JavaScript's ===
// into == =; typeof gives a string, so == compares the same.

// 0 where the browser shows no dialogs.
EM_JS(int, ShowAlert, (const char *caption, const char *text), {
  if (typeof window == 'undefined' || !window.alert)
    return 0;
  window.alert(UTF8ToString(caption) + '\n' + UTF8ToString(text));
  return 1;
});

// 1 for OK, 2 for Cancel, 0 where the browser shows no dialogs.
EM_JS(int, ShowConfirm, (const char *caption, const char *text), {
  if (typeof window == 'undefined' || !window.confirm)
    return 0;
  return window.confirm(UTF8ToString(caption) + '\n' + UTF8ToString(text)) ? 1 : 2;
});

// The button confirm()'s OK stands for: Yes or OK.
int FirstButton(UINT type) { return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK; }

} // namespace

int MessageBox(void *, const char *text, const char *caption, UINT type) {
  if ((type & MB_TYPEMASK) == MB_OK)
    return ShowAlert(caption, text) ? IDOK : 0;
  switch (ShowConfirm(caption, text)) {
  case 1:
    return FirstButton(type);
  case 2:
    return core::DismissedAnswer(type);
  default:
    return 0;
  }
}

} // namespace platform::web
