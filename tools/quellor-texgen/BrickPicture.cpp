// Brickwork in running bond: ten courses of bricks half as long again as they
// are high, in mixed reds, with pale mortar. The wall's long face stretches the
// picture 2.5 times sideways and the pillar's faces squeeze it to a quarter,
// so the bricks are drawn short and few: they read as bricks on the wall and
// stay large enough not to shimmer from the camera's distance.
#include "TexturePictures.h"

#include "Bevel.h"
#include "Noise.h"

#include <cmath>

static const int kCourses = 10;
static const float kCourseHeight = static_cast<float>(kTexturePictureSize) / kCourses;
static const float kBrickLength = 1.5f * kCourseHeight;
static const float kBedJointHalf = 2.0f;
static const float kHeadJointHalf = 1.5f;

static const Rgb kBrickColours[] = {
    {196, 108, 80}, {180, 96, 72}, {206, 126, 90}, {168, 92, 74}, {190, 116, 92}, {176, 120, 98},
};
static const int kBrickColourCount = sizeof(kBrickColours) / sizeof(kBrickColours[0]);
static const Rgb kMortarColour = {204, 198, 186};

static Rgb BrickPixel(int px, int py) {
  float x = px + 0.5f;
  float y = py + 0.5f;
  const int size = kTexturePictureSize;

  int course = static_cast<int>(y / kCourseHeight);
  float inCourse = y - course * kCourseHeight;
  // Every other course is laid half a brick further along.
  float shifted = x + (course % 2 == 1 ? kBrickLength / 2.0f : 0.0f);
  int brick = static_cast<int>(std::floor(shifted / kBrickLength));
  float inBrick = shifted - brick * kBrickLength;
  unsigned int brickSeed = HashInts(brick, course, 3U);

  // Worn arrises: each brick's edges are nibbled by a little noise.
  float wear = 1.2f * PictureNoise(x, y, size, 64, 2, 5U + brickSeed % 7U);
  float toTop = inCourse - kBedJointHalf - wear;
  float toBottom = kCourseHeight - inCourse - kBedJointHalf - wear;
  float toLeft = inBrick - kHeadJointHalf - wear;
  float toRight = kBrickLength - inBrick - kHeadJointHalf - wear;

  float sand = PictureNoise(x, y, size, 128, 2, 9U);
  // Mortar just under a brick lies in that brick's shadow.
  float underBrick = inCourse < kBedJointHalf + 1.5f ? 0.84f : 1.0f;
  Rgb mortar = ScaleRgb(kMortarColour, (0.88f + 0.2f * sand) * underBrick);

  Rgb base = kBrickColours[brickSeed % kBrickColourCount];
  float tint = 0.92f + 0.16f * HashUnit(brick, course, 13U);
  float clay = PictureNoise(x, y, size, 32, 3, 17U);
  float burn = PictureNoise(x, y, size, 6, 2, 19U);
  float tone = tint * (0.9f + 0.2f * clay) * (0.94f + 0.12f * burn);
  float speck = HashUnit(px, py, 23U);
  if (speck > 0.97f)
    tone *= 0.82f;
  float shade = BevelShade(std::fmax(0.0f, std::fmin(toTop, toLeft)),
                           std::fmax(0.0f, std::fmin(toBottom, toRight)), 2.5f);
  Rgb brickColour = ScaleRgb(base, tone * shade);

  // Blend across the brick's outline so the joints keep an even width at any
  // brick size.
  float inside = std::fmin(std::fmin(toTop, toBottom), std::fmin(toLeft, toRight));
  return MixRgb(mortar, brickColour, SmoothStep(-0.6f, 0.6f, inside));
}

Picture DrawBrickPicture() {
  return DrawPicture(kTexturePictureSize, kTexturePictureSize, BrickPixel);
}
