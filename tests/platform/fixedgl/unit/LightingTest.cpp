// Per-vertex lighting against values worked out by hand. A tiny quad around
// the eye-space origin fills a one-pixel viewport, so the pixel shows the
// lighting at (0, 0, 0) for the normal (0, 0, 1) unless a test says otherwise.
// The default material has ambient 0.2 and diffuse 0.8, and the scene's
// ambient light 0.2 adds 0.04 to every lit colour.
#include "FixedGlTest.h"

namespace {

const GLfloat kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};

class LightingTest : public FixedGlTest {
protected:
  void SetUp() override {
    FixedGlTest::SetUp();
    glViewport(0, 0, 1, 1);
  }
};

Rgb LitPixel(float halfSize = 0.01f) {
  DrawQuad(-halfSize, -halfSize, halfSize, halfSize, 0.0f);
  return PixelAt(0, 0);
}

Rgb Grey(double value) { return {Channel(value), Channel(value), Channel(value)}; }

TEST_F(LightingTest, DefaultLightsAndMaterial) {
  EXPECT_TRUE(Near(LitPixel(), Grey(1.0))) << "unlit: the current colour, white";
  glEnable(GL_LIGHTING);
  EXPECT_TRUE(Near(LitPixel(), Grey(0.04))) << "only the scene's ambient light";
  glEnable(GL_LIGHT1);
  EXPECT_TRUE(Near(LitPixel(), Grey(0.04))) << "lights 1 to 7 are black by default";
  glEnable(GL_LIGHT0);
  // Light 0: white diffuse from (0, 0, 1), straight onto the normal.
  EXPECT_TRUE(Near(LitPixel(), Grey(0.04 + 0.8)));
  glDisable(GL_LIGHTING);
  EXPECT_TRUE(Near(LitPixel(), Grey(1.0)));
}

TEST_F(LightingTest, PositionalLightIsAttenuatedAndFacesTheVertex) {
  const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat diffuse[4] = {1.0f, 0.5f, 0.25f, 1.0f};
  const GLfloat position[4] = {1.0f, 0.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, position);
  glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 2.0f);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
  // d = sqrt(2), N.L = cos 45 = 0.70711, attenuation 1/2:
  // 0.04 + 0.5 * (0.5 * 0.2 + 0.70711 * 0.8 * diffuse)
  //   = 0.09 + 0.28284 * (1, 0.5, 0.25)
  EXPECT_TRUE(Near(LitPixel(), {Channel(0.37284), Channel(0.23142), Channel(0.16071)}));

  // 1 / (1 + 0.5 d + 0.25 d^2) = 1 / 2.20711 = 0.45308:
  // 0.04 + 0.45308 * (0.1 + 0.56569 * diffuse)
  glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 1.0f);
  glLightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 0.5f);
  glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 0.25f);
  EXPECT_TRUE(Near(LitPixel(), {Channel(0.34161), Channel(0.21346), Channel(0.14939)}));

  // Behind the face only its attenuated ambient part is left: 0.04 + 0.5 * 0.1.
  const GLfloat behind[4] = {0.0f, 0.0f, -1.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, behind);
  glLightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 0.0f);
  glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 0.0f);
  glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 2.0f);
  EXPECT_TRUE(Near(LitPixel(), Grey(0.09)));
}

TEST_F(LightingTest, DirectionalLightIgnoresAttenuationAndDirectionLength) {
  const GLfloat direction[4] = {0.0f, 3.0f, 3.0f, 0.0f};
  glLightfv(GL_LIGHT2, GL_DIFFUSE, kWhite);
  glLightfv(GL_LIGHT2, GL_POSITION, direction);
  glLightf(GL_LIGHT2, GL_CONSTANT_ATTENUATION, 2.0f);
  glEnable(GL_LIGHT2);
  glEnable(GL_LIGHTING);
  // 0.04 + cos 45 * 0.8
  EXPECT_TRUE(Near(LitPixel(), Grey(0.04 + 0.70711 * 0.8)));
}

TEST_F(LightingTest, LightPositionTakesTheModelviewOfItsCall) {
  const GLfloat diffuse[4] = {1.0f, 0.5f, 0.25f, 1.0f};
  const GLfloat position[4] = {1.0f, 0.0f, 6.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  glTranslatef(0.0f, 0.0f, -5.0f);
  glLightfv(GL_LIGHT1, GL_POSITION, position);
  glLoadIdentity();
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
  // In eye space the light is at (1, 0, 1): 0.04 + 0.70711 * 0.8 * diffuse.
  EXPECT_TRUE(Near(LitPixel(), {Channel(0.60569), Channel(0.32284), Channel(0.18142)}));
}

TEST_F(LightingTest, NormalsFollowTheModelviewWithoutRenormalising) {
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  // Scaled by 2 the normal halves, and so does the diffuse term.
  glScalef(2.0f, 2.0f, 2.0f);
  EXPECT_TRUE(Near(LitPixel(0.005f), Grey(0.04 + 0.4)));
  // Scaled by 1/2 it doubles, and the colour is clamped.
  glLoadIdentity();
  glScalef(0.5f, 0.5f, 0.5f);
  EXPECT_TRUE(Near(LitPixel(0.02f), Grey(1.0)));
  // Turned 60 degrees away from the light: cos 60 * 0.8.
  glLoadIdentity();
  glRotatef(60.0f, 1.0f, 0.0f, 0.0f);
  EXPECT_TRUE(Near(LitPixel(), Grey(0.04 + 0.4)));
}

TEST_F(LightingTest, CurrentNormalOutlastsItsBeginEndPair) {
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 0.0f, -1.0f);
  glEnd();
  EXPECT_TRUE(Near(LitPixel(), Grey(0.04))) << "lit with the normal (0, 0, -1)";
}

} // namespace
