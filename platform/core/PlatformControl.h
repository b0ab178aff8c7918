// Control of the window system for tests, benchmarks and tools, on any
// backend: scripted message-box answers, a message queue that tests post into
// frame by frame, a log of platform calls and a way to make any call fail,
// and what the platform holds.
#ifndef QUELLOR_PLATFORM_CONTROL_H
#define QUELLOR_PLATFORM_CONTROL_H

#include "hook/CallControl.h"
#include "os/ViewControl.h"

#include <windows.h>

#include <string>
#include <vector>

namespace platform::control {

// Releases any window, context or class still held, puts the desktop's
// display mode back and starts watching the platform: calls are logged,
// message boxes are answered from the script, pauses are skipped and a
// runaway loop is ended after 100,000 frame passes. The answers, faults,
// timeline, switches and the way file views are made return to their
// defaults (core::ResetState).
void Reset();

// The backend in this program: "headless", "sdl" or "web".
const char *BackendName();

// ---- Message boxes ----------------------------------------------------------

struct MessageBoxShown {
  HWND owner;
  std::string text;
  std::string title;
  UINT style;
};

// Answers for the next message boxes, in order. After Reset a box with no
// answer queued is answered as a user dismissing it would: IDOK for an OK
// box, IDNO for a yes/no box, IDCANCEL for OK/Cancel; nothing is shown.
void QueueMessageBoxAnswer(int answer);
const std::vector<MessageBoxShown> &MessageBoxesShown();

// ---- Message queue and timeline ---------------------------------------------

// Posts a message to the back of the queue now (hwnd is the current window).
void PostMessageToQueue(UINT message, WPARAM wParam, LPARAM lParam);
// Posts a message when the main loop finds the queue empty for the frame-th
// time (1-based), i.e. just before that frame pass would run.
void PostBeforeFrame(int frame, UINT message, WPARAM wParam, LPARAM lParam);
// Number of times PeekMessageA found the queue empty (frame passes so far).
int FramePasses();
// Safety net for tests: when the queue has been found empty this many times,
// WM_QUIT with wParam 0xDEAD is posted. 0 turns it off.
void SetFramePassLimit(int limit);
// Calls hook(frame) whenever PeekMessageA finds the queue empty, before the
// messages due at that frame pass are posted; frame is numbered as in
// PostBeforeFrame. The hook may post messages or report native events through
// the core's On* functions, as a backend's event pump does; while what it
// posted is handled, the next empty queue brings the same number again. Null
// turns it off, as Reset does.
void SetFramePassHook(void (*hook)(int frame));
// Calls the current window's procedure at once, as the platform does when it
// sends a message synchronously. Returns its result (0 without a window).
LRESULT SendToWindow(UINT message, WPARAM wParam, LPARAM lParam);

// ---- Display and cursor -----------------------------------------------------

// Whether the display offers its modes (default true): with false,
// ChangeDisplaySettingsA refuses every mode.
void SetDisplayModeAvailable(bool available);
// True while a mode set by ChangeDisplaySettingsA has not been restored.
bool DisplayModeChanged();
// Windows' cursor display counter: 0 shown, -1 after one ShowCursor(FALSE).
int CursorCounter();

// ---- What is held -----------------------------------------------------------

struct LiveResources {
  int windows;
  int deviceContexts; // window DCs from GetDC
  int renderingContexts;
  int registeredClasses;
  int fileHandles;
  int mappings;
  int views;
  int localBlocks;
  int memoryDCs; // from CreateCompatibleDC
  int sections;  // from CreateDIBSection
};
LiveResources Live();

// The current window's state as the platform sees it.
struct WindowInfo {
  bool exists;
  std::string className;
  std::string title;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height; // outer rectangle
  int clientWidth, clientHeight;
  bool visible;
  bool focused;
};
WindowInfo CurrentWindow();
// The backend's surface behind a window (an SDL_Window, an EGL record), or
// null.
void *SurfaceOf(HWND window);

// Number of SwapBuffers calls that presented a frame since Reset().
int FramesPresented();

} // namespace platform::control

// The short name tests and tools use.
namespace control = platform::control;

#endif
