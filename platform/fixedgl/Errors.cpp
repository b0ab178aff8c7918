// OpenGL 1.1's errors, the library's own and the ES context's, and the
// helpers every call shares: the Begin/End check and the current matrix.
#include "State.h"

namespace fixedgl {

namespace {

// ES 2.0 keeps one flag per kind of error, WebGL one more for a lost context;
// a bound keeps a context that never clears them from holding the call up.
const int kMostEs2Errors = 8;

// An ES error as the OpenGL 1.1 error it means. A framebuffer that cannot be
// drawn into or read (the back buffer) refuses the call as OpenGL 1.1 refuses
// a call the state does not allow; a lost WebGL context, whose objects are
// gone, leaves the state undefined as running out of memory does.
GLenum AsOpenGl11Error(GLenum es2Error) {
  switch (es2Error) {
  case GL_INVALID_ENUM:
  case GL_INVALID_VALUE:
  case GL_INVALID_OPERATION:
  case GL_OUT_OF_MEMORY:
    return es2Error;
  case GL_INVALID_FRAMEBUFFER_OPERATION:
    return GL_INVALID_OPERATION;
  default:
    return GL_OUT_OF_MEMORY;
  }
}

void KeepFirstError(State &state, GLenum error) {
  if (state.error == GL_NO_ERROR)
    state.error = error;
}

} // namespace

bool TakeEs2Errors(State &state) {
  bool raised = false;
  for (int i = 0; i < kMostEs2Errors; ++i) {
    const GLenum error = state.es2.GetError();
    if (error == GL_NO_ERROR)
      break;
    KeepFirstError(state, AsOpenGl11Error(error));
    raised = true;
  }
  return raised;
}

void RecordError(GLenum error) {
  State &state = Current();
  TakeEs2Errors(state);
  KeepFirstError(state, error);
}

bool RefusedInsideBeginEnd() {
  const bool inside = Current().insideBeginEnd;
  if (inside)
    RecordError(GL_INVALID_OPERATION);
  return inside;
}

Matrix &CurrentMatrix() {
  State &state = Current();
  switch (state.matrixMode) {
  case GL_PROJECTION:
    return state.projection;
  case GL_TEXTURE:
    return state.textureMatrix;
  default:
    return state.modelview;
  }
}

} // namespace fixedgl

GLenum APIENTRY glGetError(void) {
  if (fixedgl::RefusedInsideBeginEnd())
    return GL_NO_ERROR;
  fixedgl::State &state = fixedgl::Current();
  fixedgl::TakeEs2Errors(state);
  GLenum error = state.error;
  state.error = GL_NO_ERROR;
  return error;
}
