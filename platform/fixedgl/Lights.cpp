// glLightf and glLightfv for the eight lights: ambient and diffuse colours,
// position and the three attenuation factors. A position is carried into eye
// space by the modelview matrix current when it is given. GL_SPECULAR is
// accepted and has no effect: the material's specular colour is black, so
// every specular product is. Spotlights (GL_SPOT_DIRECTION, GL_SPOT_EXPONENT,
// GL_SPOT_CUTOFF), glMaterial and glLightModel are not provided.
#include "State.h"

namespace {

// The light a GL_LIGHTi names, or null after recording the error.
fixedgl::Light *LightNamed(GLenum light) {
  fixedgl::State &state = fixedgl::Current();
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + fixedgl::kLightCount) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return nullptr;
  }
  return &state.lights[light - GL_LIGHT0];
}

bool IsAttenuation(GLenum pname) {
  return pname == GL_CONSTANT_ATTENUATION || pname == GL_LINEAR_ATTENUATION ||
         pname == GL_QUADRATIC_ATTENUATION;
}

void SetAttenuation(fixedgl::Light &light, GLenum pname, GLfloat value) {
  if (value < 0.0f) {
    fixedgl::RecordError(GL_INVALID_VALUE);
    return;
  }
  light.attenuation[pname - GL_CONSTANT_ATTENUATION] = value;
}

} // namespace

void APIENTRY glLightf(GLenum light, GLenum pname, GLfloat param) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  fixedgl::Light *target = LightNamed(light);
  if (!target)
    return;
  if (!IsAttenuation(pname)) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  SetAttenuation(*target, pname, param);
}

void APIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat *params) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  fixedgl::Light *target = LightNamed(light);
  if (!target)
    return;
  switch (pname) {
  case GL_AMBIENT:
    target->ambient = {params[0], params[1], params[2], params[3]};
    break;
  case GL_DIFFUSE:
    target->diffuse = {params[0], params[1], params[2], params[3]};
    break;
  case GL_SPECULAR:
    break;
  case GL_POSITION:
    target->eyePosition =
        fixedgl::Transform(state.modelview, {params[0], params[1], params[2], params[3]});
    break;
  case GL_CONSTANT_ATTENUATION:
  case GL_LINEAR_ATTENUATION:
  case GL_QUADRATIC_ATTENUATION:
    SetAttenuation(*target, pname, params[0]);
    break;
  default:
    fixedgl::RecordError(GL_INVALID_ENUM);
  }
}
