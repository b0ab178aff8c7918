#include "FixedGlTest.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "Es2Surface.h"

void FixedGlTest::SetUp() {
  std::string error;
  ASSERT_TRUE(OpenEs2Surface(kSurfaceSize, kSurfaceSize, kBits8888, &error)) << error;
  // A new pbuffer holds whatever its memory held.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void FixedGlTest::TearDown() {
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "an error the test did not read";
  CloseEs2Surface();
}

std::ostream &operator<<(std::ostream &out, const Rgb &colour) {
  return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

Rgb PixelAt(int x, int y) {
  unsigned char pixel[4] = {};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  return {pixel[0], pixel[1], pixel[2]};
}

::testing::AssertionResult Near(const Rgb &actual, const Rgb &expected, int tolerance) {
  if (std::abs(actual.r - expected.r) <= tolerance &&
      std::abs(actual.g - expected.g) <= tolerance && std::abs(actual.b - expected.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << actual << " is not within " << tolerance << " of " << expected;
}

void DrawQuad(float x0, float y0, float x1, float y1, float z) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(x0, y0, z);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(x1, y0, z);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(x1, y1, z);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(x0, y1, z);
  glEnd();
}

int Channel(double value) { return static_cast<int>(std::lround(value * 255.0)); }

GLuint SolidTexture(unsigned char r, unsigned char g, unsigned char b) {
  const unsigned char texel[3] = {r, g, b};
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  return name;
}
