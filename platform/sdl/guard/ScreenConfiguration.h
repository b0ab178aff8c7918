// The X screen's configuration as XRandR describes it: the screen's size and
// what each CRTC shows, recorded before the display mode is switched and put
// back after.
#ifndef QUELLOR_GUARD_SCREEN_CONFIGURATION_H
#define QUELLOR_GUARD_SCREEN_CONFIGURATION_H

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <vector>

struct CrtcSetting {
  RRCrtc crtc;
  int x, y;
  RRMode mode; // None: the CRTC is off
  Rotation rotation;
  std::vector<RROutput> outputs;
};

struct ScreenConfiguration {
  int width, height;     // pixels
  int widthMm, heightMm; // what the screen reports as its physical size
  std::vector<CrtcSetting> crtcs;
};

// False without XRandR 1.2 or when the screen cannot be read.
bool RecordScreenConfiguration(Display *display, ScreenConfiguration *recorded);

// Puts back every CRTC that differs and the screen's size. Returns false
// when the server refused any step.
bool RestoreScreenConfiguration(Display *display, const ScreenConfiguration &recorded);

#endif
