// The browser backend's table: the page's canvas and WebGL, the page's
// events, the Fullscreen API as the display mode, and the browser's own
// dialogs, through emscripten's html5.h.
//
// Implements every entry of core/Backend.h but these: shutdown (the page
// stays as it is), showing and raising surfaces (the canvas is always on the
// page), leaving fullscreen per surface (the mode is left as a whole, by
// leaveDisplayMode).
#include "web/WebBackend.h"

using namespace platform::web;

// Entries left out are null: the core does without them.
const platform::core::Backend platform::core::activeBackend = {
    .name = "web",
    .start = Start,
    .createSurface = CreateSurface,
    .destroySurface = DestroySurface,
    .focusSurface = FocusSurface,
    .clientSize = ClientSize,
    .pumpEvents = PumpEvents,
    .createContext = CreateContext,
    .makeCurrent = MakeCurrent,
    .deleteContext = DeleteContext,
    .swap = Swap,
    .desktopMode = Desktop,
    .displayModes = Modes,
    .enterDisplayMode = EnterDisplayMode,
    .leaveDisplayMode = LeaveDisplayMode,
    .showCursor = ShowCursor,
    .messageBox = MessageBox,
};
