// SDL windows and their OpenGL contexts.
//
// Implements: createSurface (an OpenGL window of the program's pixel format,
// fullscreen in a display mode when asked), destroySurface, showSurface,
// raiseSurface, focusSurface, leaveFullscreen, clientSize, createContext,
// makeCurrent, deleteContext, swap.
#include "core/WindowPixelFormat.h"
#include "sdl/SdlBackend.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::sdl {

namespace {

// The windows made in a display mode that have not left it: while there is
// one, the display guard runs.
std::vector<SDL_Window *> fullscreenWindows;

SDL_Window *WindowOf(void *surface) { return static_cast<SDL_Window *>(surface); }

// On Wayland (where windows are kept, as below, and the cursor is shown
// before leaving fullscreen, LeaveFullscreen), SDL 2.26 with libdecor 0.1.1 crashes at the next
// event poll after a window is destroyed: the destroyed window's decorations still get a configure
// event, and SDL hands it to the freed window (weston, on every F1). A window there is only hidden
// and kept, and the next surface reuses it; SDL_Quit destroys it at exit, after the last poll.
SDL_Window *spareWindow = nullptr;

bool KeepsWindows() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "wayland") == 0;
}

// The kept window, made what the request asks for (still hidden), or null.
SDL_Window *ReuseSpareWindow(const core::SurfaceRequest &request, Uint32 flags) {
  SDL_Window *window = spareWindow;
  if (!window)
    return nullptr;
  spareWindow = nullptr;
  SDL_SetWindowTitle(window, request.title);
  SDL_SetWindowFullscreen(window, flags & SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_SetWindowBordered(window, (flags & SDL_WINDOW_BORDERLESS) ? SDL_FALSE : SDL_TRUE);
  SDL_SetWindowResizable(window, (flags & SDL_WINDOW_RESIZABLE) ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowSize(window, request.clientWidth, request.clientHeight);
  return window;
}

// SDL has put the desktop's mode back for this window.
void NoteFullscreenEnded(SDL_Window *window) {
  auto found = std::find(fullscreenWindows.begin(), fullscreenWindows.end(), window);
  if (found == fullscreenWindows.end())
    return;
  fullscreenWindows.erase(found);
  if (fullscreenWindows.empty())
    StandDownDisplayGuard();
}

// The program's pixel format (core/WindowPixelFormat.h), double buffering,
// and a context that keeps the fixed-function pipeline. X11 chooses the
// visual when the window is made, so these go first.
void SetContextAttributes() {
  const core::PixelFormatBits &bits = core::kWindowPixelFormat;
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, bits.red);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, bits.green);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, bits.blue);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, bits.alpha);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, bits.depth);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, bits.stencil);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

} // namespace

// A window made fullscreen on a display that can switch modes does so; on
// one that cannot, it covers the output and its picture is scaled
// (ScaledFullscreen.cpp). A fullscreen popup is borderless too, so that
// nothing framed shows between leaving fullscreen and its destruction.
void *CreateSurface(const core::SurfaceRequest &request) {
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  SDL_DisplayMode mode;
  const bool scaled = request.fullscreen && ScalesFullscreen();
  if (scaled) {
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  } else if (request.fullscreen) {
    if (!FindSdlMode(*request.fullscreen, &mode))
      return nullptr;
    flags |= SDL_WINDOW_FULLSCREEN;
    StartDisplayGuard();
  } else if (request.resizable) {
    flags |= SDL_WINDOW_RESIZABLE;
  }
  if (request.borderless)
    flags |= SDL_WINDOW_BORDERLESS;
  SetContextAttributes();
  SDL_Window *window = ReuseSpareWindow(request, flags);
  if (!window)
    window = SDL_CreateWindow(request.title, request.x, request.y, request.clientWidth,
                              request.clientHeight, flags);
  if (window && scaled) {
    NoteScaledWindow(window, request.fullscreen->width, request.fullscreen->height);
    return window;
  }
  if (window && request.fullscreen && SDL_SetWindowDisplayMode(window, &mode) != 0) {
    KeepLibrariesMapped();
    SDL_DestroyWindow(window);
    window = nullptr;
  }
  if (window && request.fullscreen)
    fullscreenWindows.push_back(window);
  else if (request.fullscreen && fullscreenWindows.empty())
    StandDownDisplayGuard();
  if (!window)
    core::SetBackendFailure(SDL_GetError());
  return window;
}

