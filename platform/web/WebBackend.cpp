// The browser backend's table: the page's canvas and WebGL, the page's
// events, the Fullscreen API as the display mode, and the browser's own
// dialogs, through emscripten's html5.h.
//
// Implements every entry of core/Backend.h but these: shutdown (the page
// stays as it is), showing and raising surfaces (the canvas is always on the
// page), leaving fullscreen per surface (the mode is left as a whole, by
// leaveDisplayMode).
#include "WebBackend.h"

using namespace platform::web;

const platform::core::Backend platform::core::activeBackend = {
    "web",         Start,
    nullptr, // shutdown
    CreateSurface, DestroySurface,
    nullptr, // showSurface
    nullptr, // raiseSurface
    FocusSurface,
    nullptr, // leaveFullscreen
    ClientSize,    PumpEvents,     CreateContext,    MakeCurrent,      DeleteContext, Swap,
    Desktop,       Modes,          EnterDisplayMode, LeaveDisplayMode, ShowCursor,    MessageBox,
    false,   // pausesSkipped
    nullptr, // placeSurface
};
