// Message boxes as the page's own modal dialog (Module.quellorShowBox, which
// the page's shell provides): title, text, the icon of the box's kind and its
// buttons, answered with a click, Enter (the first button, which has the
// focus) or Escape (the last button), as on the desktop. The program waits
// for the answer: the browser goes on meanwhile.
//
// A Yes to a question (MB_ICONQUESTION) may be followed by a request for the
// display mode, which the browser grants only within a few seconds of a
// click: the click on Yes asks for fullscreen itself, and the request the
// program makes next takes that answer (WebDisplay.cpp).
//
// Implements: messageBox. While a box is shown the page's keys are the box's,
// not the program's (WebEvents.cpp).
#include "web/WebBackend.h"

#include <emscripten.h>

namespace platform::web {

namespace {

bool boxShown = false;

// The page's answer: the id of the button pressed; 0 where the page has no
// dialog of its own.
EM_ASYNC_JS(int, ShowPageBox,
            (const char *caption, const char *text, int icon, int first, int second,
             int asksForMode),
            {
              if (!Module.quellorShowBox)
                return 0;
              var buttons = [first];
              if (second)
                buttons.push(second);
              return await Module.quellorShowBox({
                title : UTF8ToString(caption),
                text : UTF8ToString(text),
                icon : icon,
                buttons : buttons,
                asksForMode : asksForMode != 0
              });
            });

} // namespace

bool BoxShown() { return boxShown; }

// The boxes the desktop shows: OK, OK and Cancel, Yes and No; 0 for others.
int MessageBox(void *, const char *text, const char *caption, UINT type) {
  int first = IDOK, second = 0;
  switch (type & MB_TYPEMASK) {
  case MB_OK:
    break;
  case MB_OKCANCEL:
    second = IDCANCEL;
    break;
  case MB_YESNO:
    first = IDYES;
    second = IDNO;
    break;
  default:
    return 0;
  }
  const int icon = static_cast<int>((type & MB_ICONMASK) >> 4);
  const bool asksForMode = (type & MB_ICONMASK) == MB_ICONQUESTION && first == IDYES;
  boxShown = true;
  const int answer = ShowPageBox(caption, text, icon, first, second, asksForMode ? 1 : 0);
  boxShown = false;
  return answer;
}

} // namespace platform::web
