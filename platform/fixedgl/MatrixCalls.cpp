// The matrix calls: one current matrix each for the modelview, projection
// and texture modes, changed by glLoadIdentity, glTranslatef, glRotatef and
// glScalef (each multiplies the current matrix on the right). There are no
// matrix stacks: glPushMatrix, glPopMatrix,
// glLoadMatrix and glMultMatrix are not provided.
#include "State.h"

#include <cmath>

void APIENTRY glMatrixMode(GLenum mode) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  state.matrixMode = mode;
}

void APIENTRY glLoadIdentity(void) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  fixedgl::CurrentMatrix() = fixedgl::Identity();
}

void APIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  fixedgl::Matrix &current = fixedgl::CurrentMatrix();
  current = fixedgl::Multiply(current, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

void APIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  fixedgl::Matrix &current = fixedgl::CurrentMatrix();
  current = fixedgl::Multiply(current, {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1});
}

// A rotation by `angle` degrees counter-clockwise about the axis (x, y, z),
// looking from the axis' tip towards the origin. A zero axis leaves the
// matrix as it is.
void APIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  const double length = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y +
                                  static_cast<double>(z) * z);
  if (length == 0.0)
    return;
  const double ux = x / length, uy = y / length, uz = z / length;
  const double radians = angle * M_PI / 180.0;
  const double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;
  const fixedgl::MatrixD rotation = {ux * ux * t + c,
                                     uy * ux * t + uz * s,
                                     uz * ux * t - uy * s,
                                     0,
                                     ux * uy * t - uz * s,
                                     uy * uy * t + c,
                                     uz * uy * t + ux * s,
                                     0,
                                     ux * uz * t + uy * s,
                                     uy * uz * t - ux * s,
                                     uz * uz * t + c,
                                     0,
                                     0,
                                     0,
                                     0,
                                     1};
  fixedgl::Matrix &current = fixedgl::CurrentMatrix();
  current = fixedgl::Multiply(current, rotation);
}
