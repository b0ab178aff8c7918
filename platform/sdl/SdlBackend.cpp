// The SDL2 desktop backend's table: windows, OpenGL contexts, events, display
// modes, the cursor and message boxes through SDL's public API.
//
// Implements every entry of core/Backend.h but enterDisplayMode and
// leaveDisplayMode: SDL sets the mode with the fullscreen window.
#include "sdl/SdlBackend.h"

using namespace platform::sdl;

// enterDisplayMode and leaveDisplayMode are left null: the mode is set with
// the fullscreen window.
const platform::core::Backend platform::core::activeBackend = {
    .name = "sdl",
    .start = Start,
    .shutdown = Shutdown,
    .createSurface = CreateSurface,
    .destroySurface = DestroySurface,
    .showSurface = ShowSurface,
    .raiseSurface = RaiseSurface,
    .focusSurface = FocusSurface,
    .leaveFullscreen = LeaveFullscreen,
    .clientSize = ClientSize,
    .pumpEvents = PumpEvents,
    .createContext = CreateContext,
    .makeCurrent = MakeCurrent,
    .deleteContext = DeleteContext,
    .swap = Swap,
    .desktopMode = Desktop,
    .displayModes = Modes,
    .showCursor = ShowCursor,
    .messageBox = MessageBox,
    .placeSurface = PlaceSurface,
};
