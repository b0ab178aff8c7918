// quellor-window-probe: scripted scenarios of window and message handling
// that print what the window procedure gets and what the calls return, one
// line each. The same source is built for Windows (run under Wine) and
// against our platform (on the headless backend); compare-windows.sh
// compares the two logs. Window handles are printed by the order the windows
// were made in (w1, w2), so that the logs compare.
//
// Only messages the window system defines for programs like ours are
// printed; Windows' many others (non-client painting, positions, IME) are not.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PixelFormatRequest.h"
#include "ProbeInput.h"

namespace {

std::vector<HWND> made; // by creation order
bool quitOnDestroy = false;

std::string Name(HWND window) {
  if (!window)
    return "0";
  for (size_t i = 0; i < made.size(); ++i) {
    if (made[i] == window)
      return "w" + std::to_string(i + 1);
  }
  return "other";
}

const char *MessageName(UINT message) {
  switch (message) {
  case WM_NCCREATE:
    return "WM_NCCREATE";
  case WM_CREATE:
    return "WM_CREATE";
  case WM_DESTROY:
    return "WM_DESTROY";
  case WM_NCDESTROY:
    return "WM_NCDESTROY";
  case WM_SIZE:
    return "WM_SIZE";
  case WM_ACTIVATE:
    return "WM_ACTIVATE";
  case WM_SETFOCUS:
    return "WM_SETFOCUS";
  case WM_KILLFOCUS:
    return "WM_KILLFOCUS";
  case WM_CLOSE:
    return "WM_CLOSE";
  case WM_KEYDOWN:
    return "WM_KEYDOWN";
  case WM_KEYUP:
    return "WM_KEYUP";
  case WM_CHAR:
    return "WM_CHAR";
  case WM_SYSKEYDOWN:
    return "WM_SYSKEYDOWN";
  case WM_SYSKEYUP:
    return "WM_SYSKEYUP";
  case WM_SYSCHAR:
    return "WM_SYSCHAR";
  case WM_SYSCOMMAND:
    return "WM_SYSCOMMAND";
  default:
    return nullptr;
  }
}

// Parameters that are handles are printed as names; a popup's size is the
// client size, which both systems give the same.
void Log(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const char *name = MessageName(message);
  if (!name)
    return;
  std::string w = std::to_string(static_cast<unsigned long long>(wParam));
  std::string l = std::to_string(static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam)));
  if (message == WM_ACTIVATE)
    l = Name(reinterpret_cast<HWND>(lParam));
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
    w = Name(reinterpret_cast<HWND>(wParam));
  if (message == WM_NCCREATE || message == WM_CREATE)
    l = "cs";
  if (message == WM_SYSCOMMAND) {
    // The low four bits are the system's; the position is the mouse's.
    w = std::to_string(static_cast<unsigned long long>(wParam & 0xFFF0));
    l = "-";
  }
  if (message == WM_SIZE && wParam == SIZE_MAXIMIZED)
    l = "screen"; // the work area, which differs between displays
  if (message >= WM_KEYDOWN && message <= WM_SYSCHAR) {
    // The scan code (bits 16 to 23) is the keyboard's own.
    l = std::to_string(static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam) &
                                                       ~static_cast<ULONG_PTR>(0xFF0000)));
  }
  std::printf("  %s %s %s %s\n", Name(window).c_str(), name, w.c_str(), l.c_str());
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // The handle is known from here on.
    bool known = false;
    for (HWND w : made)
      known = known || w == window;
    if (!known)
      made.push_back(window);
  }
  Log(window, message, wParam, lParam);
  if (message == WM_DESTROY && quitOnDestroy)
    PostQuitMessage(9);
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Make(DWORD style, bool visible = false) {
  RECT rect = {0, 0, 320, 240};
  AdjustWindowRectEx(&rect, style, FALSE, 0);
  return CreateWindowExA(0, "QuellorWindowProbe", "Probe", style | (visible ? WS_VISIBLE : 0), 0, 0,
                         rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// Takes and dispatches every message there is, printing what was taken;
// stops at WM_QUIT (printed with its code).
void Drain() {
  MSG msg;
  int guard = 0;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && ++guard < 1000) {
    if (msg.message == WM_QUIT) {
      std::printf("  quit %llu\n", static_cast<unsigned long long>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Begin(const char *scenario) {
  Drain();
  std::printf("scenario %s\n", scenario);
}

void Call(const char *what, long long result) { std::printf("  = %s %lld\n", what, result); }

void Creation() {
  Begin("popup-creation");
  HWND popup = Make(WS_POPUP);
  Call("ShowWindow", ShowWindow(popup, SW_SHOW));
  DestroyWindow(popup);

  Begin("overlapped-creation");
  HWND overlapped = Make(WS_OVERLAPPEDWINDOW);
  Call("ShowWindow", ShowWindow(overlapped, SW_SHOW));
  Call("ShowWindow again", ShowWindow(overlapped, SW_SHOW));
  DestroyWindow(overlapped);
}

void Destruction() {
  Begin("destroy-active-of-two");
  HWND first = Make(WS_POPUP, true);
  HWND second = Make(WS_POPUP, true);
  Call("DestroyWindow", DestroyWindow(second));
  Call("GetFocus is first", GetFocus() == first);
  Call("DestroyWindow", DestroyWindow(first));

  Begin("quit-on-destroy");
  quitOnDestroy = true;
  HWND window = Make(WS_OVERLAPPEDWINDOW, true);
  ProbePost(window, WM_CLOSE, 0, 0);
  Drain();
  quitOnDestroy = false;
}

void Queue() {
  Begin("posted-quit-input");
  HWND window = Make(WS_POPUP, true);
  ProbeKey(window, 'A', true);
  ProbePost(window, WM_USER + 0x10, 1, 0); // left to the default handling
  PostQuitMessage(1);
  PostQuitMessage(4);
  ProbePost(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  ProbeKey(window, 'A', false);
  MSG msg;
  int guard = 0;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && ++guard < 100) {
    // Painting and the like are the system's own business.
    if (msg.message != WM_QUIT && msg.message < WM_USER && !MessageName(msg.message)) {
      DispatchMessageA(&msg);
      continue;
    }
    std::printf("  took %s 0x%x %llu\n", msg.hwnd ? Name(msg.hwnd).c_str() : "0", msg.message,
                static_cast<unsigned long long>(msg.wParam));
    if (msg.message == WM_KEYDOWN) {
      ProbePost(window, WM_SYSCOMMAND, SC_MONITORPOWER, 0);
      TranslateMessage(&msg);
    }
  }
  DestroyWindow(window);
}

void Keys() {
  struct Press {
    int virtualKey;
    bool down;
  };
  struct Case {
    const char *name;
    std::vector<Press> presses;
  } const cases[] = {
      {"keys-plain", {{'A', true}, {'A', false}}},
      {"keys-alt-alone", {{VK_MENU, true}, {VK_MENU, false}}},
      {"keys-alt-n", {{VK_MENU, true}, {'N', true}, {'N', false}, {VK_MENU, false}}},
      {"keys-ctrl-alt-n",
       {{VK_CONTROL, true},
        {VK_MENU, true},
        {'N', true},
        {'N', false},
        {VK_MENU, false},
        {VK_CONTROL, false}}},
      {"keys-shift-b", {{VK_SHIFT, true}, {'B', true}, {'B', false}, {VK_SHIFT, false}}},
  };
  HWND window = Make(WS_POPUP, true);
  ProbeFocus(window);
  for (const Case &c : cases) {
    Begin(c.name);
    for (const Press &press : c.presses)
      ProbeKey(window, press.virtualKey, press.down);
    Drain();
  }
  DestroyWindow(window);
}

void Placement() {
  Begin("minimise-restore-maximise");
  HWND window = Make(WS_OVERLAPPEDWINDOW, true);
  Drain();
  std::printf("  ShowWindow SW_MINIMIZE\n");
  ShowWindow(window, SW_MINIMIZE);
  std::printf("  ShowWindow SW_RESTORE\n");
  ShowWindow(window, SW_RESTORE);
  std::printf("  SC_MAXIMIZE\n");
  DefWindowProcA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  std::printf("  SC_RESTORE\n");
  DefWindowProcA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  std::printf("  SC_MINIMIZE\n");
  DefWindowProcA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  std::printf("  SC_MAXIMIZE\n");
  DefWindowProcA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  DestroyWindow(window);
}

void Contexts() {
  Begin("pixel-format-and-wgl");
  HWND window = Make(WS_POPUP, true);
  HWND bare = Make(WS_POPUP);
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
  const int format = ChoosePixelFormat(dc, &request);
  Call("SetPixelFormat", SetPixelFormat(dc, format, &request));
  Call("SetPixelFormat same", SetPixelFormat(dc, format, &request));
  HGLRC context = wglCreateContext(dc);
  HGLRC other = wglCreateContext(dc);
  Call("wglCreateContext leaves none current", wglGetCurrentContext() == nullptr);
  Call("wglMakeCurrent", wglMakeCurrent(dc, context));
  wglDeleteContext(other);
  Call("wglMakeCurrent deleted", wglMakeCurrent(dc, other));
  Call("still current", wglGetCurrentContext() == context);
  Call("wglMakeCurrent NULL DC", wglMakeCurrent(nullptr, context));
  Call("still current", wglGetCurrentContext() == context);
  Call("wglMakeCurrent DC without format", wglMakeCurrent(GetDC(bare), context));
  Call("still current", wglGetCurrentContext() == context);
  Call("release", wglMakeCurrent(nullptr, nullptr));
  SetLastError(0);
  Call("release again", wglMakeCurrent(nullptr, nullptr));
  Call("last error", static_cast<long long>(GetLastError()));
  Call("wglMakeCurrent", wglMakeCurrent(dc, context));
  DestroyWindow(window);
  Call("current after DestroyWindow", wglGetCurrentContext() == context);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
  DestroyWindow(bare);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  WNDCLASSA windowClass = {};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "QuellorWindowProbe";
  if (!RegisterClassA(&windowClass))
    return 1;
  Creation();
  Destruction();
  Queue();
  Keys();
  Placement();
  Contexts();
  Begin("end");
  UnregisterClassA("QuellorWindowProbe", instance);
  return 0;
}