// With the last OpenGL window, SDL's EGL-based video drivers unload their
// OpenGL libraries.
void DestroySurface(void *surface) {
  NoteFullscreenEnded(WindowOf(surface));
  ForgetScaledWindow(WindowOf(surface));
  if (KeepsWindows() && !spareWindow) {
    SDL_HideWindow(WindowOf(surface));
    spareWindow = WindowOf(surface);
    return;
  }
  KeepLibrariesMapped();
  SDL_DestroyWindow(WindowOf(surface));
}

namespace {

// Whether the window covers its display, after pumping what the window
// manager has said of it, within half a second.
bool CoversDisplaySoon(SDL_Window *window, const SDL_DisplayMode &desktop) {
  const Uint32 deadline = SDL_GetTicks() + 500;
  for (;;) {
    SDL_PumpEvents();
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (width == desktop.w && height == desktop.h)
      return true;
    if (SDL_TICKS_PASSED(SDL_GetTicks(), deadline))
      return false;
    SDL_Delay(10);
  }
}

// weston's window manager for X programs now and then leaves a window that
// was fullscreen before it was mapped at its own size, windowed. A scaled
// window that does not cover its display soon after it is shown is made
// fullscreen once more.
void InsistOnCoveringTheDisplay(SDL_Window *window) {
  const char *driver = SDL_GetCurrentVideoDriver();
  SDL_DisplayMode desktop;
  if (!driver || std::strcmp(driver, "x11") != 0 ||
      SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) != 0)
    return;
  for (int attempt = 0; attempt < 3 && !CoversDisplaySoon(window, desktop); ++attempt) {
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
}

} // namespace

void ShowSurface(void *surface, bool visible) {
  if (!visible) {
    SDL_HideWindow(WindowOf(surface));
    return;
  }
  SDL_ShowWindow(WindowOf(surface));
  int width, height;
  if (ScaledWindowSize(WindowOf(surface), &width, &height))
    InsistOnCoveringTheDisplay(WindowOf(surface));
}

void RaiseSurface(void *surface) { SDL_RaiseWindow(WindowOf(surface)); }

void PlaceSurface(void *surface, int showCommand) {
  if (showCommand == SW_MINIMIZE)
    SDL_MinimizeWindow(WindowOf(surface));
  else if (showCommand == SW_MAXIMIZE)
    SDL_MaximizeWindow(WindowOf(surface));
  else
    SDL_RestoreWindow(WindowOf(surface));
}

void FocusSurface(void *surface) { SDL_SetWindowInputFocus(WindowOf(surface)); }

// Leaving fullscreen puts back the desktop's display mode. A scaled
// window's picture keeps its size: from then on it is shown 1:1 in the
// window, which is back at that size.
void LeaveFullscreen(void *surface) {
  // On Wayland, SDL 2.26 crashes showing a cursor hidden in fullscreen once
  // the window has left it (mutter: a null proxy in SDL_ShowCursor); shown
  // while still fullscreen, the later call finds it shown and does nothing.
  if (KeepsWindows() && SDL_ShowCursor(SDL_QUERY) == SDL_DISABLE)
    SDL_ShowCursor(SDL_ENABLE);
  SDL_SetWindowFullscreen(WindowOf(surface), 0);
  // On weston a window hidden (the program destroys it next) before a frame
  // was committed in the windowed state left weston showing no later window
  // at all: its desktop, or its red fill where the desktop was not drawn
  // yet. The window's last picture is shown once more, windowed, first.
  if (KeepsWindows() && SDL_GL_GetCurrentWindow() == WindowOf(surface))
    Swap(surface);
  NoteFullscreenEnded(WindowOf(surface));
  ForgetScaledWindow(WindowOf(surface));
}

// A scaled window has the size of the mode it stands for.
void ClientSize(void *surface, int *width, int *height) {
  if (!ScaledWindowSize(WindowOf(surface), width, height))
    SDL_GetWindowSize(WindowOf(surface), width, height);
}

void *CreateContext(void *surface) {
  SDL_GLContext context = SDL_GL_CreateContext(WindowOf(surface));
  if (!context)
    core::SetBackendFailure(SDL_GetError());
  return context;
}

bool MakeCurrent(void *surface, void *context) {
  if (SDL_GL_MakeCurrent(WindowOf(surface), context) != 0) {
    core::SetBackendFailure(SDL_GetError());
    return false;
  }
  if (surface)
    PrepareScaledDrawing(WindowOf(surface), context);
  return true;
}

void DeleteContext(void *context) {
  ForgetContext(context);
  SDL_GL_DeleteContext(context);
}

void Swap(void *surface) {
  if (!PresentScaled(WindowOf(surface)))
    SDL_GL_SwapWindow(WindowOf(surface));
}

} // namespace platform::sdl
