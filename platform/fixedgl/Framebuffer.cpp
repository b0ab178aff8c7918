// glClear, glClearColor, glClearDepth, glViewport, glFlush and glFinish,
// passed on to the ES context. Clearing the accumulation buffer, which the ES
// context does not have, does nothing, as it does without one in OpenGL 1.1.
#include "State.h"

#include <algorithm>

void APIENTRY glClear(GLbitfield mask) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  const GLbitfield known =
      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;
  if (mask & ~known) {
    fixedgl::RecordError(GL_INVALID_VALUE);
    return;
  }
  state.es2.Clear(mask & ~GL_ACCUM_BUFFER_BIT);
}

void APIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  state.clearColour = {red, green, blue, alpha};
  state.es2.ClearColor(red, green, blue, alpha);
}

void APIENTRY glClearDepth(GLclampd depth) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  state.clearDepth = static_cast<GLfloat>(std::clamp(depth, 0.0, 1.0));
  state.es2.ClearDepthf(state.clearDepth);
}

// Windows sends a popup window its size inside CreateWindowEx, before any
// rendering context exists: without one, as in OpenGL 1.1 on Windows, the
// call does nothing.
void APIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (!fixedgl::current || fixedgl::RefusedInsideBeginEnd())
    return;
  fixedgl::State &state = fixedgl::Current();
  if (width < 0 || height < 0) {
    fixedgl::RecordError(GL_INVALID_VALUE);
    return;
  }
  state.viewport = {x, y, width, height};
  state.es2.Viewport(x, y, width, height);
}

void APIENTRY glFlush(void) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  state.es2.Flush();
}

void APIENTRY glFinish(void) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  state.es2.Finish();
}
