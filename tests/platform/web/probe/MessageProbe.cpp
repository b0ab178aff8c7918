// quellor-message-probe: a page with one window that prints every message
// its procedure gets, one line each ("message 0x100 0x41 0x1e0001"), for the
// browser checks of what the web backend makes of the page's events. The
// page's Close button ends it.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK LogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::printf("message 0x%x 0x%lx 0x%lx\n", message, static_cast<unsigned long>(wParam),
              static_cast<unsigned long>(lParam));
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = LogMessage;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "QuellorProbe";
  if (!RegisterClassA(&windowClass))
    return 1;
  HWND window = CreateWindowExA(0, "QuellorProbe", "Probe", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                nullptr, nullptr, instance, nullptr);
  if (!window)
    return 1;
  ShowWindow(window, SW_SHOW);
  std::printf("probe ready\n");
  MSG msg = {};
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The page's events come while the program waits.
      Sleep(10);
      continue;
    }
    if (msg.message == WM_QUIT)
      break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DestroyWindow(window);
  return static_cast<int>(msg.wParam);
}
