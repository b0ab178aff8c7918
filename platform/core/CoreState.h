// Everything the window system holds, in one record with one instance
// (`state`) and one reset (ResetState): the windows and classes, the message
// queue, the device and rendering contexts, the display mode and cursor, the
// message-box script and the backend's lifetime. Each concern is a sub-record
// whose member initialisers are its values when the process starts.
#ifndef QUELLOR_CORE_CORE_STATE_H
#define QUELLOR_CORE_CORE_STATE_H

#include "core/Backend.h"
#include "core/PlatformControl.h"

#include <windows.h>

#include <deque>
#include <map>
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

struct WindowClass {
  std::string name;
  WNDPROC procedure;
  ATOM atom;
};

const ATOM kFirstAtom = 0xC000; // where Win32 numbers registered classes from

// Windows.cpp and WindowClasses.cpp
struct WindowState {
  // Owned through pointers so that a record stays put while its procedure
  // runs.
  std::vector<std::unique_ptr<Window>> live;
  unsigned nextWindowId = 1;
  HWND focus = nullptr;
  HWND active = nullptr;
  std::vector<WindowClass> classes;
  ATOM nextAtom = kFirstAtom;
};

struct QueuedMessage {
  MSG msg;
  unsigned modifiers; // the keyboard modifiers when a key message happened
};

// MessageQueue.cpp and NativeEvents.cpp. Windows keeps posted messages and
// input apart and takes a posted message before any input, whenever either
// came. WM_QUIT is no message in either: PostQuitMessage sets a flag, seen
// once no posted message is left and before any input; calling it again only
// changes the exit code.
struct QueueState {
  std::deque<QueuedMessage> posted;
  std::deque<QueuedMessage> input;
  bool quitPending = false;
  WPARAM quitCode = 0;
  // The modifiers of the key message taken last: TranslateMessage reads
  // them, as Windows reads the keyboard state that goes with the messages
  // taken.
  unsigned currentModifiers = 0;
  // Alt went down and no other key has made a system key since: releasing it
  // then is WM_SYSKEYUP (the keyboard menu's cue on Windows), otherwise
  // WM_KEYUP.
  bool altAlone = false;
  // Messages waiting for a frame pass, by its number; equal numbers keep the
  // order in which they were added.
  std::multimap<int, MSG> timeline;
  int framePasses = 0;
  int framePassLimit = 0; // 0: none
  void (*framePassHook)(int frame) = nullptr;
};

struct DeviceContext {
  HDC handle;
  HWND window;
};

struct RenderingContext {
  HGLRC handle;
  void *native;
};

// PixelFormats.cpp and RenderingContexts.cpp
struct ContextState {
  std::vector<DeviceContext> deviceContexts;
  unsigned nextDeviceContextId = 1;
  std::vector<RenderingContext> renderingContexts;
  unsigned nextRenderingContextId = 1;
  HGLRC current = nullptr;
  HWND currentWindow = nullptr;
  int framesPresented = 0;
};

// DisplayModes.cpp
struct DisplayState {
  bool modeInForce = false;
  DisplayMode mode = {};
  bool modesOffered = true;
  int cursorCounter = 0; // Windows' cursor display counter: shown while >= 0
};

// MessageBoxes.cpp
struct BoxState {
  bool scripted = false; // answered from the script, not shown
  std::deque<int> answers;
  std::vector<control::MessageBoxShown> shown;
};

// BackendStart.cpp: kept across resets.
struct BackendState {
  bool running = false;
  bool exitHandlerRegistered = false;
  std::string failure; // BackendFailure(); empty when none
};

struct CoreState {
  WindowState windows;
  QueueState queue;
  ContextState contexts;
  DisplayState display;
  BoxState boxes;
  BackendState backend;
};

extern CoreState state;

enum class Teardown {
  // Between tests (control::Reset): rendering contexts are deleted through
  // the backend, and watching starts (log, script, skipped pauses, frame-pass
  // limit).
  BetweenTests,
  // At process exit: rendering contexts are forgotten without a call to the
  // backend (BackendStart.cpp says why), and what watches the program goes
  // on watching to the end.
  ProcessExit,
};

// The one reset: contexts go before the windows whose surfaces they draw
// into, then the windows, then the display's mode; between tests everything
// else returns to its values too.
void ResetState(Teardown teardown);

} // namespace platform::core

#endif
