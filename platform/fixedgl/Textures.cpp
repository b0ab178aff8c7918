// Texture objects: glGenTextures, glBindTexture, glTexImage2D and
// glTexParameteri for the minification and magnification filters. An image
// is level 0 of an RGB texture of unsigned bytes (internal format 3 or
// GL_RGB) whose sides are powers of two, read with the unpack alignment;
// wrapping is GL_REPEAT and the texture modulates the fragment's colour
// (GL_MODULATE). A texture is used only while it has an image and its
// minification filter needs no mipmaps. Mipmap levels, borders, other
// formats, 1D textures, glTexSubImage2D, glDeleteTextures, wrap modes,
// glTexEnv and texture coordinate generation are not provided.
#include "State.h"

namespace {

bool IsPowerOfTwo(GLsizei size) { return size > 0 && (size & (size - 1)) == 0; }

bool IsMinFilter(GLint filter) {
  return filter == GL_NEAREST || filter == GL_LINEAR || filter == GL_NEAREST_MIPMAP_NEAREST ||
         filter == GL_LINEAR_MIPMAP_NEAREST || filter == GL_NEAREST_MIPMAP_LINEAR ||
         filter == GL_LINEAR_MIPMAP_LINEAR;
}

} // namespace

void APIENTRY glGenTextures(GLsizei n, GLuint *textures) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (n < 0) {
    fixedgl::RecordError(GL_INVALID_VALUE);
    return;
  }
  for (GLsizei i = 0; i < n; ++i) {
    while (state.textures.count(state.nextTextureName))
      ++state.nextTextureName;
    textures[i] = state.nextTextureName;
    state.textures[textures[i]] = fixedgl::Texture();
  }
}

// Binding a name that glGenTextures did not give makes it a texture too.
void APIENTRY glBindTexture(GLenum target, GLuint texture) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (target != GL_TEXTURE_2D) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  auto found = state.textures.find(texture);
  if (found == state.textures.end())
    found = state.textures.emplace(texture, fixedgl::Texture()).first;
  fixedgl::Texture &object = found->second;
  if (texture != 0 && object.es2Name == 0)
    state.es2.GenTextures(1, &object.es2Name);
  state.es2.BindTexture(GL_TEXTURE_2D, object.es2Name);
  state.boundTexture = texture;
}

void APIENTRY glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width,
                           GLsizei height, GLint border, GLenum format, GLenum type,
                           const GLvoid *pixels) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (target != GL_TEXTURE_2D || format != GL_RGB || type != GL_UNSIGNED_BYTE) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  if (level != 0 || border != 0 || (internalformat != 3 && internalformat != GL_RGB) ||
      !IsPowerOfTwo(width) || !IsPowerOfTwo(height) || width > state.maxTextureSize ||
      height > state.maxTextureSize) {
    fixedgl::RecordError(GL_INVALID_VALUE);
    return;
  }
  fixedgl::Texture &object = state.textures[state.boundTexture];
  // An earlier error is taken first, so that an error ES raises now is the
  // upload's: an image it cannot hold (GL_OUT_OF_MEMORY) leaves the texture
  // without one, and it is not used.
  fixedgl::TakeEs2Errors(state);
  state.es2.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                       pixels);
  const bool refused = fixedgl::TakeEs2Errors(state);
  object.width = refused ? 0 : width;
  object.height = refused ? 0 : height;
}

void APIENTRY glTexParameteri(GLenum target, GLenum pname, GLint param) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  const bool valid =
      target == GL_TEXTURE_2D &&
      ((pname == GL_TEXTURE_MIN_FILTER && IsMinFilter(param)) ||
       (pname == GL_TEXTURE_MAG_FILTER && (param == GL_NEAREST || param == GL_LINEAR)));
  if (!valid) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  if (pname == GL_TEXTURE_MIN_FILTER)
    state.textures[state.boundTexture].minFilter = static_cast<GLenum>(param);
  state.es2.TexParameteri(GL_TEXTURE_2D, pname, param);
}
