// Control of the window system for tests, benchmarks and tools, on any
// backend: scripted message-box answers, a message queue that tests post into
// frame by frame, a log of platform calls and a way to make any call fail,
// and what the platform holds.
#ifndef QUELLOR_PLATFORM_CONTROL_H
#define QUELLOR_PLATFORM_CONTROL_H

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::control {

// Releases any window, context or class still held and starts watching the
// platform: calls are logged, message boxes are answered from the script,
// pauses are skipped and a runaway loop is ended after 100,000 frame passes.
// The answers, faults, timeline and switches return to their defaults.
void Reset();

// The backend in this program: "headless" or "sdl".
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

// Runs action once, when the next call of the named function is made, before
// the function does anything: a test changes the world at that moment (cuts
// a file short while it is mapped, say).
void BeforeCall(const std::string &name, std::function<void()> action);

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

// ---- Display, cursor, sleep ---------------------------------------------------

// Whether the display offers its modes (default true): with false,
// ChangeDisplaySettingsA refuses every mode.
void SetDisplayModeAvailable(bool available);
// True while a mode set by ChangeDisplaySettingsA has not been restored.
bool DisplayModeChanged();
// Windows' cursor display counter: 0 shown, -1 after one ShowCursor(FALSE).
int CursorCounter();
// Whether Sleep really pauses.
void SetRealSleep(bool real);
// The physical memory GlobalMemoryStatusEx reports as available, in place of
// the machine's figure, until the next Reset().
void SetAvailableMemory(uint64_t bytes);

// ---- File views -------------------------------------------------------------

// Views of files shorter than bytes are read into memory, longer ones are
// mapped; after Reset() the build's own choice (sanitizer builds read every
// view). 0 maps every view, SIZE_MAX reads every one.
void SetViewReadLimit(size_t bytes);
// The longest view MapViewOfFile has made since Reset(), in bytes.
uint64_t LongestView();

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

// Pixels of the current rendering context's window, read with glReadPixels
// as RGB, bottom row first. Empty without a current context.
std::vector<unsigned char> ReadFramePixels(int *width, int *height);
// Number of SwapBuffers calls that presented a frame since Reset().
int FramesPresented();

} // namespace platform::control

// The short name tests and tools use.
namespace control = platform::control;

#endif
