// glPixelStorei for GL_UNPACK_ALIGNMENT and GL_PACK_ALIGNMENT, and
// glReadPixels into GL_RGB or GL_RGBA unsigned bytes with rows padded to the
// pack alignment. The other pixel store parameters (row length, skipping,
// byte swapping), other formats and types, and glDrawPixels are not provided.
#include "State.h"

#include <cstring>
#include <vector>

void APIENTRY glPixelStorei(GLenum pname, GLint param) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (pname != GL_UNPACK_ALIGNMENT && pname != GL_PACK_ALIGNMENT) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  if (param != 1 && param != 2 && param != 4 && param != 8) {
    fixedgl::RecordError(GL_INVALID_VALUE);
    return;
  }
  if (pname == GL_PACK_ALIGNMENT) {
    state.packAlignment = param;
    return;
  }
  // Texture images are handed to the ES context as they are, so it reads
  // their rows with the same alignment.
  state.unpackAlignment = param;
  state.es2.PixelStorei(GL_UNPACK_ALIGNMENT, param);
}

// The ES context reads RGBA rows, which are always 4-byte aligned; they are
// repacked into the caller's format and alignment.
void APIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                           GLenum type, GLvoid *pixels) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if ((format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  if (width < 0 || height < 0) {
    fixedgl::RecordError(GL_INVALID_VALUE);
    return;
  }
  std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
  state.es2.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  const size_t channels = format == GL_RGB ? 3 : 4;
  const size_t alignment = static_cast<size_t>(state.packAlignment);
  const size_t stride = (width * channels + alignment - 1) / alignment * alignment;
  unsigned char *out = static_cast<unsigned char *>(pixels);
  for (GLsizei row = 0; row < height; ++row) {
    const unsigned char *from = &rgba[static_cast<size_t>(row) * width * 4];
    unsigned char *to = out + row * stride;
    for (GLsizei column = 0; column < width; ++column)
      std::memcpy(to + column * channels, from + column * 4, channels);
  }
}
