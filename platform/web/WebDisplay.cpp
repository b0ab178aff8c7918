// The display: the screen as the desktop's mode, and 640x480 at 16 bits as
// the Fullscreen API on the canvas, whose 640x480 drawing buffer the page
// scales to the screen.
//
// Implements: desktopMode, displayModes, enterDisplayMode (the browser's
// fullscreen request, refused without a user gesture or where the page may
// not go fullscreen), leaveDisplayMode.
#include "WebBackend.h"

#include <emscripten.h>

namespace platform::web {

namespace {

const DisplayMode kCanvasMode = {640, 480, 16, 60};

EM_JS(int, ScreenWidth, (), { return screen.width; });
EM_JS(int, ScreenHeight, (), { return screen.height; });
EM_JS(int, ScreenBits, (), { return screen.colorDepth; });

// The browser answers the request later; the program waits for the answer.
// Elements compare with == as with ===, which C++ layout would split in two.
EM_ASYNC_JS(int, RequestCanvasFullscreen, (), {
  var canvas = document.getElementById('canvas');
  if (!canvas || !canvas.requestFullscreen || !document.fullscreenEnabled)
    return 0;
  if (document.fullscreenElement == canvas)
    return 1;
  try {
    await canvas.requestFullscreen();
    return 1;
  } catch (refused) {
    return 0;
  }
});

// Leaving cannot be refused; nothing waits for it, so that it can be asked
// at any moment, the program's end included.
EM_JS(void, ExitCanvasFullscreen, (), {
  if (document.fullscreenElement)
    document.exitFullscreen().catch(function(){});
});

} // namespace

bool Desktop(DisplayMode *mode) {
  *mode = {ScreenWidth(), ScreenHeight(), ScreenBits(), 60};
  return true;
}

std::vector<DisplayMode> Modes() {
  DisplayMode desktop;
  Desktop(&desktop);
  return {desktop, kCanvasMode};
}

bool EnterDisplayMode(const DisplayMode &) { return RequestCanvasFullscreen() != 0; }

void LeaveDisplayMode() { ExitCanvasFullscreen(); }

} // namespace platform::web
