#include "SceneTest.h"

#include <GL/glu.h>

#include <PlatformControl.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "AppState.h"
#include "RenderFrame.h"
#include "RenderState.h"
#include "SceneWindowProc.h"

void SceneTest::SetUp() {
  PlatformTest::SetUp();
  ASSERT_TRUE(MakeTestContext());
  ResizeViewport(640, 480);
  InitRenderState();
}

void RenderFrames(int count) {
  for (int i = 0; i < count; ++i)
    ASSERT_EQ(RenderFrame(), 1);
}

void KeyDown(int virtualKey) {
  SceneWindowProc(appState.windowHandle, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
}

void KeyUp(int virtualKey) {
  SceneWindowProc(appState.windowHandle, WM_KEYUP, static_cast<WPARAM>(virtualKey), 1);
}

Matrix CurrentMatrix(GLenum which) {
  Matrix matrix;
  glGetFloatv(which == GL_PROJECTION ? GL_PROJECTION_MATRIX : GL_MODELVIEW_MATRIX, matrix.data());
  return matrix;
}

Matrix ScratchMatrix(const std::function<void()> &build) {
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  build();
  Matrix matrix = CurrentMatrix(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(mode));
  return matrix;
}

Matrix CameraProjection(double aspect, double targetX, double targetZ) {
  return ScratchMatrix([&] {
    gluPerspective(45.0, aspect, 1.0, 1000.0);
    gluLookAt(50.0, 100.0, -60.0, targetX, 0.0, targetZ, 0.0, 1.0, 0.0);
  });
}

::testing::AssertionResult MatricesMatch(const Matrix &actual, const Matrix &expected) {
  for (int i = 0; i < 16; ++i) {
    const double scale = std::max(1.0, std::fabs(static_cast<double>(expected[i])));
    if (std::fabs(static_cast<double>(actual[i]) - expected[i]) > 1e-5 * scale)
      return ::testing::AssertionFailure()
             << "element " << i << " is " << actual[i] << ", expected " << expected[i];
  }
  return ::testing::AssertionSuccess();
}

bool operator==(const Rgb &a, const Rgb &b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::ostream &operator<<(std::ostream &out, const Rgb &colour) {
  return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

Rgb Frame::At(int x, int y) const {
  const size_t offset = (static_cast<size_t>(y) * width + x) * 3;
  return {pixels[offset], pixels[offset + 1], pixels[offset + 2]};
}

Frame ReadFrame() {
  Frame frame;
  frame.pixels = control::ReadFramePixels(&frame.width, &frame.height);
  return frame;
}

GLuint MakeTexture(const std::array<Rgb, 4> &texels) {
  unsigned char bytes[12];
  for (int i = 0; i < 4; ++i) {
    bytes[i * 3] = static_cast<unsigned char>(texels[i].r);
    bytes[i * 3 + 1] = static_cast<unsigned char>(texels[i].g);
    bytes[i * 3 + 2] = static_cast<unsigned char>(texels[i].b);
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glBindTexture(GL_TEXTURE_2D, 0);
  return name;
}
