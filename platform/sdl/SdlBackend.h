// What the SDL2 backend's files share: the functions of its table
// (SdlBackend.cpp), each file filling in one concern.
#ifndef QUELLOR_SDL_BACKEND_H
#define QUELLOR_SDL_BACKEND_H

#include "core/Backend.h"

#include <SDL.h>

#include <vector>

namespace platform::sdl {

using core::DisplayMode;

// SdlLibraryPinning.cpp: in builds with AddressSanitizer, keeps every shared
// library loaded so far mapped until the process ends, so that LeakSanitizer
// can name the library of each block it reports; called before any SDL call
// that may unload one (destroying a window, quitting video). Does nothing in
// other builds.
void KeepLibrariesMapped();

// DisplayGuard.cpp: a process that puts the display mode back if the
// program dies in fullscreen. Started before the display is switched (once:
// it does nothing while a guard runs); told to stand down once the mode is
// back.
void StartDisplayGuard();
void StandDownDisplayGuard();

// SdlVideo.cpp
bool Start();
void Shutdown();
bool Desktop(DisplayMode *mode);
std::vector<DisplayMode> Modes();
// The display's SDL mode that matches the core's, or false.
bool FindSdlMode(const DisplayMode &mode, SDL_DisplayMode *found);
void ShowCursor(bool shown);

// SdlSurfaces.cpp
void *CreateSurface(const core::SurfaceRequest &request);
void DestroySurface(void *surface);
void ShowSurface(void *surface, bool visible);
void RaiseSurface(void *surface);
void PlaceSurface(void *surface, int showCommand);
void FocusSurface(void *surface);
void LeaveFullscreen(void *surface);
void ClientSize(void *surface, int *width, int *height);
void *CreateContext(void *surface);
bool MakeCurrent(void *surface, void *context);
void DeleteContext(void *context);
void Swap(void *surface);

// ScaledFullscreen.cpp: fullscreen where the display mode cannot be
// switched. Whether this display is one (decided when video starts):
void DecideFullscreenScaling();
bool ScalesFullscreen();
// A fullscreen window that covers the output and stands for a mode of this
// size, until it leaves fullscreen or goes.
void NoteScaledWindow(SDL_Window *window, int width, int height);
void ForgetScaledWindow(SDL_Window *window);
// The mode's size of a scaled window, or false for any other window.
bool ScaledWindowSize(SDL_Window *window, int *width, int *height);
// After the context is made current on the window: a scaled window's
// context draws into an offscreen picture of the mode's size.
void PrepareScaledDrawing(SDL_Window *window, SDL_GLContext context);
// Shows the current context's offscreen picture, scaled and centred, and
// swaps; false when the context has none.
bool PresentScaled(SDL_Window *window);
void ForgetContext(SDL_GLContext context);

// SdlEvents.cpp
void PumpEvents();

// SdlDialogs.cpp
int MessageBox(void *ownerSurface, const char *text, const char *caption, UINT type);

// OwnMessageBox.cpp: a modal box the backend draws itself. Returns the id
// of the button pressed, or 0 when the box cannot be shown.
struct BoxButton {
  int id;
  const char *label;
};
int ShowOwnMessageBox(void *ownerSurface, const char *text, const char *caption,
                      const BoxButton *buttons, int count);

// X11Desktop.cpp: facts about the X display that SDL does not tell. Both
// are false when the video driver is not x11.
// Whether a window manager runs (one owns the screen's WM_S selection).
bool X11WindowManagerRuns();
// Whether the X server is XWayland, which cannot switch display modes.
bool X11IsXWayland();

} // namespace platform::sdl

#endif
