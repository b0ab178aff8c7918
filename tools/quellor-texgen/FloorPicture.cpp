// Stone flags of a few sizes on a 4 x 4 grid, set in grout. Everything that
// reaches a border of the picture continues across it: the grout lines lie on
// the borders, half on each side, and every noise lattice wraps, so the
// picture repeats on the floor without a visible seam.
#include "TexturePictures.h"

#include "Bevel.h"
#include "Noise.h"

#include <cmath>

static const int kGridCells = 8;
static const float kCellSize = static_cast<float>(kTexturePictureSize) / kGridCells;
static const float kGroutHalfWidth = 2.5f;
static const float kJointWobble = 1.6f;

// Which flag covers each grid cell, row by row from the top: the cells of one
// flag form a rectangle, and flags 1, 2 and 6 continue across the picture's
// borders, so that no joint runs straight through the whole paving.
static const int kFlagOfCell[kGridCells][kGridCells] = {
    {0, 0, 1, 1, 1, 2, 2, 2}, {0, 0, 3, 3, 4, 4, 5, 5}, {0, 0, 3, 3, 4, 4, 5, 5},
    {6, 7, 7, 7, 4, 4, 6, 6}, {6, 7, 7, 7, 8, 8, 6, 6}, {9, 9, 10, 10, 8, 8, 11, 11},
    {9, 9, 1, 1, 1, 2, 2, 2}, {9, 9, 1, 1, 1, 2, 2, 2},
};

static const Rgb kStonePale = {204, 198, 186};
static const Rgb kStoneGrey = {176, 176, 174};
static const Rgb kStoneWarm = {200, 186, 162};
static const Rgb kGroutColour = {118, 112, 104};

// Each flag's own shade, somewhere between pale, grey and warm stone.
static Rgb FlagColour(int flag) {
  Rgb mixed = MixRgb(kStonePale, kStoneGrey, HashUnit(flag, 0, 83U));
  return MixRgb(mixed, kStoneWarm, 0.6f * HashUnit(flag, 1, 83U));
}

static int WrapCell(int cell) { return ((cell % kGridCells) + kGridCells) % kGridCells; }

static int FlagAt(int column, int row) { return kFlagOfCell[WrapCell(row)][WrapCell(column)]; }

static Rgb FloorPixel(int px, int py) {
  float x = px + 0.5f;
  float y = py + 0.5f;
  const int size = kTexturePictureSize;

  // Joints wobble a little so the flags do not look machine-cut; the wobble
  // of a vertical joint depends on y only and wraps with the picture.
  float wobbleX = kJointWobble * (2.0f * PictureNoise(y, 0.5f, size, 16, 2, 41U) - 1.0f);
  float wobbleY = kJointWobble * (2.0f * PictureNoise(x, 0.5f, size, 16, 2, 43U) - 1.0f);
  float gridX = x + wobbleX;
  float gridY = y + wobbleY;
  int column = static_cast<int>(std::floor(gridX / kCellSize));
  int row = static_cast<int>(std::floor(gridY / kCellSize));
  float inX = gridX - column * kCellSize;
  float inY = gridY - row * kCellSize;
  int flag = FlagAt(column, row);

  // Distance to the nearest joint on each side; sides shared with the same
  // flag have none.
  const float none = 1000.0f;
  float toLeft = FlagAt(column - 1, row) != flag ? inX : none;
  float toRight = FlagAt(column + 1, row) != flag ? kCellSize - inX : none;
  float toTop = FlagAt(column, row - 1) != flag ? inY : none;
  float toBottom = FlagAt(column, row + 1) != flag ? kCellSize - inY : none;
  float toJoint = std::fmin(std::fmin(toLeft, toRight), std::fmin(toTop, toBottom));

  float grit = PictureNoise(x, y, size, 64, 2, 47U);
  // Darker in the middle of the joint, where it is deepest.
  float depth = Clamp01(1.0f - toJoint / kGroutHalfWidth);
  Rgb grout = ScaleRgb(kGroutColour, 0.8f + 0.3f * grit - 0.12f * depth);

  // Each flag has its own colour and its own mottling; the noise itself wraps
  // with the picture like everything else.
  Rgb base = FlagColour(flag);
  float mottle = PictureNoise(x, y, size, 8, 4, 51U + static_cast<unsigned int>(flag));
  float veins = PictureNoise(x, y, size, 4, 3, 61U + static_cast<unsigned int>(flag));
  veins = 1.0f - std::fabs(2.0f * veins - 1.0f);
  float speck = HashUnit(px, py, 71U);
  float tone = 0.86f + 0.26f * mottle - 0.06f * SmoothStep(0.9f, 0.98f, veins);
  if (speck > 0.985f)
    tone -= 0.10f;
  else if (speck < 0.015f)
    tone += 0.07f;
  float litDistance = std::fmin(toLeft, toTop) - kGroutHalfWidth;
  float shadedDistance = std::fmin(toRight, toBottom) - kGroutHalfWidth;
  Rgb stone = ScaleRgb(
      base, tone * BevelShade(std::fmax(0.0f, litDistance), std::fmax(0.0f, shadedDistance), 3.5f));
  // Blend across the flag's outline so the joints keep an even width.
  return MixRgb(grout, stone, SmoothStep(kGroutHalfWidth - 0.6f, kGroutHalfWidth + 0.6f, toJoint));
}

Picture DrawFloorPicture() {
  return DrawPicture(kTexturePictureSize, kTexturePictureSize, FloorPixel);
}
