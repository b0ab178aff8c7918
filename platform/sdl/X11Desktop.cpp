// What the backend asks the X server itself, on a short connection of its
// own: whether a window manager runs, and whether the server is XWayland.
#include "sdl/SdlBackend.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstring>
#include <string>

namespace platform::sdl {

namespace {

bool OnX11() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "x11") == 0;
}

// XWayland names its RandR outputs XWAYLAND0, XWAYLAND1, ...; newer servers
// also announce an extension of that name.
bool OutputsAreXWayland(Display *display) {
  int eventBase, errorBase;
  if (!XRRQueryExtension(display, &eventBase, &errorBase))
    return false;
  XRRScreenResources *resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
  if (!resources)
    return false;
  bool xwayland = false;
  for (int i = 0; i < resources->noutput && !xwayland; ++i) {
    if (XRROutputInfo *output = XRRGetOutputInfo(display, resources, resources->outputs[i])) {
      xwayland = std::strncmp(output->name, "XWAYLAND", 8) == 0;
      XRRFreeOutputInfo(output);
    }
  }
  XRRFreeScreenResources(resources);
  return xwayland;
}

// ICCCM: the window manager of screen N owns the selection WM_SN.
bool WindowManagerOwnsSelection(Display *display) {
  const std::string selection = "WM_S" + std::to_string(DefaultScreen(display));
  return XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None;
}

bool ServerIsXWayland(Display *display) {
  int opcode, event, error;
  return XQueryExtension(display, "XWAYLAND", &opcode, &event, &error) ||
         OutputsAreXWayland(display);
}

// Asks the X server `question` on a connection opened for it and closed
// after; false when the program does not run on X11 or the server cannot be
// reached.
bool AskXServer(bool (*question)(Display *display)) {
  if (!OnX11())
    return false;
  Display *display = XOpenDisplay(nullptr);
  if (!display)
    return false;
  const bool answer = question(display);
  XCloseDisplay(display);
  return answer;
}

} // namespace

bool X11WindowManagerRuns() { return AskXServer(WindowManagerOwnsSelection); }

bool X11IsXWayland() { return AskXServer(ServerIsXWayland); }

} // namespace platform::sdl
