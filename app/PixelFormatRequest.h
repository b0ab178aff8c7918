// The pixel format the program asks for: RGBA, double-buffered, 16-bit colour
// and depth. Tests and the window probe that make their own windows ask for
// the same.
#ifndef QUELLOR_APP_PIXEL_FORMAT_REQUEST_H
#define QUELLOR_APP_PIXEL_FORMAT_REQUEST_H

#include <windows.h>

inline PIXELFORMATDESCRIPTOR PixelFormatRequest() {
  PIXELFORMATDESCRIPTOR request = {};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 16;
  request.cDepthBits = 16;
  request.iLayerType = PFD_MAIN_PLANE;
  return request;
}

#endif
