// On Windows the loader's MessageBoxA is the system's own. A computer-based
// training hook on this thread sees each dialog as it is activated, copies
// the message text from its static control and presses OK for the user.
#include "LoaderMessages.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

HHOOK dialogHook = nullptr;
std::string lastMessage;

bool HasClass(HWND window, const char *className) {
  char name[32];
  return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, className) == 0;
}

// The message box's text is its only static control with text; the icon,
// when there is one, is a static control without.
BOOL CALLBACK TakeMessageText(HWND child, LPARAM) {
  if (!HasClass(child, "Static"))
    return TRUE;
  int length = GetWindowTextLengthA(child);
  if (length <= 0)
    return TRUE;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(child, &text[0], length + 1)));
  lastMessage = text;
  return FALSE;
}

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND dialog = reinterpret_cast<HWND>(wParam);
    if (HasClass(dialog, "#32770")) {
      EnumChildWindows(dialog, TakeMessageText, 0);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(dialogHook, code, wParam, lParam);
}

} // namespace

void StartCapturingLoaderMessages() {
  _setmode(_fileno(stdout), _O_BINARY);
  lastMessage.clear();
  if (!dialogHook)
    dialogHook = SetWindowsHookExA(WH_CBT, WatchDialogs, nullptr, GetCurrentThreadId());
}

std::string LastLoaderMessage() { return lastMessage; }
