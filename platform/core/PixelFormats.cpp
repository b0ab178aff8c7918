// Window device contexts and the pixel format. Every window class keeps its
// own device context (as with CS_OWNDC): a window has one at a time, and
// asking again gives the same one. A window offers one pixel format, the
// program's (core/WindowPixelFormat.h).
#include "core/Core.h"
#include "core/WindowPixelFormat.h"
#include "hook/CallArguments.h"
#include "hook/Handles.h"

#include <algorithm>
#include <cstring>

namespace platform::core {

namespace {

const int kWindowFormat = 1;

DeviceContext *LookUpDeviceContext(HDC handle) {
  for (DeviceContext &dc : state.contexts.deviceContexts) {
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
  const PixelFormatBits &bits = kWindowPixelFormat;
  format.cColorBits = static_cast<BYTE>(bits.Colour());
  format.cRedBits = static_cast<BYTE>(bits.red);
  format.cRedShift = static_cast<BYTE>(bits.green + bits.blue);
  format.cGreenBits = static_cast<BYTE>(bits.green);
  format.cGreenShift = static_cast<BYTE>(bits.blue);
  format.cBlueBits = static_cast<BYTE>(bits.blue);
  format.cDepthBits = static_cast<BYTE>(bits.depth);
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

} // namespace

Window *WindowOfDC(HDC handle) {
  const DeviceContext *dc = LookUpDeviceContext(handle);
  return dc ? LookUpWindow(dc->window) : nullptr;
}

int LiveDeviceContextCount() { return static_cast<int>(state.contexts.deviceContexts.size()); }

// A destroyed window's device context goes with it; its handle is stale
// from then on, and ReleaseDC of it fails.
void ReleaseDeviceContextsOf(HWND window) {
  state.contexts.deviceContexts.erase(
      std::remove_if(state.contexts.deviceContexts.begin(), state.contexts.deviceContexts.end(),
                     [window](const DeviceContext &dc) { return dc.window == window; }),
      state.contexts.deviceContexts.end());
}

} // namespace platform::core

using namespace platform::core;

HDC WINAPI GetDC(HWND window) {
  if (platform::CallFails("GetDC", platform::CallArguments(window)))
    return nullptr;
  if (!LookUpWindow(window))
    return nullptr;
  for (const DeviceContext &dc : state.contexts.deviceContexts) {
    if (dc.window == window)
      return dc.handle;
  }
  HDC handle =
      static_cast<HDC>(MakeHandle(HandleKind::DeviceContext, state.contexts.nextDeviceContextId++));
  state.contexts.deviceContexts.push_back({handle, window});
  return handle;
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  if (platform::CallFails("ReleaseDC", platform::CallArguments(window, dc)))
    return 0;
  DeviceContext *record = LookUpDeviceContext(dc);
  if (!record || record->window != window)
    return 0;
  state.contexts.deviceContexts.erase(state.contexts.deviceContexts.begin() +
                                      (record - state.contexts.deviceContexts.data()));
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
