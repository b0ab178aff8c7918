// The floor and the cube, checked by rendering them under simple views.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <string>

#include "Geometry.h"
#include "SceneTest.h"

namespace {

struct CubeFace {
  const char *name;
  GLdouble normal[3];
  // The screen's up direction under which the face, seen from outside,
  // shows its texture upright and unmirrored.
  GLdouble up[3];
};

const CubeFace kFaces[] = {
    {"z = 1", {0, 0, 1}, {0, 1, 0}},  {"z = 0", {0, 0, -1}, {0, 1, 0}},
    {"y = 1", {0, 1, 0}, {0, 0, -1}}, {"y = 0", {0, -1, 0}, {0, 0, -1}},
    {"x = 1", {1, 0, 0}, {0, 1, 0}},  {"x = 0", {-1, 0, 0}, {0, 1, 0}},
};

// Texel (0, 0) red, (1, 0) green, (0, 1) blue, (1, 1) white.
const std::array<Rgb, 4> kQuadrants = {kRed, kGreen, kBlue, kWhite};

class GeometryTest : public SceneTest {
protected:
  // An orthographic view along -normal onto the unit cube's centre, 2 units
  // wide and high, so the cube spans pixels 160 to 479 and 120 to 359.
  void LookAtCubeFrom(const GLdouble normal[3], const GLdouble up[3]) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, 0.5, 10.0);
    gluLookAt(0.5 + 3 * normal[0], 0.5 + 3 * normal[1], 0.5 + 3 * normal[2], 0.5, 0.5, 0.5, up[0],
              up[1], up[2]);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // The cube drawn as seen from outside the face.
  Frame CubeSeenFrom(const CubeFace &face) {
    LookAtCubeFrom(face.normal, face.up);
    DrawCube();
    return ReadFrame();
  }
};

TEST_F(GeometryTest, CubeCoversExactlyTheUnitCube) {
  glDisable(GL_TEXTURE_2D);
  for (const CubeFace &face : kFaces) {
    SCOPED_TRACE(face.name);
    Frame frame = CubeSeenFrom(face);
    int covered = 0;
    int minX = frame.width, maxX = -1, minY = frame.height, maxY = -1;
    for (int y = 0; y < frame.height; ++y) {
      for (int x = 0; x < frame.width; ++x) {
        if (frame.At(x, y) == kBlack)
          continue;
        ++covered;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
    }
    EXPECT_EQ(covered, 320 * 240);
    EXPECT_EQ(minX, 160);
    EXPECT_EQ(maxX, 479);
    EXPECT_EQ(minY, 120);
    EXPECT_EQ(maxY, 359);
  }
}

TEST_F(GeometryTest, EachFaceShowsTheTextureUprightAndFacesOutwards) {
  glBindTexture(GL_TEXTURE_2D, MakeTexture(kQuadrants));
  // Only faces wound counter-clockwise on screen are drawn.
  glEnable(GL_CULL_FACE);
  for (const CubeFace &face : kFaces) {
    SCOPED_TRACE(face.name);
    Frame frame = CubeSeenFrom(face);
    EXPECT_EQ(frame.At(240, 180), kRed) << "bottom left";
    EXPECT_EQ(frame.At(400, 180), kGreen) << "bottom right";
    EXPECT_EQ(frame.At(240, 300), kBlue) << "top left";
    EXPECT_EQ(frame.At(400, 300), kWhite) << "top right";
  }
}

TEST_F(GeometryTest, EachFaceCarriesItsOutwardNormal) {
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  for (const CubeFace &face : kFaces) {
    SCOPED_TRACE(face.name);
    for (int sign : {1, -1}) {
      LookAtCubeFrom(face.normal, face.up);
      // A white directional light shining along -normal (sign 1) lights the
      // face fully: 0.8 diffuse plus 0.04 ambient. From behind only the
      // ambient part is left.
      const GLfloat towardsLight[4] = {sign * static_cast<GLfloat>(face.normal[0]),
                                       sign * static_cast<GLfloat>(face.normal[1]),
                                       sign * static_cast<GLfloat>(face.normal[2]), 0.0f};
      glLightfv(GL_LIGHT0, GL_POSITION, towardsLight);
      DrawCube();
      Rgb centre = ReadFrame().At(320, 240);
      if (sign == 1) {
        EXPECT_NEAR(centre.g, 214, 5) << "lit from outside";
      } else {
        EXPECT_LT(centre.g, 20) << "lit from inside";
      }
    }
  }
}

TEST_F(GeometryTest, FloorRepeatsTheTextureFiveTimesEachWay) {
  glBindTexture(GL_TEXTURE_2D, MakeTexture(kQuadrants));
  glEnable(GL_CULL_FACE);
  // From above, x to the right and z downwards: one world unit is 6.4 pixels
  // across and 4.8 down.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-50.0, 50.0, -50.0, 50.0, 1.0, 100.0);
  gluLookAt(50.0, 50.0, 50.0, 50.0, 0.0, 50.0, 0.0, 0.0, -1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawFloor();
  Frame frame = ReadFrame();

  // s runs from 0 at x = 0 to 5 at x = 100; t from 5 at z = 0 to 0 at z = 100.
  // Sample the middle of every quarter of every repetition.
  for (int x = 5; x < 100; x += 10) {
    for (int z = 5; z < 100; z += 10) {
      const bool highS = x % 20 >= 10;
      const bool highT = (100 - z) % 20 >= 10;
      const Rgb expected = highS ? (highT ? kWhite : kGreen) : (highT ? kBlue : kRed);
      EXPECT_EQ(frame.At(x * 64 / 10, (100 - z) * 48 / 10), expected)
          << "at x " << x << ", z " << z;
    }
  }
}

} // namespace
