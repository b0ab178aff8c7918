// The base render state, the viewport and the projection that follows the
// window's size, checked by what they draw and where they put things.
#include <gtest/gtest.h>

#include "AppState.h"
#include "RenderFrame.h"
#include "RenderState.h"
#include "SceneTest.h"

namespace {

class ViewportTest : public SceneTest {};

// A square of the given colour at depth z in front of the unmoved eye,
// covering the middle of the window.
void Square(const Rgb &colour, float z, GLuint texture = 0) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glColor3ub(static_cast<GLubyte>(colour.r), static_cast<GLubyte>(colour.g),
             static_cast<GLubyte>(colour.b));
  const float half = 0.2f * -z;
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-half, -half, z);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(half, -half, z);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(half, half, z);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-half, half, z);
  glEnd();
}

TEST_F(ViewportTest, RenderStateClearsBlackTestsDepthTexturesAndShadesWithoutLight) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  EXPECT_EQ(ReadFrame().At(320, 240), kBlack) << "cleared to black";

  // Unlit: a vertex colour is drawn as it is. Depth tested: a farther square
  // drawn later stays hidden, one at the same depth replaces it.
  Square(kRed, -1.0f);
  EXPECT_EQ(ReadFrame().At(320, 240), kRed);
  Square(kGreen, -2.0f);
  EXPECT_EQ(ReadFrame().At(320, 240), kRed) << "a farther square shows through";
  Square(kBlue, -1.0f);
  EXPECT_EQ(ReadFrame().At(320, 240), kBlue) << "equal depth must pass";

  // Textured without being asked: a bound texture colours the square.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const GLuint texture = MakeTexture({kGreen, kGreen, kGreen, kGreen});
  Square(kWhite, -1.0f, texture);
  EXPECT_EQ(ReadFrame().At(320, 240), kGreen);
  glDeleteTextures(1, &texture);

  // Smooth: colours blend across a face from vertex to vertex.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  glColor3ub(255, 0, 0);
  glVertex3f(-0.3f, -0.3f, -1.0f);
  glColor3ub(0, 0, 255);
  glVertex3f(0.3f, -0.3f, -1.0f);
  glVertex3f(0.3f, 0.3f, -1.0f);
  glColor3ub(255, 0, 0);
  glVertex3f(-0.3f, 0.3f, -1.0f);
  glEnd();
  const Rgb middle = ReadFrame().At(320, 240);
  EXPECT_TRUE(middle.r > 80 && middle.r < 176 && middle.b > 80 && middle.b < 176) << middle;
}

TEST_F(ViewportTest, ResizeFitsThePictureToTheWindowAtOnceAndForEveryFrame) {
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(3.0f, 4.0f, 5.0f);
  ResizeViewport(400, 100);

  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 400);
  EXPECT_EQ(viewport[3], 100);
  // Before the next frame, whatever is drawn sees the window's shape from
  // the origin, with nothing left on the modelview matrix.
  EXPECT_TRUE(ProjectionShows(CurrentMatrix(GL_PROJECTION),
                              {{0, 0, 0}, {0, 0, -1}, 45.0, 4.0, 0.1, 100.0}));
  EXPECT_TRUE(MatricesMatch(CurrentMatrix(GL_MODELVIEW), ScratchMatrix([] {})));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  RenderFrames(1);
  EXPECT_TRUE(ProjectionShows(CurrentMatrix(GL_PROJECTION), SceneCamera(4.0, 50.0, 50.0)));
}

TEST_F(ViewportTest, ADegenerateWindowDrawsAndTheNextSizeIsHonoured) {
  // A window of no height is drawn as one row high, with finite matrices.
  ResizeViewport(320, 0);
  RenderFrames(1);
  EXPECT_TRUE(ProjectionShows(CurrentMatrix(GL_PROJECTION), SceneCamera(320.0, 50.0, 50.0)));

  // One of no width draws nothing visible but does not stop the program.
  ResizeViewport(0, 480);
  RenderFrames(1);

  ResizeViewport(640, 480);
  RenderFrames(1);
  EXPECT_TRUE(
      ProjectionShows(CurrentMatrix(GL_PROJECTION), SceneCamera(640.0 / 480.0, 50.0, 50.0)));
  EXPECT_FALSE(ReadFrame().At(320, 240) == kBlack) << "the scene is drawn again";
}

} // namespace
