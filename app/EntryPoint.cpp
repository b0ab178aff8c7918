// The program's entry: the start question, the message and frame loop with the
// fullscreen toggle, and the final tear-down.
#include <windows.h>

#include "AppState.h"
#include "RenderFrame.h"
#include "SceneWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Zero-filled, so that an Escape before any message was taken ends with 0.
  MSG msg = {};
  int done = 0;

  // A question that could not be shown at all (0) is taken as No: nobody
  // chose fullscreen, and a window can always be closed.
  const int answer = MessageBoxA(nullptr, "Prejete si celoobrazovkovy rezim?", "Cela obrazovka?",
                                 MB_YESNO | MB_ICONQUESTION);
  if (answer == IDNO || answer == 0)
    appState.isFullscreen = 0;

  if (!CreateSceneWindow())
    return 1;

  for (;;) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT)
        break;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      continue;
    }

    // The queue is empty: a frame pass. A frame rendered in the pass that ends
    // the program is not presented.
    if (appState.isActive && !RenderFrame())
      done = 1;
    else if (appState.KeyState[kEscapeKey])
      done = 1;
    if (!done)
      SwapBuffers(appState.deviceContext);

    if (appState.KeyState[kF1Key]) {
      appState.KeyState[kF1Key] = 0;
      DestroySceneWindow();
      appState.isFullscreen = appState.isFullscreen == 0 ? 1 : 0;
      if (!CreateSceneWindow())
        return 1;
    }

    if (done)
      break;
  }

  DestroySceneWindow();
  return static_cast<int>(msg.wParam);
}
