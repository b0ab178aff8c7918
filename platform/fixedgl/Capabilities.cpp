// glEnable and glDisable for GL_TEXTURE_2D, GL_DEPTH_TEST, GL_LIGHTING and
// GL_LIGHT0 to GL_LIGHT7; glDepthFunc; glShadeModel; glHint. Other
// capabilities (blending, culling, fog, GL_NORMALIZE, ...) are not provided
// and refused with GL_INVALID_ENUM, as is flat shading: colours are always
// interpolated across a primitive. Hints are accepted and change nothing:
// interpolation is always perspective-correct.
#include "State.h"

namespace {

void SetCapability(GLenum cap, bool enabled) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + fixedgl::kLightCount) {
    state.lights[cap - GL_LIGHT0].enabled = enabled;
    return;
  }
  switch (cap) {
  case GL_LIGHTING:
    state.lighting = enabled;
    break;
  case GL_TEXTURE_2D:
    state.texturing = enabled;
    break;
  case GL_DEPTH_TEST:
    state.depthTest = enabled;
    if (enabled)
      state.es2.Enable(GL_DEPTH_TEST);
    else
      state.es2.Disable(GL_DEPTH_TEST);
    break;
  default:
    fixedgl::RecordError(GL_INVALID_ENUM);
  }
}

} // namespace

void APIENTRY glEnable(GLenum cap) { SetCapability(cap, true); }

void APIENTRY glDisable(GLenum cap) { SetCapability(cap, false); }

void APIENTRY glDepthFunc(GLenum func) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (func < GL_NEVER || func > GL_ALWAYS) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  state.depthFunc = func;
  state.es2.DepthFunc(func);
}

void APIENTRY glShadeModel(GLenum mode) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (mode != GL_SMOOTH)
    fixedgl::RecordError(GL_INVALID_ENUM);
}

void APIENTRY glHint(GLenum target, GLenum mode) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (target != GL_PERSPECTIVE_CORRECTION_HINT ||
      (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE))
    fixedgl::RecordError(GL_INVALID_ENUM);
}
