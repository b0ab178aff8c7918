// The SDL2 desktop backend's table: windows, OpenGL contexts, events, display
// modes, the cursor and message boxes through SDL's public API.
//
// Implements every entry of core/Backend.h but enterDisplayMode and
// leaveDisplayMode: SDL sets the mode with the fullscreen window.
#include "SdlBackend.h"

using namespace platform::sdl;

const platform::core::Backend platform::core::activeBackend = {
    "sdl",        Start,         Shutdown,     CreateSurface,   DestroySurface,
    ShowSurface,  RaiseSurface,  FocusSurface, LeaveFullscreen, ClientSize,
    PumpEvents,   CreateContext, MakeCurrent,  DeleteContext,   Swap,
    Desktop,      Modes,
    nullptr, // enterDisplayMode: the mode is set with the fullscreen window
    nullptr, // leaveDisplayMode
    ShowCursor,   MessageBox,
    false, // pausesSkipped
    PlaceSurface,
};
