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
  bool maximised = false;
  bool sizeSent = false;   // WM_SIZE sent since creation
  bool destroying = false; // inside DestroyWindow
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
// Makes the window the active one and gives it the focus, as Windows does:
// WM_ACTIVATE(WA_INACTIVE) to the window active before, WM_ACTIVATE(WA_ACTIVE)
// to the new one (each naming the other in lParam), then WM_KILLFOCUS and
// WM_SETFOCUS. Null leaves no window active. Nothing when nothing changes.
void Activate(HWND window);
// Sends WM_SIZE with the window's client size and state.
void SendSize(Window *window);
// ShowWindow's commands (SW_...), also DefWindowProcA's system commands.
void ShowCommand(Window *window, int command);
// Bookkeeping only, for activation the display reports (no messages).
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
// A posted message: taken before any input, whenever the input came.
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time = 0);
// Keyboard input, with the modifiers held when it happened.
void PostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time,
               unsigned modifiers);
// Sets the quit flag with this exit code (PostQuitMessage).
void PostQuit(WPARAM exitCode);
void DiscardMessagesOf(HWND window);
void ResetQueue();

// NativeEvents.cpp
void ResetKeyboard();

// PixelFormats.cpp and RenderingContexts.cpp
Window *WindowOfDC(HDC dc); // the live window of a device context, or null
// A destroyed window's context stays current for WGL, drawing nowhere.
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
