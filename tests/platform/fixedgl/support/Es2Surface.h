// An OpenGL ES 2.0 context on Mesa's surfaceless EGL platform, drawing into a
// pbuffer with a 16-bit depth buffer, with quellor_fixedgl started on it:
// OpenGL 1.1 calls made after OpenEs2Surface draw there.
#ifndef QUELLOR_TESTS_FIXEDGL_ES2_SURFACE_H
#define QUELLOR_TESTS_FIXEDGL_ES2_SURFACE_H

#include <string>

// Colour bits of the surface: the headless backend's format, which Mesa's
// fixed-function pictures are drawn in, and one that keeps 8 bits a channel.
struct ColourBits {
  int red, green, blue, alpha;
};
const ColourBits kBits565 = {5, 6, 5, 0};
const ColourBits kBits8888 = {8, 8, 8, 8};

// Opens the surface and makes its context current. Returns false with the
// reason in *error when EGL, the format or the library cannot be had.
bool OpenEs2Surface(int width, int height, ColourBits bits, std::string *error);

// Ends the library's context and releases the surface.
void CloseEs2Surface();

#endif
