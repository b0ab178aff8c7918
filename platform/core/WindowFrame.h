// The non-client area around a window's client rectangle: borders, caption
// and menu bar, with the widths Windows 10 uses at 96 dpi. The core takes it
// off the outer size CreateWindowExA is given and asks the backend for a
// surface of the client size left, so that on every backend a rectangle grown
// by AdjustWindowRectEx comes back as the same client area.
#ifndef QUELLOR_CORE_WINDOW_FRAME_H
#define QUELLOR_CORE_WINDOW_FRAME_H

#include <windows.h>

namespace platform {

// How far the outer rectangle of a window with this style extends beyond its
// client area on each side: a sizing frame is 8 pixels wide (border and
// padding), a fixed frame 3, a thin border 1; a caption adds 23 at the top and
// a menu bar 20 more.
RECT WindowFrame(DWORD style, bool menu);

// Grows the client rectangle into the window's outer rectangle.
void AddWindowFrame(RECT *rect, DWORD style, bool menu);

} // namespace platform

#endif
