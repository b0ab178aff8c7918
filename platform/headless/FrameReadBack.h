// Reading back what the headless backend drew, for the scene tests and
// quellor-snapshot. It is the backend's, not the core's: the window system
// itself makes no OpenGL call.
#ifndef QUELLOR_HEADLESS_FRAME_READ_BACK_H
#define QUELLOR_HEADLESS_FRAME_READ_BACK_H

#include <vector>

namespace platform::control {

// Pixels of the current rendering context's window, read with glReadPixels
// as RGB, bottom row first. Empty without a current context.
std::vector<unsigned char> ReadFramePixels(int *width, int *height);

} // namespace platform::control

#endif
