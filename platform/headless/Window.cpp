// Window classes and windows. Windows exist only as records; the drawing
// surface is made with the pixel format (GLContext.cpp).
#include "ArgText.h"
#include "Backend.h"
#include "Handles.h"
#include "WindowFrame.h"

#include <PlatformCalls.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

namespace headless::backend {

namespace {

struct WindowClass {
  std::string name;
  WNDPROC procedure;
  ATOM atom;
};

const ATOM kFirstAtom = 0xC000;

std::vector<WindowClass> classes;
// Owned through pointers so that a record stays put while its procedure runs.
std::vector<std::unique_ptr<Window>> windows;
unsigned nextWindowId = 1;
ATOM nextAtom = kFirstAtom;
HWND focus = nullptr;

// Class names compare without regard to case, as on Windows.
bool SameClassName(const std::string &a, const char *b) {
  return a.size() == std::strlen(b) && std::equal(a.begin(), a.end(), b, [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A class is named by its string or by the atom RegisterClassA returned, given
// in place of the string.
WindowClass *LookUpClass(const char *name) {
  uintptr_t atom = reinterpret_cast<uintptr_t>(name);
  for (WindowClass &windowClass : classes) {
    if (atom <= 0xFFFF ? windowClass.atom == atom : SameClassName(windowClass.name, name)) {
      return &windowClass;
    }
  }
  return nullptr;
}

// Only the system's own icons and cursors exist: a null instance and an
// integer resource name.
void *SystemResource(HandleKind kind, HINSTANCE instance, LPCSTR name) {
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (instance || id > 0xFFFF) {
    return nullptr;
  }
  return MakeHandle(kind, static_cast<unsigned>(id));
}

// Makes the window visible; a window shown for the first time is activated
// and told its client size, synchronously.
void Show(HWND handle) {
  Window *window = LookUpWindow(handle);
  bool wasVisible = window->visible;
  window->visible = true;
  if (wasVisible) {
    return;
  }
  LPARAM clientSize = MAKELPARAM(window->clientWidth, window->clientHeight);
  SendMessageTo(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  SendMessageTo(handle, WM_SIZE, SIZE_RESTORED, clientSize);
}

} // namespace

Window *LookUpWindow(HWND handle) {
  for (const std::unique_ptr<Window> &window : windows) {
    if (window->handle == handle) {
      return window.get();
    }
  }
  return nullptr;
}

Window *CurrentWindowRecord() { return windows.empty() ? nullptr : windows.back().get(); }

HWND FocusedWindow() { return focus; }

int LiveWindowCount() { return static_cast<int>(windows.size()); }

int RegisteredClassCount() { return static_cast<int>(classes.size()); }

void ResetWindows() {
  for (const std::unique_ptr<Window> &window : windows) {
    ReleaseSurface(*window);
  }
  windows.clear();
  classes.clear();
  nextWindowId = 1;
  nextAtom = kFirstAtom;
  focus = nullptr;
}

} // namespace headless::backend

using namespace headless::backend;

ATOM WINAPI RegisterClassA(const WNDCLASSA *windowClass) {
  std::string arguments = "NULL";
  if (windowClass) {
    arguments =
        "{" +
        Join({Quoted(windowClass->lpszClassName), Hex(windowClass->style),
              windowClass->lpfnWndProc ? "non-null" : "NULL", HandleText(windowClass->hInstance),
              HandleText(windowClass->hIcon), HandleText(windowClass->hCursor),
              HandleText(windowClass->hbrBackground), Quoted(windowClass->lpszMenuName)}) +
        "}";
  }
  if (platform::CallFails("RegisterClassA", arguments)) {
    return 0;
  }
  if (!windowClass || !windowClass->lpfnWndProc ||
      reinterpret_cast<uintptr_t>(windowClass->lpszClassName) <= 0xFFFF ||
      LookUpClass(windowClass->lpszClassName)) {
    return 0;
  }
  ATOM atom = nextAtom++;
  classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc, atom});
  return atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  if (platform::CallFails("UnregisterClassA", Join({Quoted(className), HandleText(instance)}))) {
    return FALSE;
  }
  WindowClass *windowClass = LookUpClass(className);
  if (!windowClass) {
    return FALSE;
  }
  // As on Windows, a class cannot go while windows of it exist.
  for (const std::unique_ptr<Window> &window : windows) {
    if (window->className == windowClass->name) {
      return FALSE;
    }
  }
  classes.erase(classes.begin() + (windowClass - classes.data()));
  return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (platform::CallFails("LoadIconA", Join({HandleText(instance), Quoted(name)}))) {
    return nullptr;
  }
  return static_cast<HICON>(SystemResource(HandleKind::Icon, instance, name));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (platform::CallFails("LoadCursorA", Join({HandleText(instance), Quoted(name)}))) {
    return nullptr;
  }
  return static_cast<HCURSOR>(SystemResource(HandleKind::Cursor, instance, name));
}

BOOL WINAPI AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD exStyle) {
  std::string rectText = "NULL";
  if (rect) {
    rectText = "{" +
               Join({std::to_string(rect->left), std::to_string(rect->top),
                     std::to_string(rect->right), std::to_string(rect->bottom)}) +
               "}";
  }
  if (platform::CallFails("AdjustWindowRectEx",
                          Join({rectText, Hex(style), Bool(menu), Hex(exStyle)}))) {
    return FALSE;
  }
  if (!rect) {
    return FALSE;
  }
  platform::AddWindowFrame(rect, style, menu != FALSE);
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  if (platform::CallFails("CreateWindowExA",
                          Join({Hex(exStyle), Quoted(className), Quoted(title), Hex(style),
                                std::to_string(x), std::to_string(y), std::to_string(width),
                                std::to_string(height), HandleText(parent), HandleText(menu),
                                HandleText(instance), param ? "non-null" : "NULL"}))) {
    return nullptr;
  }
  WindowClass *windowClass = LookUpClass(className);
  if (!windowClass) {
    return nullptr;
  }
  RECT frame = platform::WindowFrame(style, menu != nullptr);
  auto window = std::make_unique<Window>();
  window->handle = static_cast<HWND>(MakeHandle(HandleKind::Window, nextWindowId++));
  window->className = windowClass->name;
  window->title = title ? title : "";
  window->style = style;
  window->exStyle = exStyle;
  window->x = x;
  window->y = y;
  window->width = width;
  window->height = height;
  window->clientWidth = std::max(0, width - static_cast<int>(frame.left + frame.right));
  window->clientHeight = std::max(0, height - static_cast<int>(frame.top + frame.bottom));
  window->visible = false;
  window->procedure = windowClass->procedure;
  window->pixelFormat = 0;
  window->surface = EGL_NO_SURFACE;
  HWND handle = window->handle;
  windows.push_back(std::move(window));
  if (style & WS_VISIBLE) {
    Show(handle);
  }
  return handle;
}

BOOL WINAPI DestroyWindow(HWND handle) {
  if (platform::CallFails("DestroyWindow", HandleText(handle))) {
    return FALSE;
  }
  Window *window = LookUpWindow(handle);
  if (!window) {
    return FALSE;
  }
  if (focus == handle) {
    focus = nullptr;
  }
  ReleaseSurface(*window);
  windows.erase(
      std::find_if(windows.begin(), windows.end(),
                   [handle](const std::unique_ptr<Window> &w) { return w->handle == handle; }));
  return TRUE;
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
  if (platform::CallFails("ShowWindow", Join({HandleText(handle), std::to_string(command)}))) {
    return FALSE;
  }
  Window *window = LookUpWindow(handle);
  if (!window) {
    return FALSE;
  }
  // The result tells whether the window was visible before.
  BOOL wasVisible = window->visible ? TRUE : FALSE;
  if (command == SW_HIDE) {
    window->visible = false;
  } else {
    Show(handle);
  }
  return wasVisible;
}

BOOL WINAPI SetForegroundWindow(HWND handle) {
  if (platform::CallFails("SetForegroundWindow", HandleText(handle))) {
    return FALSE;
  }
  return LookUpWindow(handle) ? TRUE : FALSE;
}

HWND WINAPI SetFocus(HWND handle) {
  if (platform::CallFails("SetFocus", HandleText(handle))) {
    return nullptr;
  }
  if (handle && !LookUpWindow(handle)) {
    return nullptr;
  }
  HWND previous = focus;
  focus = handle;
  return previous;
}

HWND WINAPI GetFocus(void) {
  if (platform::CallFails("GetFocus", "")) {
    return nullptr;
  }
  return focus;
}
