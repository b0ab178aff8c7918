// What one frame draws: the five objects in order, each under its own
// transform and with its own texture.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cmath>
#include <string>
#include <vector>

#include "AppState.h"
#include "RenderFrame.h"
#include "SceneTest.h"

namespace {

struct WindowPoint {
  double x, y, z;
};

class FrameContentTest : public SceneTest {
protected:
  // Where a world point lands in the window under the last frame's camera
  // (the camera itself is checked by the camera tests).
  WindowPoint Project(double x, double y, double z) {
    const Matrix camera = CurrentMatrix(GL_PROJECTION);
    GLdouble projection[16];
    GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i)
      projection[i] = camera[i];
    const GLint viewport[4] = {0, 0, 640, 480};
    WindowPoint point;
    gluProject(x, y, z, identity, projection, viewport, &point.x, &point.y, &point.z);
    return point;
  }
};

using Polygon = std::vector<WindowPoint>;

// Renders the next frame in feedback mode and returns the polygons it drew,
// in window coordinates.
std::vector<Polygon> FrameInFeedbackMode() {
  std::vector<GLfloat> buffer(8192);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  RenderFrame();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<Polygon> polygons;
  for (GLint i = 0; i < used;) {
    const GLfloat token = buffer[i++];
    EXPECT_EQ(token, GL_POLYGON_TOKEN) << "only polygons are drawn";
    if (token != GL_POLYGON_TOKEN)
      break;
    const int count = static_cast<int>(buffer[i++]);
    Polygon polygon;
    for (int v = 0; v < count; ++v, i += 3)
      polygon.push_back({buffer[i], buffer[i + 1], buffer[i + 2]});
    polygons.push_back(polygon);
  }
  return polygons;
}

// The eight corners of the unit cube under translate, rotate about y, scale.
std::vector<std::array<double, 3>> CubeCorners(double x, double z, double angle, double sx,
                                               double sy, double sz) {
  const double radians = angle * std::acos(-1.0) / 180.0;
  std::vector<std::array<double, 3>> corners;
  for (int i = 0; i < 8; ++i) {
    const double cx = (i & 1) * sx, cy = (i >> 1 & 1) * sy, cz = (i >> 2 & 1) * sz;
    corners.push_back({x + cx * std::cos(radians) + cz * std::sin(radians), cy,
                       z - cx * std::sin(radians) + cz * std::cos(radians)});
  }
  return corners;
}

bool Near(const WindowPoint &a, const WindowPoint &b) {
  return std::fabs(a.x - b.x) < 0.02 && std::fabs(a.y - b.y) < 0.02 && std::fabs(a.z - b.z) < 1e-4;
}

// Every vertex the object drew is one of the expected corners, and every
// corner was drawn.
::testing::AssertionResult DrawsExactly(const std::vector<Polygon> &polygons,
                                        const std::vector<WindowPoint> &corners) {
  std::vector<bool> seen(corners.size(), false);
  for (const Polygon &polygon : polygons) {
    for (const WindowPoint &vertex : polygon) {
      bool matched = false;
      for (size_t c = 0; c < corners.size(); ++c) {
        if (Near(vertex, corners[c]))
          matched = seen[c] = true;
      }
      if (!matched)
        return ::testing::AssertionFailure()
               << "vertex at (" << vertex.x << ", " << vertex.y << ") is no expected corner";
    }
  }
  for (size_t c = 0; c < corners.size(); ++c) {
    if (!seen[c])
      return ::testing::AssertionFailure()
             << "corner at (" << corners[c].x << ", " << corners[c].y << ") was not drawn";
  }
  return ::testing::AssertionSuccess();
}

TEST_F(FrameContentTest, DrawsFloorCubesPillarAndWallInOrderUnderTheirTransforms) {
  std::vector<Polygon> polygons = FrameInFeedbackMode();
  // The floor and 4 cubes of 6 faces, as polygons or split into triangles.
  ASSERT_TRUE(polygons.size() == 25 || polygons.size() == 50) << polygons.size();
  const size_t floorPolygons = polygons.size() / 25;
  const size_t cubePolygons = floorPolygons * 6;

  auto first = polygons.begin() + floorPolygons;
  std::vector<WindowPoint> floor = {Project(0, 0, 0), Project(0, 0, 100), Project(100, 0, 100),
                                    Project(100, 0, 0)};
  struct Object {
    const char *name;
    std::vector<std::array<double, 3>> corners;
  };
  // After the first frame's step: the wandering cube at (20.1, 20.1) turned
  // by 0.8 degrees, the shuttle cube at x 89.9 turned by 0.2.
  const Object cubes[] = {
      {"wandering cube", CubeCorners(20.1, 20.1, 0.8, 10, 10, 10)},
      {"shuttle cube", CubeCorners(89.9, 90, 0.2, 5, 5, 5)},
      {"pillar", CubeCorners(10, 90, 0, 5, 20, 5)},
      {"wall", CubeCorners(90, 10, 0, 5, 20, 50)},
  };

  EXPECT_TRUE(DrawsExactly(std::vector<Polygon>(polygons.begin(), first), floor)) << "floor";
  for (const Object &cube : cubes) {
    std::vector<WindowPoint> corners;
    for (const auto &corner : cube.corners)
      corners.push_back(Project(corner[0], corner[1], corner[2]));
    EXPECT_TRUE(DrawsExactly(std::vector<Polygon>(first, first + cubePolygons), corners))
        << cube.name;
    first += cubePolygons;
  }
}

TEST_F(FrameContentTest, EachObjectShowsItsOwnTexture) {
  appState.floorTexture = MakeTexture({kRed, kRed, kRed, kRed});
  appState.cubeTexture = MakeTexture({kGreen, kGreen, kGreen, kGreen});
  appState.blockTexture = MakeTexture({kBlue, kBlue, kBlue, kBlue});
  RenderFrames(1);
  Frame frame = ReadFrame();

  struct Sample {
    const char *name;
    double x, y, z;
    Rgb colour;
  };
  // Points that nothing else hides from the camera: open floor and the
  // middle of each object's top face.
  const Sample samples[] = {
      {"floor", 50, 0, 70, kRed},
      {"wandering cube", 25.1, 10, 25.1, kGreen},
      {"shuttle cube", 92.4, 5, 92.5, kGreen},
      {"pillar", 12.5, 20, 92.5, kBlue},
      {"wall", 92.5, 20, 35, kBlue},
  };
  for (const Sample &sample : samples) {
    WindowPoint point = Project(sample.x, sample.y, sample.z);
    EXPECT_EQ(frame.At(static_cast<int>(point.x), static_cast<int>(point.y)), sample.colour)
        << sample.name;
  }
}

} // namespace
