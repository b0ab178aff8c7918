// The pictures themselves: the floor repeats without a seam, every picture is
// bright enough for the coloured lights to modulate, and the noise they are
// made from wraps with the picture.
#include "Noise.h"
#include "TexturePictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

// Mean absolute channel difference between two columns (or two rows when
// `rows` is set) of a picture.
double LineDifference(const Picture &picture, int a, int b, bool rows) {
  double sum = 0.0;
  for (int i = 0; i < picture.width; ++i) {
    int ax = rows ? i : a, ay = rows ? a : i;
    int bx = rows ? i : b, by = rows ? b : i;
    for (int c = 0; c < 3; ++c)
      sum += std::abs(picture.pixels[(ay * picture.width + ax) * 3 + c] -
                      picture.pixels[(by * picture.width + bx) * 3 + c]);
  }
  return sum / (picture.width * 3);
}

// How much more the last and first lines differ than neighbouring lines do on
// average: at most 1 for a picture that repeats without a visible seam.
double SeamRatio(const Picture &picture, bool rows) {
  double interior = 0.0;
  for (int i = 0; i + 1 < picture.width; ++i)
    interior += LineDifference(picture, i, i + 1, rows);
  interior /= picture.width - 1;
  return LineDifference(picture, picture.width - 1, 0, rows) / interior;
}

TEST(Pictures, FloorRepeatsWithoutSeam) {
  Picture floor = DrawFloorPicture();
  EXPECT_LE(SeamRatio(floor, false), 1.0) << "left and right edges do not meet";
  EXPECT_LE(SeamRatio(floor, true), 1.0) << "top and bottom edges do not meet";
  // The measure does see a seam where there is one: the crate's edges are a
  // lit and a shaded board end.
  Picture crate = DrawCratePicture();
  EXPECT_GT(SeamRatio(crate, false), 3.0);
  EXPECT_GT(SeamRatio(crate, true), 3.0);
}

TEST(Pictures, BrightAndMidContrastForModulatedLighting) {
  const char *names[] = {"crate", "floor", "bricks"};
  const Picture pictures[] = {DrawCratePicture(), DrawFloorPicture(), DrawBrickPicture()};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    const Picture &picture = pictures[i];
    double sum = 0.0, squares = 0.0;
    int count = picture.width * picture.height;
    for (int p = 0; p < count; ++p) {
      const unsigned char *rgb = &picture.pixels[p * 3];
      double luma = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2];
      sum += luma;
      squares += luma * luma;
    }
    double mean = sum / count;
    double spread = std::sqrt(squares / count - mean * mean);
    EXPECT_GE(mean, 120.0);
    EXPECT_LE(mean, 210.0);
    EXPECT_GE(spread, 15.0);
    EXPECT_LE(spread, 60.0);
  }
}

TEST(Pictures, EachTextureIsItsOwnPicture) {
  Picture crate = DrawCratePicture();
  Picture floor = DrawFloorPicture();
  Picture bricks = DrawBrickPicture();
  EXPECT_NE(crate.pixels, floor.pixels);
  EXPECT_NE(crate.pixels, bricks.pixels);
  EXPECT_NE(floor.pixels, bricks.pixels);
}

TEST(Noise, WrapsWithThePictureAndStaysInRange) {
  const float points[][2] = {{0.0f, 0.0f}, {3.5f, 250.25f}, {128.0f, 17.75f}, {255.9f, 255.9f}};
  for (const auto &point : points) {
    float x = point[0], y = point[1];
    float value = PictureNoise(x, y, 256, 8, 4, 99U);
    EXPECT_GE(value, 0.0f);
    EXPECT_LT(value, 1.0f);
    EXPECT_NEAR(PictureNoise(x + 256.0f, y, 256, 8, 4, 99U), value, 1e-5f) << x << "," << y;
    EXPECT_NEAR(PictureNoise(x, y - 256.0f, 256, 8, 4, 99U), value, 1e-5f) << x << "," << y;
    EXPECT_NEAR(PictureNoise(x - 512.0f, y + 768.0f, 256, 8, 4, 99U), value, 1e-5f);
  }
  // Approaching the right and bottom borders, the noise runs into its values
  // at the left and top ones.
  for (float across : {0.0f, 77.3f, 200.5f}) {
    EXPECT_NEAR(PictureNoise(255.999f, across, 256, 8, 4, 99U),
                PictureNoise(0.0f, across, 256, 8, 4, 99U), 1e-3f);
    EXPECT_NEAR(PictureNoise(across, 255.999f, 256, 8, 4, 99U),
                PictureNoise(across, 0.0f, 256, 8, 4, 99U), 1e-3f);
  }
  // Different seeds give different noise.
  EXPECT_NE(PictureNoise(10.5f, 20.5f, 256, 8, 1, 1U), PictureNoise(10.5f, 20.5f, 256, 8, 1, 2U));
}

} // namespace
