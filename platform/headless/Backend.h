// What the headless backend's files share with each other. Tests, benchmarks
// and tools use HeadlessControl.h instead.
#ifndef QUELLOR_HEADLESS_BACKEND_H
#define QUELLOR_HEADLESS_BACKEND_H

#include <windows.h>

#include <EGL/egl.h>

#include <string>

namespace headless::backend {

struct Window {
  HWND handle;
  std::string className;
  std::string title;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height; // outer rectangle
  int clientWidth, clientHeight;
  bool visible;
  WNDPROC procedure;
  int pixelFormat;    // 0 until SetPixelFormat
  EGLSurface surface; // the drawing surface, made with the pixel format
};

// Window.cpp
Window *LookUpWindow(HWND handle); // a live window, or null
Window *CurrentWindowRecord();     // the newest live window, or null
HWND FocusedWindow();
int LiveWindowCount();
int RegisteredClassCount();
void ResetWindows();

// GLContext.cpp
void ReleaseSurface(Window &window);
int LiveDeviceContextCount();
int LiveRenderingContextCount();
void ResetGraphics();

// Events.cpp
// Calls the window's procedure at once; 0 when the window does not exist.
LRESULT SendMessageTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ResetEvents();

// Modes.cpp, Dialogs.cpp, CallLog.cpp
void ResetModes();
void ResetDialogs();
void ResetCallLog();

} // namespace headless::backend

#endif
