// State shared by the parts of the SDL2 desktop backend: the windows it has
// created, the video subsystem, the display mode in force and the message queue.
#ifndef QUELLOR_SDL_BACKEND_H
#define QUELLOR_SDL_BACKEND_H

#include <windows.h>

#include <SDL.h>

#include <string>
#include <vector>

namespace sdlbackend {

// ---- Video subsystem ----------------------------------------------------------

// Starts SDL's video subsystem on first use and registers the process-exit
// clean-up (which destroys every window, and so restores a changed display
// mode, then quits SDL). Fails when no real display can be opened: SDL's
// offscreen and dummy drivers would give windows nobody can see.
bool EnsureVideo();
bool VideoReady();
// In builds with AddressSanitizer, keeps every shared library loaded so far
// mapped until the process ends, so that LeakSanitizer can name the library
// of each block it reports; called before any SDL call that may unload one
// (destroying a window, quitting video). Does nothing in other builds.
void KeepLibrariesMapped();

// ---- Window classes and windows ---------------------------------------------

struct ClassRecord {
  std::string name;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
};

// The registered class of that name (compared without regard to case, as
// Win32 does), or null.
const ClassRecord *FindClass(const char *name);
// Whether a window of the named class is still open.
bool ClassInUse(const std::string &name);

struct WindowRecord {
  SDL_Window *sdlWindow = nullptr;
  WNDPROC procedure = nullptr;
  std::string className;
  DWORD style = 0;
  DWORD exStyle = 0;
  bool visible = false;
  bool minimised = false;
  int clientWidth = 0; // the size last reported with WM_SIZE
  int clientHeight = 0;
  int pixelFormat = 0; // 0 until SetPixelFormat
  char deviceContext;  // its address is the window's own device context
};

WindowRecord *RecordOf(HWND window);
WindowRecord *RecordOfSdlWindow(Uint32 sdlWindowId);
WindowRecord *RecordOfDC(HDC dc);
HWND HandleOf(const WindowRecord *record);
// The first window still open, or null.
HWND AnyWindow();
// Calls the window's procedure at once, as Win32's SendMessage does.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Takes every fullscreen window out of fullscreen, which puts back the
// desktop's display mode.
void LeaveFullscreen();
// Destroys every window (process exit).
void DestroyAllWindows();
// The window that has the keyboard focus, or null.
HWND FocusedWindow();
// Records a focus change reported by SDL.
void NoteFocus(HWND window, bool gained);

// ---- Rendering contexts -------------------------------------------------------

// Unbinds the current rendering context from a window about to be destroyed.
void UnbindWindow(SDL_Window *sdlWindow);

// ---- Display mode and cursor ------------------------------------------------

// The mode set by ChangeDisplaySettingsA that popup windows take when they are
// created, or null when the desktop mode is in force.
const SDL_DisplayMode *FullscreenMode();
// Of the display's modes, the one of exactly this size and depth; without
// one, the shallowest deeper mode of this size. The first listed wins among
// equals (SDL lists the faster refresh rates first), and among all of this
// size when bits is 0. False when none fits.
bool ChooseDisplayMode(const std::vector<SDL_DisplayMode> &modes, int width, int height, int bits,
                       SDL_DisplayMode *chosen);
// Applies the cursor display counter to SDL (after the video subsystem starts).
void ApplyCursorVisibility();

// ---- Message queue ----------------------------------------------------------

// Appends a message to the queue (Win32's PostMessage).
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Drops the queued messages of a destroyed window.
void DiscardMessagesOf(HWND window);

} // namespace sdlbackend

#endif
