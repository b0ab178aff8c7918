// The base of the scene tests: a current 640x480 rendering context with the
// viewport and render state the program sets up, but no textures or lights,
// so that texture names are 0 and nothing depends on the texture pictures.
#ifndef QUELLOR_TESTS_SCENE_TEST_H
#define QUELLOR_TESTS_SCENE_TEST_H

#include <windows.h>

#include <GL/gl.h>

#include <array>
#include <functional>
#include <vector>

#include "PlatformFixture.h"

class SceneTest : public PlatformTest {
protected:
  void SetUp() override;
};

void RenderFrames(int count);

// Key messages as the window procedure receives them.
void KeyDown(int virtualKey);
void KeyUp(int virtualKey);

using Matrix = std::array<GLfloat, 16>;

// The current projection or modelview matrix.
Matrix CurrentMatrix(GLenum which);

// The matrix that `build` makes from the identity on a scratch level of the
// projection stack, which is then popped again.
Matrix ScratchMatrix(const std::function<void()> &build);

// What a projection matrix shows, described as a camera: from `eye` towards
// `target` with the y axis up, `fovy` degrees of vertical field of view, the
// window's `aspect` across, and depth from `zNear` to `zFar`.
struct Camera {
  double eye[3];
  double target[3];
  double fovy, aspect, zNear, zFar;
};

// Checks, by projecting points, that `projection` (with an identity modelview)
// puts the target in the middle, the field's top and side edges and the near
// and far planes where the camera says.
::testing::AssertionResult ProjectionShows(const Matrix &projection, const Camera &camera);

// The scene's camera, from its fixed eye towards (targetX, 0, targetZ), in a
// window of the given aspect.
Camera SceneCamera(double aspect, double targetX, double targetZ);

// Element-wise comparison, relative to the size of the elements.
::testing::AssertionResult MatricesMatch(const Matrix &actual, const Matrix &expected);

struct Rgb {
  int r, g, b;
};
bool operator==(const Rgb &a, const Rgb &b);
std::ostream &operator<<(std::ostream &out, const Rgb &colour);

const Rgb kBlack = {0, 0, 0};
const Rgb kRed = {255, 0, 0};
const Rgb kGreen = {0, 255, 0};
const Rgb kBlue = {0, 0, 255};
const Rgb kWhite = {255, 255, 255};

// The drawing surface, RGB bottom row first, and one pixel of it.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
  Rgb At(int x, int y) const;
};
Frame ReadFrame();

// A texture of 2x2 texels with nearest filtering, texel (0, 0) first; returns
// its name.
GLuint MakeTexture(const std::array<Rgb, 4> &texels);

#endif
