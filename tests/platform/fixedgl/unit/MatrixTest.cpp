// The matrix calls and GLU's perspective and look-at matrices, read back with
// glGetFloatv and compared with matrices worked out by hand (column after
// column), and one drawing that shows where a projected point lands.
#include "FixedGlTest.h"

#include <GL/glu.h>

#include <array>
#include <cmath>

namespace {

using Matrix = std::array<GLfloat, 16>;

const float kHalfRoot2 = 0.70710678f;

Matrix Current(GLenum which) {
  Matrix matrix;
  glGetFloatv(which, matrix.data());
  return matrix;
}

::testing::AssertionResult Matches(const Matrix &actual, const Matrix &expected) {
  for (int i = 0; i < 16; ++i) {
    if (std::fabs(actual[i] - expected[i]) > 1e-5f * std::fmax(1.0f, std::fabs(expected[i])))
      return ::testing::AssertionFailure()
             << "element " << i << " is " << actual[i] << ", expected " << expected[i];
  }
  return ::testing::AssertionSuccess();
}

const Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

using MatrixTest = FixedGlTest;

TEST_F(MatrixTest, TransformsComposeOnTheRightOfTheCurrentMatrix) {
  glTranslatef(1.0f, 2.0f, 3.0f);
  glRotatef(90.0f, 0.0f, 0.0f, 5.0f);
  glScalef(2.0f, 3.0f, 4.0f);
  // T R S: x turns to y, y to -x, scaled by 2, 3 and 4, then moved.
  EXPECT_TRUE(
      Matches(Current(GL_MODELVIEW_MATRIX), {0, 2, 0, 0, -3, 0, 0, 0, 0, 0, 4, 0, 1, 2, 3, 1}));
  EXPECT_TRUE(Matches(Current(GL_PROJECTION_MATRIX), kIdentity));

  glMatrixMode(GL_TEXTURE);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_TEXTURE);
  glScalef(2.0f, 2.0f, 1.0f);
  EXPECT_TRUE(
      Matches(Current(GL_TEXTURE_MATRIX), {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  glLoadIdentity();
  EXPECT_TRUE(Matches(Current(GL_TEXTURE_MATRIX), kIdentity));
  EXPECT_FALSE(Matches(Current(GL_MODELVIEW_MATRIX), kIdentity));
}

TEST_F(MatrixTest, PerspectiveMultipliesTheCurrentMatrix) {
  glMatrixMode(GL_PROJECTION);
  glScalef(1.0f, 1.0f, 2.0f);
  // fovy 90: f = 1; (far + near) / (near - far) = -2, 2 far near / (near - far)
  // = -3; the scale doubles the third row.
  gluPerspective(90.0, 2.0, 1.0, 3.0);
  EXPECT_TRUE(Matches(Current(GL_PROJECTION_MATRIX),
                      {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -4, -1, 0, 0, -6, 0}));

  // The scene's: f = cot 22.5 = 2.4142136, aspect 4/3, near 1, far 1000.
  glLoadIdentity();
  gluPerspective(45.0, 640.0 / 480.0, 1.0, 1000.0);
  EXPECT_TRUE(
      Matches(Current(GL_PROJECTION_MATRIX), {1.8106602f, 0, 0, 0, 0, 2.4142136f, 0, 0, 0, 0,
                                              -1001.0f / 999.0f, -1, 0, 0, -2000.0f / 999.0f, 0}));
}

TEST_F(MatrixTest, LookAtTurnsTheLineOfSightOntoMinusZ) {
  glTranslatef(1.0f, 0.0f, 0.0f);
  // From (0, 2, 2) down to (0, 1, 1), up (0, 1, 0), which is not at right
  // angles to the line of sight. Rows: s = (1, 0, 0), u = (0, r, -r),
  // -f = (0, r, r) with r = 1/sqrt(2); the eye moves to the origin:
  // -(s.eye, u.eye, -f.eye) = (0, 0, -2 sqrt(2)); then the translation.
  gluLookAt(0.0, 2.0, 2.0, 0.0, 1.0, 1.0, 0.0, 1.0, 0.0);
  EXPECT_TRUE(Matches(Current(GL_MODELVIEW_MATRIX),
                      {1, 0, 0, 0, 0, kHalfRoot2, kHalfRoot2, 0, 0, -kHalfRoot2, kHalfRoot2, 0, 1,
                       0, -4 * kHalfRoot2, 1}));
}

TEST_F(MatrixTest, ProjectedPointLandsWhereTheMatricesSay) {
  glMatrixMode(GL_PROJECTION);
  gluPerspective(90.0, 1.0, 1.0, 3.0);
  glMatrixMode(GL_MODELVIEW);
  gluLookAt(0.0, 0.0, 2.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  // x from 0.5 to 1 and y from -0.5 to 0.5, two units in front of the eye:
  // x/w from 0.25 to 0.5, so pixels 40 to 48 of 64; y pixels 24 to 40.
  DrawQuad(0.5f, -0.5f, 1.0f, 0.5f, 0.0f);
  const Rgb white = {255, 255, 255}, black = {0, 0, 0};
  EXPECT_TRUE(Near(PixelAt(41, 32), white));
  EXPECT_TRUE(Near(PixelAt(47, 25), white));
  EXPECT_TRUE(Near(PixelAt(38, 32), black));
  EXPECT_TRUE(Near(PixelAt(49, 32), black));
  EXPECT_TRUE(Near(PixelAt(44, 41), black));
}

} // namespace
