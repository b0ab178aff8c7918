// glGetIntegerv and glGetFloatv for the state the program and its tests read:
// the pixel store alignments, the matrix mode, the viewport, the bound texture,
// the largest texture side (the ES context's) and the three matrices. Other
// names are refused with GL_INVALID_ENUM.
#include "State.h"

void APIENTRY glGetIntegerv(GLenum pname, GLint *params) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  switch (pname) {
  case GL_UNPACK_ALIGNMENT:
    params[0] = state.unpackAlignment;
    break;
  case GL_PACK_ALIGNMENT:
    params[0] = state.packAlignment;
    break;
  case GL_MATRIX_MODE:
    params[0] = static_cast<GLint>(state.matrixMode);
    break;
  case GL_VIEWPORT:
    for (int i = 0; i < 4; ++i)
      params[i] = state.viewport[i];
    break;
  case GL_TEXTURE_BINDING_2D:
    params[0] = static_cast<GLint>(state.boundTexture);
    break;
  case GL_MAX_TEXTURE_SIZE:
    params[0] = state.maxTextureSize;
    break;
  default:
    fixedgl::RecordError(GL_INVALID_ENUM);
  }
}

void APIENTRY glGetFloatv(GLenum pname, GLfloat *params) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  const fixedgl::Matrix *matrix = nullptr;
  switch (pname) {
  case GL_MODELVIEW_MATRIX:
    matrix = &state.modelview;
    break;
  case GL_PROJECTION_MATRIX:
    matrix = &state.projection;
    break;
  case GL_TEXTURE_MATRIX:
    matrix = &state.textureMatrix;
    break;
  default:
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  for (int i = 0; i < 16; ++i)
    params[i] = (*matrix)[i];
}
