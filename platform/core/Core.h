// What the core's files share with each other: looking up windows, sending
// and posting messages, the current rendering context, the display mode. The
// state they work on is core/CoreState.h's record.
#ifndef QUELLOR_CORE_CORE_H
#define QUELLOR_CORE_CORE_H

#include "core/Backend.h"
#include "core/CoreState.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace platform::core {

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
// WindowClasses.cpp
WNDPROC ClassProcedure(const char *name, std::string *canonicalName);
bool ClassInUse(const std::string &name);

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

// PixelFormats.cpp and RenderingContexts.cpp
Window *WindowOfDC(HDC dc); // the live window of a device context, or null
// A destroyed window's context stays current for WGL, drawing nowhere.
void UnbindWindow(const Window &window);
int LiveDeviceContextCount();
void ReleaseDeviceContextsOf(HWND window);
int LiveRenderingContextCount();
const Window *CurrentContextWindow();
// Releases and deletes every rendering context through the backend (their
// records stay for the reset to forget).
void DeleteRenderingContexts();

// DisplayModes.cpp
const DisplayMode *ModeInForce();
void ApplyCursor();
// Takes every window out of the display mode in force and the display back
// to the desktop's mode.
void RestoreDesktopMode();

} // namespace platform::core

#endif
