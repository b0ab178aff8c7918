// Resetting the platform between tests, and what it holds.
#include "Core.h"
#include "PlatformControl.h"

#include <FileViews.h>
#include <ResourceCounts.h>

#include <GL/gl.h>

namespace platform::control {

// Contexts go before the windows whose surfaces they draw into. Files,
// mappings, memory and GDI objects stay with the code that holds them; only
// the way views are made returns to the build's own.
void Reset() {
  core::ResetGraphics();
  core::ResetWindows();
  core::ResetQueue();
  core::ResetDisplay();
  core::ResetDialogs();
  core::ResetCallHook();
  ResetFileViews();
}

const char *BackendName() { return core::activeBackend.name; }

LiveResources Live() {
  const ResourceCounts &os = liveResources;
  return LiveResources{static_cast<int>(core::LiveWindows().size()),
                       core::LiveDeviceContextCount(),
                       core::LiveRenderingContextCount(),
                       core::RegisteredClassCount(),
                       os.fileHandles,
                       os.mappings,
                       os.views,
                       os.localBlocks,
                       os.memoryDCs,
                       os.sections};
}

WindowInfo CurrentWindow() {
  WindowInfo info = {};
  if (core::LiveWindows().empty())
    return info;
  const core::Window &window = *core::LiveWindows().back();
  info.exists = true;
  info.className = window.className;
  info.title = window.title;
  info.style = window.style;
  info.exStyle = window.exStyle;
  info.x = window.x;
  info.y = window.y;
  info.width = window.width;
  info.height = window.height;
  info.clientWidth = window.clientWidth;
  info.clientHeight = window.clientHeight;
  info.visible = window.visible;
  info.focused = core::FocusedWindow() == window.handle;
  return info;
}

void *SurfaceOf(HWND handle) {
  const core::Window *window = core::LookUpWindow(handle);
  return window ? window->surface : nullptr;
}

std::vector<unsigned char> ReadFramePixels(int *width, int *height) {
  std::vector<unsigned char> pixels;
  const core::Window *window = core::CurrentContextWindow();
  int w = window ? window->clientWidth : 0;
  int h = window ? window->clientHeight : 0;
  if (w > 0 && h > 0) {
    pixels.resize(static_cast<size_t>(w) * h * 3);
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  }
  if (width)
    *width = w;
  if (height)
    *height = h;
  return pixels;
}

} // namespace platform::control
