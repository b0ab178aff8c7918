// The display: the screen as the desktop's mode, and 640x480 at 16 bits as
// the Fullscreen API on the canvas, whose 640x480 drawing buffer the page
// scales to the screen.
//
// The browser grants fullscreen only within a few seconds of a click or a
// key. A click that leads to the program's request (Yes to the start
// question, the page's fullscreen control) asks at once
// (Module.quellorRequestFullscreen) and leaves the answer pending; the
// program's request then takes it, however long the program took to get
// there. A pending answer that no request takes is undone when the window is
// made.
//
// While fullscreen, Escape is kept for the page where the browser lets it
// (Keyboard Lock, in Chromium), so that it ends the program as on the
// desktop. Where the browser keeps Escape to leave fullscreen itself
// (Firefox), or the user leaves by the browser's own means, the program is
// told that its mode is gone (WebEvents.cpp), so that it goes windowed.
//
// Implements: desktopMode, displayModes, enterDisplayMode (the browser's
// fullscreen request, refused without a user gesture or where the page may
// not go fullscreen), leaveDisplayMode.
#include "web/WebBackend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

namespace platform::web {

namespace {

const DisplayMode kCanvasMode = {640, 480, 16, 60};

bool modeInForce = false; // the program's fullscreen, as the program knows it

EM_JS(int, ScreenWidth, (), { return screen.width; });
EM_JS(int, ScreenHeight, (), { return screen.height; });
EM_JS(int, ScreenBits, (), { return screen.colorDepth; });

// Called from a click's handler, so that the browser grants it.
EM_JS(void, InstallFullscreenRequest, (), {
  Module.quellorRequestFullscreen = function() {
    var canvas = document.getElementById('canvas');
    if (!canvas || !canvas.requestFullscreen || !document.fullscreenEnabled)
      return;
    Module.quellorPendingFullscreen = canvas.requestFullscreen().then(
        function() { return 1; }, function() { return 0; });
  };
});

// The browser answers the request later; the program waits for the answer.
// Elements compare with == as with ===, which C++ layout would split in two.
EM_ASYNC_JS(int, RequestCanvasFullscreen, (), {
  var pending = Module.quellorPendingFullscreen;
  delete Module.quellorPendingFullscreen;
  var canvas = document.getElementById('canvas');
  var granted = 0;
  if (pending) {
    granted = await pending;
  } else if (canvas && canvas.requestFullscreen && document.fullscreenEnabled) {
    try {
      await canvas.requestFullscreen();
      granted = 1;
    } catch (refused) {
      granted = 0;
    }
  }
  granted = granted && document.fullscreenElement == canvas ? 1 : 0;
  if (granted && navigator.keyboard && navigator.keyboard.lock)
    navigator.keyboard.lock(['Escape']).catch(function(){});
  return granted;
});

// A fullscreen asked for by a click that the program did not follow up.
EM_JS(void, UndoPendingFullscreen, (), {
  var pending = Module.quellorPendingFullscreen;
  if (!pending)
    return;
  delete Module.quellorPendingFullscreen;
  pending.then(function(granted) {
    if (granted && document.fullscreenElement)
      document.exitFullscreen().catch(function(){});
  });
});

EM_JS(void, ReleaseEscape, (), {
  if (navigator.keyboard && navigator.keyboard.unlock)
    navigator.keyboard.unlock();
});

// Leaving cannot be refused; nothing waits for it, so that it can be asked
// at any moment, the program's end included.
EM_JS(void, ExitCanvasFullscreen, (), {
  if (document.fullscreenElement)
    document.exitFullscreen().catch(function(){});
});

EM_BOOL OnFullscreenChange(int, const EmscriptenFullscreenChangeEvent *change, void *) {
  if (!change->isFullscreen && modeInForce) {
    modeInForce = false;
    ReleaseEscape();
    ReportModeLost();
  }
  return EM_FALSE;
}

} // namespace

void ListenForDisplayChanges() {
  InstallFullscreenRequest();
  emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE,
                                           OnFullscreenChange);
}

void UndoUnusedFullscreen() { UndoPendingFullscreen(); }

bool Desktop(DisplayMode *mode) {
  *mode = {ScreenWidth(), ScreenHeight(), ScreenBits(), 60};
  return true;
}

std::vector<DisplayMode> Modes() {
  DisplayMode desktop;
  Desktop(&desktop);
  return {desktop, kCanvasMode};
}

bool EnterDisplayMode(const DisplayMode &) {
  modeInForce = RequestCanvasFullscreen() != 0;
  return modeInForce;
}

void LeaveDisplayMode() {
  modeInForce = false;
  ReleaseEscape();
  ExitCanvasFullscreen();
}

} // namespace platform::web
