// What the core's files share with each other: the window table, sending and
// posting messages, the current rendering context and the test controls'
// state.
#ifndef QUELLOR_CORE_CORE_H
#define QUELLOR_CORE_CORE_H

#include "Backend.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace platform::core {

struct Window {
  HWND handle;
  std::string className;
  std::string title;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;       // outer rectangle
  int clientWidth, clientHeight; // as last reported with WM_SIZE
  bool visible = false;
  bool minimised = false;
  bool fullscreen = false; // made in the display mode in force
  WNDPROC procedure;
  int pixelFormat = 0; // 0 until SetPixelFormat
  void *surface;       // the backend's
};

// BackendStart.cpp: starts the backend on first use and registers the
// clean-up at process exit (every window destroyed, the display mode back).
bool BackendReady();
bool BackendRunning(); // started, without starting it

// Windows.cpp
Window *LookUpWindow(HWND handle); // a live window, or null
Window *WindowOfSurface(const void *surface);
const std::vector<std::unique_ptr<Window>> &LiveWindows();
HWND FocusedWindow();
void NoteFocus(HWND window, bool gained);
HWND ActiveWindow();
void SetActiveWindow(HWND window);
void DestroyAllWindows();
int RegisteredClassCount();
void ResetWindows();
// WindowClasses.cpp
WNDPROC ClassProcedure(const char *name, std::string *canonicalName);
bool ClassInUse(const std::string &name);
void ResetClasses();

// MessageQueue.cpp
// Calls the window's procedure at once; 0 when the window does not exist.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time = 0,
          unsigned modifiers = 0);
void DiscardMessagesOf(HWND window);
void ResetQueue();

// PixelFormats.cpp and RenderingContexts.cpp
Window *WindowOfDC(HDC dc); // the live window of a device context, or null
void UnbindWindow(const Window &window);
int LiveDeviceContextCount();
void ReleaseDeviceContextsOf(HWND window);
int LiveRenderingContextCount();
void ResetDeviceContexts();
const Window *CurrentContextWindow();
// Releases and deletes every rendering context through the backend.
void ResetGraphics();
// Forgets every rendering context without a call to the backend, leaving the
// native contexts (and the one current) to the process's end.
void ForgetGraphics();

// DisplayModes.cpp
const DisplayMode *ModeInForce();
void ApplyCursor();
void ResetDisplay();

// MessageBoxes.cpp and CallHook.cpp
void ResetDialogs();
void ResetCallHook();

} // namespace platform::core

#endif
