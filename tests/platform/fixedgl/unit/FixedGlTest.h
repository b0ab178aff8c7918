// The base of the library's unit tests: a fresh, cleared 64x64 surface with 8
// bits a channel and the library's default state, and helpers that draw and read
// back through the library's own OpenGL 1.1 calls.
#ifndef QUELLOR_TESTS_FIXEDGL_FIXED_GL_TEST_H
#define QUELLOR_TESTS_FIXEDGL_FIXED_GL_TEST_H

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <ostream>

class FixedGlTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};

const int kSurfaceSize = 64;

struct Rgb {
  int r, g, b;
};
std::ostream &operator<<(std::ostream &out, const Rgb &colour);

// The pixel at (x, y), counted from the bottom left.
Rgb PixelAt(int x, int y);

// Each channel within `tolerance` of the expected one.
::testing::AssertionResult Near(const Rgb &actual, const Rgb &expected, int tolerance = 1);

// A quad from (x0, y0) to (x1, y1) at depth z, facing +z and wound
// counter-clockwise, texture coordinates 0 to 1 across it.
void DrawQuad(float x0, float y0, float x1, float y1, float z);

// A bound 1x1 texture of one colour, drawn unfiltered: quads take their
// colour from it, as there is no glColor.
GLuint SolidTexture(unsigned char r, unsigned char g, unsigned char b);

// A colour from 0 to 1 as the 8-bit channel value it is stored as.
int Channel(double value);

#endif
