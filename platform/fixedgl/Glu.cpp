// gluPerspective and gluLookAt: each builds its matrix in double precision
// and multiplies the current matrix by it, as GLU does.
#include <GL/glu.h>

#include "State.h"

#include <cmath>

namespace {

void Normalise(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length == 0.0)
    return;
  for (int i = 0; i < 3; ++i)
    v[i] /= length;
}

void Cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

void MultiplyCurrent(const fixedgl::MatrixD &matrix) {
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  fixedgl::Matrix &current = fixedgl::CurrentMatrix();
  current = fixedgl::Multiply(current, matrix);
}

} // namespace

// With f = cot(fovy / 2):
//   f/aspect  0  0                        0
//   0         f  0                        0
//   0         0  (far+near)/(near-far)    2*far*near/(near-far)
//   0         0  -1                       0
// A degenerate frustum (near = far, aspect 0, or a field of view whose sine
// is 0) leaves the matrix as it is.
void APIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  const double halfAngle = fovy / 2.0 * M_PI / 180.0;
  const double depth = zNear - zFar;
  const double sine = std::sin(halfAngle);
  if (depth == 0.0 || sine == 0.0 || aspect == 0.0)
    return;
  const double f = std::cos(halfAngle) / sine;
  MultiplyCurrent({f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (zFar + zNear) / depth, -1, 0, 0,
                   2.0 * zFar * zNear / depth, 0});
}

// With f the unit vector from the eye to the centre, s = f x up normalised
// and u = s x f, the rows s, u and -f rotate the line of sight onto -z, after
// a translation that moves the eye to the origin. s is normalised so that the
// rotation stays orthonormal when up is not perpendicular to the line of
// sight, as it is not in the scene's view from above.
void APIENTRY gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                        GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY,
                        GLdouble upZ) {
  double f[3] = {centerX - eyeX, centerY - eyeY, centerZ - eyeZ};
  double up[3] = {upX, upY, upZ};
  Normalise(f);
  Normalise(up);
  double s[3], u[3];
  Cross(f, up, s);
  Normalise(s);
  Cross(s, f, u);
  const double rotation[16] = {s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0,
                               s[2], u[2], -f[2], 0, 0,    0,    0,     1};
  // rotation x translation(-eye): the translation's column is the rotated
  // negative eye.
  fixedgl::MatrixD lookAt;
  for (int i = 0; i < 12; ++i)
    lookAt[i] = rotation[i];
  for (int row = 0; row < 3; ++row)
    lookAt[12 + row] =
        -(rotation[row] * eyeX + rotation[4 + row] * eyeY + rotation[8 + row] * eyeZ);
  lookAt[15] = 1;
  MultiplyCurrent(lookAt);
}
