#include "SceneTest.h"

#include <GL/glu.h>

#include <PlatformControl.h>
#include <headless/FrameReadBack.h>

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

namespace {

using Vec3 = std::array<double, 3>;

Vec3 Along(const Vec3 &from, const Vec3 &to) {
  return {to[0] - from[0], to[1] - from[1], to[2] - from[2]};
}
Vec3 Cross(const Vec3 &a, const Vec3 &b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Length(const Vec3 &v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
Vec3 Unit(const Vec3 &v) { return {v[0] / Length(v), v[1] / Length(v), v[2] / Length(v)}; }
// eye + a*f + b*u + c*r
Vec3 Offset(const Vec3 &eye, double a, const Vec3 &f, double b, const Vec3 &u, double c,
            const Vec3 &r) {
  Vec3 point;
  for (int i = 0; i < 3; ++i)
    point[i] = eye[i] + a * f[i] + b * u[i] + c * r[i];
  return point;
}

// Normalised device coordinates of a world point.
Vec3 DeviceCoordinates(const Matrix &m, const Vec3 &p) {
  double clip[4];
  for (int row = 0; row < 4; ++row)
    clip[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
  return {clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]};
}

} // namespace

::testing::AssertionResult ProjectionShows(const Matrix &projection, const Camera &camera) {
  const Vec3 eye = {camera.eye[0], camera.eye[1], camera.eye[2]};
  const Vec3 target = {camera.target[0], camera.target[1], camera.target[2]};
  const Vec3 forward = Unit(Along(eye, target));
  const Vec3 right = Unit(Cross(forward, {0.0, 1.0, 0.0}));
  const Vec3 up = Cross(right, forward);
  const double distance = Length(Along(eye, target));
  const double halfHeight = distance * std::tan(camera.fovy * M_PI / 360.0);
  struct Probe {
    const char *what;
    Vec3 point;
    Vec3 expected; // in device coordinates; NAN where any value will do
  };
  const double any = NAN;
  const Probe probes[] = {
      {"the target", target, {0.0, 0.0, any}},
      {"the top edge", Offset(eye, distance, forward, halfHeight, up, 0.0, right), {0.0, 1.0, any}},
      {"the right edge",
       Offset(eye, distance, forward, 0.0, up, halfHeight * camera.aspect, right),
       {1.0, 0.0, any}},
      {"the near plane", Offset(eye, camera.zNear, forward, 0.0, up, 0.0, right), {0.0, 0.0, -1.0}},
      {"the far plane", Offset(eye, camera.zFar, forward, 0.0, up, 0.0, right), {0.0, 0.0, 1.0}},
  };
  for (const Probe &probe : probes) {
    const Vec3 device = DeviceCoordinates(projection, probe.point);
    for (int i = 0; i < 3; ++i)
      if (!std::isnan(probe.expected[i]) && !(std::fabs(device[i] - probe.expected[i]) < 1e-3))
        return ::testing::AssertionFailure()
               << probe.what << " lands at (" << device[0] << ", " << device[1] << ", " << device[2]
               << "), coordinate " << i << " should be " << probe.expected[i];
  }
  return ::testing::AssertionSuccess();
}

Camera SceneCamera(double aspect, double targetX, double targetZ) {
  return {{50.0, 100.0, -60.0}, {targetX, 0.0, targetZ}, 45.0, aspect, 1.0, 1000.0};
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
