// Window device contexts and the pixel format. Every window class keeps its
// own device context (as with CS_OWNDC): a window has one at a time, and
// asking again gives the same one. A window offers one pixel format, the
// program's: RGBA, double-buffered, 5/6/5 colour and a 16-bit depth buffer.
#include "CallArguments.h"
#include "Core.h"
#include "Handles.h"

#include <algorithm>
#include <cstring>

namespace platform::core {

namespace {

const int kWindowFormat = 1;

struct DeviceContext {
  HDC handle;
  HWND window;
};

std::vector<DeviceContext> deviceContexts;
unsigned nextDeviceContextId = 1;

DeviceContext *LookUpDeviceContext(HDC handle) {
  for (DeviceContext &dc : deviceContexts) {
    if (dc.handle == handle)
      return &dc;
  }
  return nullptr;
}

bool RequestFitsWindow(const PIXELFORMATDESCRIPTOR *request) {
  const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  return request && request->nSize == sizeof(PIXELFORMATDESCRIPTOR) && request->nVersion == 1 &&
         (request->dwFlags & needed) == needed && request->iPixelType == PFD_TYPE_RGBA;
}

PIXELFORMATDESCRIPTOR WindowFormat() {
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 16;
  format.cRedBits = 5;
  format.cRedShift = 11;
  format.cGreenBits = 6;
  format.cGreenShift = 5;
  format.cBlueBits = 5;
  format.cDepthBits = 16;
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

} // namespace

Window *WindowOfDC(HDC handle) {
  const DeviceContext *dc = LookUpDeviceContext(handle);
  return dc ? LookUpWindow(dc->window) : nullptr;
}

int LiveDeviceContextCount() { return static_cast<int>(deviceContexts.size()); }

// A destroyed window's device context goes with it; its handle is stale
// from then on, and ReleaseDC of it fails.
void ReleaseDeviceContextsOf(HWND window) {
  deviceContexts.erase(
      std::remove_if(deviceContexts.begin(), deviceContexts.end(),
                     [window](const DeviceContext &dc) { return dc.window == window; }),
      deviceContexts.end());
}

void ResetDeviceContexts() {
  deviceContexts.clear();
  nextDeviceContextId = 1;
}

} // namespace platform::core

using namespace platform::core;

HDC WINAPI GetDC(HWND window) {
  if (platform::CallFails("GetDC", platform::CallArguments(window)))
    return nullptr;
  if (!LookUpWindow(window))
    return nullptr;
  for (const DeviceContext &dc : deviceContexts) {
    if (dc.window == window)
      return dc.handle;
  }
  HDC handle = static_cast<HDC>(MakeHandle(HandleKind::DeviceContext, nextDeviceContextId++));
  deviceContexts.push_back({handle, window});
  return handle;
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  if (platform::CallFails("ReleaseDC", platform::CallArguments(window, dc)))
    return 0;
  DeviceContext *record = LookUpDeviceContext(dc);
  if (!record || record->window != window)
    return 0;
  deviceContexts.erase(deviceContexts.begin() + (record - deviceContexts.data()));
  return 1;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *request) {
  if (platform::CallFails("ChoosePixelFormat", platform::CallArguments(dc, request)))
    return 0;
  return WindowOfDC(dc) && RequestFitsWindow(request) ? kWindowFormat : 0;
}

int WINAPI DescribePixelFormat(HDC dc, int format, UINT bytes, PIXELFORMATDESCRIPTOR *description) {
  if (platform::CallFails(
          "DescribePixelFormat",
          platform::CallArguments(dc, format, bytes, static_cast<const void *>(description))))
    return 0;
  if (!WindowOfDC(dc))
    return 0;
  if (description) {
    if (format != kWindowFormat)
      return 0;
    const PIXELFORMATDESCRIPTOR described = WindowFormat();
    std::memcpy(description, &described, std::min<size_t>(bytes, sizeof described));
  }
  return kWindowFormat;
}

// A window's pixel format is set once: setting the same format again
// succeeds and changes nothing, another format fails. The request only
// records what was asked for.
BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *request) {
  if (platform::CallFails("SetPixelFormat", platform::CallArguments(dc, format, request)))
    return FALSE;
  Window *window = WindowOfDC(dc);
  if (!window || format != kWindowFormat)
    return FALSE;
  if (window->pixelFormat != 0)
    return window->pixelFormat == format;
  window->pixelFormat = format;
  return TRUE;
}
