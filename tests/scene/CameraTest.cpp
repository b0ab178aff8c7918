// The camera: perspective and look-at on the projection matrix every frame,
// and the space key switching its target.
#include <gtest/gtest.h>

#include "AppState.h"
#include "SceneTest.h"

namespace {

const double kAspect = 640.0 / 480.0;

class CameraTest : public SceneTest {
protected:
  // Renders one frame and checks that it looked at (x, 0, z).
  void ExpectNextFrameLooksAt(double x, double z) {
    RenderFrames(1);
    EXPECT_TRUE(ProjectionShows(CurrentMatrix(GL_PROJECTION), SceneCamera(kAspect, x, z)));
  }

  // Renders one frame and checks that it looked at the wandering cube's
  // corner as it stood before the frame's step.
  void ExpectNextFrameFollowsTheCube() {
    ExpectNextFrameLooksAt(appState.wanderX, appState.wanderZ);
    EXPECT_EQ(appState.followCamera, 1);
  }
};

TEST_F(CameraTest, LooksAtTheFloorsCentreUntilSpaceIsPressed) {
  ExpectNextFrameLooksAt(50.0, 50.0);
  ExpectNextFrameLooksAt(50.0, 50.0);
  EXPECT_EQ(appState.followCamera, 0);
  // The modelview matrix holds only an object's own transform: after the
  // frame, the wall's.
  Matrix wall = ScratchMatrix([] {
    glTranslatef(90.0f, 0.0f, 10.0f);
    glScalef(5.0f, 20.0f, 50.0f);
  });
  EXPECT_TRUE(MatricesMatch(CurrentMatrix(GL_MODELVIEW), wall));
}

TEST_F(CameraTest, SpaceTogglesBetweenFollowingTheCubeAndTheFloorsCentre) {
  RenderFrames(10);
  KeyDown(kSpaceKey);
  ExpectNextFrameFollowsTheCube();
  EXPECT_EQ(appState.KeyState[kSpaceKey], 0) << "the frame consumes the key";
  ExpectNextFrameFollowsTheCube();
  ExpectNextFrameFollowsTheCube();

  KeyDown(kSpaceKey);
  ExpectNextFrameLooksAt(50.0, 50.0);
  EXPECT_EQ(appState.followCamera, 0);
}

TEST_F(CameraTest, SeveralKeyDownsBetweenTwoFramesToggleOnce) {
  KeyDown(kSpaceKey);
  KeyDown(kSpaceKey);
  KeyDown(kSpaceKey);
  ExpectNextFrameFollowsTheCube();
  ExpectNextFrameFollowsTheCube();
}

TEST_F(CameraTest, KeyUpBeforeTheFrameCancelsTheToggle) {
  KeyDown(kSpaceKey);
  KeyUp(kSpaceKey);
  ExpectNextFrameLooksAt(50.0, 50.0);
  EXPECT_EQ(appState.followCamera, 0);
}

} // namespace
