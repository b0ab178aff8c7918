#include "ScreenConfiguration.h"

namespace {

bool refused = false;

// A request the server refuses is noted, and the restore goes on with the
// rest: Xlib's default handler would end the process.
int NoteRefusal(Display *, XErrorEvent *) {
  refused = true;
  return 0;
}

// What the CRTC shows now, or false when it cannot be read.
bool ReadCrtc(Display *display, XRRScreenResources *resources, RRCrtc crtc, CrtcSetting *setting) {
  XRRCrtcInfo *info = XRRGetCrtcInfo(display, resources, crtc);
  if (!info)
    return false;
  *setting = {crtc,           info->x,
              info->y,        info->mode,
              info->rotation, std::vector<RROutput>(info->outputs, info->outputs + info->noutput)};
  XRRFreeCrtcInfo(info);
  return true;
}

// The root window's size as the server has it now: Xlib's DisplayWidth and
// DisplayHeight keep the size the connection started with.
bool ReadScreenSize(Display *display, Window root, int *width, int *height) {
  Window ignoredRoot;
  int x, y;
  unsigned w, h, border, depth;
  if (!XGetGeometry(display, root, &ignoredRoot, &x, &y, &w, &h, &border, &depth))
    return false;
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

bool SameSetting(const CrtcSetting &a, const CrtcSetting &b) {
  return a.x == b.x && a.y == b.y && a.mode == b.mode && a.rotation == b.rotation &&
         a.outputs == b.outputs;
}

} // namespace

bool RecordScreenConfiguration(Display *display, ScreenConfiguration *recorded) {
  int eventBase, errorBase, major, minor;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 2))
    return false;
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  *recorded = {0, 0, DisplayWidthMM(display, screen), DisplayHeightMM(display, screen), {}};
  if (!ReadScreenSize(display, root, &recorded->width, &recorded->height))
    return false;
  XRRScreenResources *resources = XRRGetScreenResourcesCurrent(display, root);
  if (!resources)
    return false;
  bool complete = true;
  for (int i = 0; i < resources->ncrtc && complete; ++i) {
    CrtcSetting setting;
    complete = ReadCrtc(display, resources, resources->crtcs[i], &setting);
    recorded->crtcs.push_back(setting);
  }
  XRRFreeScreenResources(resources);
  return complete;
}

// As xrandr does it: the CRTCs that change are turned off first (the screen
// cannot shrink under one that would no longer fit), then the screen gets
// its size and the CRTCs their settings, all under one server grab so that
// no other client sees the steps in between.
bool RestoreScreenConfiguration(Display *display, const ScreenConfiguration &recorded) {
  refused = false;
  XErrorHandler previous = XSetErrorHandler(NoteRefusal);
  const Window root = DefaultRootWindow(display);
  XGrabServer(display);
  XRRScreenResources *resources = XRRGetScreenResourcesCurrent(display, root);
  if (resources) {
    std::vector<const CrtcSetting *> changed;
    for (const CrtcSetting &wanted : recorded.crtcs) {
      CrtcSetting now;
      if (ReadCrtc(display, resources, wanted.crtc, &now) && SameSetting(now, wanted))
        continue;
      changed.push_back(&wanted);
      XRRSetCrtcConfig(display, resources, wanted.crtc, CurrentTime, 0, 0, None, RR_Rotate_0,
                       nullptr, 0);
    }
    int width, height;
    if (!ReadScreenSize(display, root, &width, &height) || width != recorded.width ||
        height != recorded.height)
      XRRSetScreenSize(display, root, recorded.width, recorded.height, recorded.widthMm,
                       recorded.heightMm);
    for (const CrtcSetting *wanted : changed) {
      if (wanted->mode == None)
        continue;
      XRRSetCrtcConfig(display, resources, wanted->crtc, CurrentTime, wanted->x, wanted->y,
                       wanted->mode, wanted->rotation,
                       const_cast<RROutput *>(wanted->outputs.data()),
                       static_cast<int>(wanted->outputs.size()));
    }
    XRRFreeScreenResources(resources);
  } else {
    refused = true;
  }
  XUngrabServer(display);
  XSync(display, False);
  XSetErrorHandler(previous);
  return !refused;
}
