// The one pixel format a window offers, the one the program asks for
// (app/PixelFormatRequest.h): RGBA with 5/6/5 colour bits and no alpha, a
// 16-bit depth buffer and no stencil, double buffered. The core describes it
// (DescribePixelFormat) and each backend asks its driver for exactly it.
#ifndef QUELLOR_CORE_WINDOW_PIXEL_FORMAT_H
#define QUELLOR_CORE_WINDOW_PIXEL_FORMAT_H

namespace platform::core {

struct PixelFormatBits {
  int red, green, blue, alpha;
  int depth, stencil;
  constexpr int Colour() const { return red + green + blue + alpha; }
};

constexpr PixelFormatBits kWindowPixelFormat = {5, 6, 5, 0, 16, 0};

} // namespace platform::core

#endif
