// The base render state, the viewport and the projection that follows the
// window's size.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <string>

#include "AppState.h"
#include "RenderState.h"
#include "SceneTest.h"

namespace {

class ViewportTest : public SceneTest {};

Matrix ResizeProjection(double aspect) {
  return ScratchMatrix([aspect] { gluPerspective(45.0, aspect, 0.1f, 100.0); });
}

void ExpectViewport(int x, int y, int width, int height) {
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], x);
  EXPECT_EQ(viewport[1], y);
  EXPECT_EQ(viewport[2], width);
  EXPECT_EQ(viewport[3], height);
}

TEST_F(ViewportTest, RenderStateIsTexturedSmoothDepthTestedAndUnlit) {
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "lighting comes with the scene's resources";
  EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

  GLint value = 0;
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_SMOOTH);
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LEQUAL);
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
  EXPECT_EQ(value, GL_NICEST);

  GLfloat clearColour[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
  EXPECT_EQ(clearColour[0], 0.0f);
  EXPECT_EQ(clearColour[1], 0.0f);
  EXPECT_EQ(clearColour[2], 0.0f);
  EXPECT_EQ(clearColour[3], 0.5f);
  GLfloat clearDepth = 0.0f;
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &clearDepth);
  EXPECT_EQ(clearDepth, 1.0f);
}

TEST_F(ViewportTest, ResizeSetsViewportAndProjectionAtOnceAndLeavesModelviewIdentity) {
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(3.0f, 4.0f, 5.0f);
  ResizeViewport(400, 100);

  EXPECT_EQ(appState.viewportWidth, 400);
  EXPECT_EQ(appState.viewportHeight, 100);
  ExpectViewport(0, 0, 400, 100);
  EXPECT_TRUE(MatricesMatch(CurrentMatrix(GL_PROJECTION), ResizeProjection(4.0)));
  EXPECT_TRUE(MatricesMatch(CurrentMatrix(GL_MODELVIEW), ScratchMatrix([] {})));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  // The next frame's projection follows the new aspect.
  RenderFrames(1);
  EXPECT_TRUE(MatricesMatch(CurrentMatrix(GL_PROJECTION), CameraProjection(4.0, 50.0, 50.0)));
}

// A height of zero counts as one; a width of zero is stored and gives aspect
// zero.
TEST_F(ViewportTest, ZeroSizesAreKeptApartFromTheProjectionsDivision) {
  const struct {
    int width, height, storedHeight;
    double aspect;
  } cases[] = {{320, 0, 1, 320.0}, {0, 480, 480, 0.0}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    ResizeViewport(c.width, c.height);
    EXPECT_EQ(appState.viewportWidth, c.width);
    EXPECT_EQ(appState.viewportHeight, c.storedHeight);
    ExpectViewport(0, 0, c.width, c.storedHeight);
    EXPECT_EQ(ViewportAspect(c.width, c.storedHeight), c.aspect);
    EXPECT_TRUE(MatricesMatch(CurrentMatrix(GL_PROJECTION), ResizeProjection(c.aspect)));
    RenderFrames(1);
    EXPECT_TRUE(
        MatricesMatch(CurrentMatrix(GL_PROJECTION), CameraProjection(c.aspect, 50.0, 50.0)));
  }
}

} // namespace
