// The default handling of window messages: creation goes ahead, closing
// destroys the window, Alt+F4 and the system menu's Close ask the window to
// close, and the system menu's Minimize, Maximize and Restore do so.
#include "core/Core.h"
#include "hook/CallArguments.h"

using namespace platform::core;
using platform::Hex;

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (platform::CallFails("DefWindowProcA",
                          platform::CallArguments(window, Hex{message}, Hex{wParam},
                                                  Hex{static_cast<ULONG_PTR>(lParam)})))
    return 0;
  switch (message) {
  case WM_NCCREATE:
    return TRUE;
  case WM_CLOSE:
    DestroyWindow(window);
    return 0;
  case WM_SYSKEYDOWN:
    if (wParam == VK_F4)
      Send(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  case WM_SYSCOMMAND:
    // The low four bits of a system command are used by the system.
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
      Send(window, WM_CLOSE, 0, 0);
      break;
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_RESTORE:
      if (Window *record = LookUpWindow(window))
        ShowCommand(record, (wParam & 0xFFF0) == SC_MINIMIZE   ? SW_MINIMIZE
                            : (wParam & 0xFFF0) == SC_MAXIMIZE ? SW_MAXIMIZE
                                                               : SW_RESTORE);
      break;
    default:
      break;
    }
    return 0;
  default:
    return 0;
  }
}
