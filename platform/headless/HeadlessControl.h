// Control of the headless backend, for tests, benchmarks and tools. The
// headless backend provides every platform function the program calls without
// any display: a real OpenGL context on Mesa's surfaceless EGL platform,
// scripted message-box answers, a message queue that tests post into, a log of
// platform calls and a way to make any call fail.
#ifndef QUELLOR_HEADLESS_CONTROL_H
#define QUELLOR_HEADLESS_CONTROL_H

#include <windows.h>

#include <string>
#include <vector>

namespace headless {

// Forgets everything below and releases any window, context or class still
// held, so the next test starts from a fresh platform. The answers, faults,
// timeline and switches return to their defaults.
void Reset();

// ---- Message boxes ----------------------------------------------------------

struct MessageBoxShown {
  HWND owner;
  std::string text;
  std::string title;
  UINT style;
};

// Answers for the next message boxes, in order. When none is queued a box
// returns IDOK for an OK box and IDNO for a yes/no box.
void QueueMessageBoxAnswer(int answer);
const std::vector<MessageBoxShown> &MessageBoxesShown();

// ---- Call log and faults ----------------------------------------------------

struct PlatformCall {
  std::string name;      // "CreateWindowExA", "Sleep", ...
  std::string arguments; // the arguments as text, e.g. "640, 480"
  bool failed = false;   // the call was made to fail (see FailCall)
};

// Every platform call since the last Reset(), in order, with its arguments.
const std::vector<PlatformCall> &CallLog();
void ClearCallLog();
// Names only, in order; a convenience for comparing sequences.
std::vector<std::string> CallNames();

// Makes the nth call (1-based, counted from now) of the named function fail;
// nth 0 makes every call from now on fail.
void FailCall(const std::string &name, int nth = 1);

// Whether calls are recorded in the log (true after Reset). Faults apply
// either way. With the log off and no fault set, the platform functions run
// as under the desktop backend, which formats none of their arguments: the
// benchmarks measure them so.
void SetCallLogging(bool on);

// ---- Message queue and timeline ---------------------------------------------

// Posts a message to the back of the queue now (hwnd is the current window).
void PostMessageToQueue(UINT message, WPARAM wParam, LPARAM lParam);
// Posts a message when the main loop finds the queue empty for the frame-th
// time (1-based), i.e. just before that frame pass would run.
void PostBeforeFrame(int frame, UINT message, WPARAM wParam, LPARAM lParam);
// Number of times PeekMessageA found the queue empty (frame passes so far).
int FramePasses();
// Safety net for tests: when the queue has been found empty this many times,
// WM_QUIT with wParam 0xDEAD is posted. Default 100000.
void SetFramePassLimit(int limit);
// Calls the current window's procedure at once, as the platform does when it
// sends a message synchronously. Returns its result (0 without a window).
LRESULT SendToWindow(UINT message, WPARAM wParam, LPARAM lParam);

// ---- Display, cursor, sleep ---------------------------------------------------

// Whether the display offers 640x480 (default true): with false,
// ChangeDisplaySettingsA refuses the mode.
void SetDisplayModeAvailable(bool available);
// True while a mode set by ChangeDisplaySettingsA has not been restored.
bool DisplayModeChanged();
// Windows' cursor display counter: 0 shown, -1 after one ShowCursor(FALSE).
int CursorCounter();
// Whether Sleep really pauses (default false: recorded only).
void SetRealSleep(bool real);
// The physical memory GlobalMemoryStatusEx reports as available, in place of
// the machine's figure, until the next Reset().
void SetAvailableMemory(uint64_t bytes);

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

// Pixels of the current rendering context's drawing surface (640x480), read
// with glReadPixels as RGB, bottom row first. Empty without a current context.
std::vector<unsigned char> ReadFramePixels(int *width, int *height);
// Number of SwapBuffers calls that presented a frame since Reset().
int FramesPresented();

} // namespace headless

#endif
