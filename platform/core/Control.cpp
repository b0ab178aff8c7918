// Resetting the platform between tests, and what it holds.
#include "core/Core.h"
#include "core/PlatformControl.h"
#include "os/ResourceCounts.h"

namespace platform::control {

// Files, mappings, memory and GDI objects stay with the code that holds
// them; only the way views are made returns to the build's own.
void Reset() { core::ResetState(core::Teardown::BetweenTests); }

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

} // namespace platform::control
