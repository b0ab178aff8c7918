#include "SceneWindowProc.h"

#include "AppState.h"
#include "RenderState.h"

LRESULT CALLBACK SceneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ACTIVATE:
    // The high word is the minimised flag; active/inactive does not matter.
    appState.isActive = HIWORD(wParam) == 0 ? 1 : 0;
    return 0;
  case WM_SYSCOMMAND:
    // Keep the screen saver and monitor power saving from starting.
    if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
      return 0;
    break;
  case WM_CLOSE:
    // The main loop tears the window down once it sees the quit message.
    PostQuitMessage(0);
    return 0;
  case WM_KEYDOWN:
    // Codes beyond the table cannot be flags of ours; ignore them.
    if (wParam < 256)
      appState.KeyState[wParam] = 1;
    return 0;
  case WM_KEYUP:
    if (wParam < 256)
      appState.KeyState[wParam] = 0;
    return 0;
  case WM_SIZE:
    ResizeViewport(LOWORD(lParam), HIWORD(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
