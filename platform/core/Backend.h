// What a backend gives the window system: one table of functions, filled in
// once per backend by field name (sdl/SdlBackend.cpp,
// headless/HeadlessBackend.cpp, web/WebBackend.cpp), and the native events it
// reports back while the core pumps it. Everything Win32 defines apart from
// the screen (classes, handles, the message queue, the message sequences,
// pixel-format and WGL rules, display-mode bookkeeping, message-box
// scripting) is the core's; a backend only makes and draws native surfaces.
//
// A new backend defines platform::core::activeBackend and links with the
// hook, os, gdi and core objects in place of sdl/ or headless/.
#ifndef QUELLOR_CORE_BACKEND_H
#define QUELLOR_CORE_BACKEND_H

#include <windows.h>

#include <vector>

namespace platform::core {

struct DisplayMode {
  int width;
  int height;
  int bits; // bits per pixel
  int refreshRate;
};

// What a native surface must be: a client area of this size, with a title
// and a frame the style asks for, or fullscreen in a display mode.
struct SurfaceRequest {
  const char *title;
  int x, y;
  int clientWidth, clientHeight;
  bool resizable;                // a sizing frame
  bool borderless;               // a popup without caption or frame
  const DisplayMode *fullscreen; // null: a window on the desktop
};

// Keyboard modifiers reported with a key.
enum KeyModifier : unsigned { kShift = 1, kControl = 2, kAlt = 4, kCapsLock = 8 };

// Entries marked optional may be null: the core then does without. The
// others are required: the core checks them before it first starts the
// backend, and a table that lacks one never starts (MissingBackendEntry).
// Tables name their fields (`.start = Start`), which GCC and Clang accept in
// C++17 at this project's warning flags; entries left out are null.
struct Backend {
  const char *name = nullptr;
  // Opens the display on first use; false without a usable one. Called
  // again after a failure.
  bool (*start)() = nullptr;
  // Optional: at process exit, after every surface is gone.
  void (*shutdown)() = nullptr;

  // Native surfaces. The client size is what the surface really got.
  void *(*createSurface)(const SurfaceRequest &request) = nullptr;
  void (*destroySurface)(void *surface) = nullptr;
  void (*showSurface)(void *surface, bool visible) = nullptr; // optional
  void (*raiseSurface)(void *surface) = nullptr;              // optional
  void (*focusSurface)(void *surface) = nullptr;              // optional
  void (*leaveFullscreen)(void *surface) = nullptr;           // optional
  void (*clientSize)(void *surface, int *width, int *height) = nullptr;
  // Optional: moves pending native events to the core (the On* functions).
  void (*pumpEvents)() = nullptr;

  // OpenGL on a surface. makeCurrent(nullptr, nullptr) leaves none current.
  void *(*createContext)(void *surface) = nullptr;
  bool (*makeCurrent)(void *surface, void *context) = nullptr;
  void (*deleteContext)(void *context) = nullptr;
  void (*swap)(void *surface) = nullptr;

  // Display modes, after start(): the desktop's own, and every one offered.
  bool (*desktopMode)(DisplayMode *mode) = nullptr;
  std::vector<DisplayMode> (*displayModes)() = nullptr;
  // Optional: switches to an offered mode at once, for a display that may
  // refuse at the moment it is asked (a browser's fullscreen request); false
  // when refused. Without it, the switch is made with the first fullscreen
  // surface.
  bool (*enterDisplayMode)(const DisplayMode &mode) = nullptr;
  // Optional: puts the desktop's mode back after enterDisplayMode.
  void (*leaveDisplayMode)() = nullptr;
  void (*showCursor)(bool shown) = nullptr; // optional

  // Shows a modal box; returns the button pressed, or 0 when none can be
  // shown (the core then writes the message to standard error).
  int (*messageBox)(void *ownerSurface, const char *text, const char *caption, UINT type) = nullptr;

  // True when Sleep has no real time to wait for (tests can turn it on).
  bool pausesSkipped = false;

  // Optional: minimises (SW_MINIMIZE), maximises (SW_MAXIMIZE) or restores
  // (SW_RESTORE) the native window. The core sends the messages either way;
  // a new size comes back through OnResized.
  void (*placeSurface)(void *surface, int showCommand) = nullptr;
};

// The backend linked into this program.
extern const Backend activeBackend;

// Native events, reported by pumpEvents. A null surface means the window
// that has the keyboard focus.
void OnKey(void *surface, bool down, int virtualKey, bool repeat, bool extended, unsigned modifiers,
           DWORD time);
void OnFocus(void *surface, bool gained, DWORD time);
void OnMinimised(void *surface, DWORD time);
void OnRestored(void *surface, DWORD time);
void OnMaximised(void *surface, DWORD time);
void OnResized(void *surface, int width, int height, DWORD time);
void OnClose(void *surface, DWORD time);
// The system asks the program to end (SIGINT, SIGTERM): the first window is
// asked to close, or without one the program is told to quit.
void OnQuitRequest(DWORD time);

// The answer a user dismissing a box gives: No, Cancel or OK.
int DismissedAnswer(UINT type);

// The name of the first required entry the table lacks, or null.
const char *MissingBackendEntry(const Backend &backend);

// Why the backend failed last (SDL_GetError, an EGL error's name, a WebGL
// context lost or not made), kept until the next failure as stb_image keeps
// its failure reason. Each reason passes the call hook (the call log records
// it as "SetBackendFailure") and a reason unlike the one before is written to
// standard error, once, with the backend's name.
void SetBackendFailure(const char *reason);
// Null while the backend has not failed.
const char *BackendFailure();

} // namespace platform::core

#endif
