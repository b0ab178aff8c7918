// Resetting the backend between tests, and what it holds.
#include "Backend.h"
#include "HeadlessControl.h"

#include <ResourceCounts.h>

namespace headless {

// Contexts go before the windows whose surfaces they draw into. Files,
// mappings, memory and GDI objects stay with the code that holds them.
void Reset() {
  backend::ResetGraphics();
  backend::ResetWindows();
  backend::ResetEvents();
  backend::ResetModes();
  backend::ResetDialogs();
  backend::ResetCallLog();
}

LiveResources Live() {
  const platform::ResourceCounts &posix = platform::liveResources;
  return LiveResources{backend::LiveWindowCount(),
                       backend::LiveDeviceContextCount(),
                       backend::LiveRenderingContextCount(),
                       backend::RegisteredClassCount(),
                       posix.fileHandles,
                       posix.mappings,
                       posix.views,
                       posix.localBlocks,
                       posix.memoryDCs,
                       posix.sections};
}

WindowInfo CurrentWindow() {
  WindowInfo info = {};
  const backend::Window *window = backend::CurrentWindowRecord();
  if (!window) {
    return info;
  }
  info.exists = true;
  info.className = window->className;
  info.title = window->title;
  info.style = window->style;
  info.exStyle = window->exStyle;
  info.x = window->x;
  info.y = window->y;
  info.width = window->width;
  info.height = window->height;
  info.clientWidth = window->clientWidth;
  info.clientHeight = window->clientHeight;
  info.visible = window->visible;
  info.focused = backend::FocusedWindow() == window->handle;
  return info;
}

} // namespace headless
