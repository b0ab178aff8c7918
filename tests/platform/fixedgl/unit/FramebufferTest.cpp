// Clearing, the depth test and reading pixels back. Quads take their colour
// from 1x1 textures, as there is no glColor.
#include "FixedGlTest.h"

#include <vector>

namespace {

using FramebufferTest = FixedGlTest;

TEST_F(FramebufferTest, DepthTestKeepsTheNearerOrEqualFragment) {
  const GLuint red = SolidTexture(255, 0, 0), green = SolidTexture(0, 255, 0);
  glEnable(GL_TEXTURE_2D);
  glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 0, 255}));

  glEnable(GL_DEPTH_TEST);
  auto drawAt = [](GLuint texture, float z) {
    glBindTexture(GL_TEXTURE_2D, texture);
    DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, z);
  };
  drawAt(red, 0.0f);
  drawAt(green, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), {255, 0, 0})) << "GL_LESS by default: equal depth fails";
  glDepthFunc(GL_LEQUAL);
  drawAt(green, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 255, 0}));
  drawAt(red, 0.5f);
  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 255, 0})) << "farther";

  // Cleared to depth 0.25, a quad at window depth 0.5 is hidden.
  glClearDepth(0.25);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawAt(red, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 0, 255}));
  glDisable(GL_DEPTH_TEST);
  drawAt(red, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), {255, 0, 0}));
}

TEST_F(FramebufferTest, ReadPixelsPadsRowsToThePackAlignment) {
  glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  // Three RGB pixels make 9 bytes a row; alignment 4 pads them to 12.
  const unsigned char kUntouched = 0xaa;
  std::vector<unsigned char> rows(24, kUntouched);
  glReadPixels(0, 0, 3, 2, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  EXPECT_EQ(rows[9], kUntouched);
  EXPECT_EQ(rows[12], 255);
  EXPECT_EQ(rows[13], 0);
  std::fill(rows.begin(), rows.end(), kUntouched);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 3, 2, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  EXPECT_EQ(rows[9], 255);
  EXPECT_EQ(rows[17], 0);
  EXPECT_EQ(rows[18], kUntouched);
}

} // namespace
