#include "headless/FrameReadBack.h"

#include "core/Core.h"

#include <GL/gl.h>

namespace platform::control {

std::vector<unsigned char> ReadFramePixels(int *width, int *height) {
  std::vector<unsigned char> pixels;
  const core::Window *window = core::CurrentContextWindow();
  int w = window ? window->clientWidth : 0;
  int h = window ? window->clientHeight : 0;
  if (w > 0 && h > 0) {
    pixels.resize(static_cast<size_t>(w) * h * 3);
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  }
  if (width)
    *width = w;
  if (height)
    *height = h;
  return pixels;
}

} // namespace platform::control
