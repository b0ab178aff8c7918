// A wooden crate face: a frame of four boards, vertical planks inside it, a
// diagonal brace and nail heads, in light pine so the coloured lights of the
// scene still show it bright.
#include "TexturePictures.h"

#include "Bevel.h"
#include "Noise.h"

#include <cmath>

static const int kFrameWidth = 36;
static const int kPlankCount = 4;
static const float kBraceHalfWidth = 19.0f;
static const float kNailRadius = 4.0f;
// The crate is not repeated, so its noise lattices never need to wrap.
static const int kUnwrappedPeriod = 1 << 20;

static const Rgb kFramePale = {214, 170, 114};
static const Rgb kFrameDark = {156, 108, 64};
static const Rgb kPlankPale = {230, 194, 142};
static const Rgb kPlankDark = {178, 134, 86};
static const Rgb kGapColour = {74, 52, 34};
static const Rgb kNailColour = {96, 94, 98};
static const Rgb kNailShine = {214, 212, 216};

// Wood seen on a board: long streaks along its length, bent slowly, with fine
// fibres on top. `along` runs the length of the board, `across` its width.
static Rgb WoodColour(float along, float across, unsigned int seed, Rgb pale, Rgb dark) {
  float bend = FractalNoise(along / 70.0f, across / 40.0f, kUnwrappedPeriod, 2, seed);
  float rings = 0.5f + 0.5f * std::sin(across * 0.45f + bend * 10.0f);
  rings = rings * rings * rings;
  float fibres = FractalNoise(along / 28.0f, across / 1.6f, kUnwrappedPeriod, 3, seed + 17U);
  float tint = 0.92f + 0.14f * HashUnit(static_cast<int>(seed), 0, 5U);
  float darkness = Clamp01(0.55f * rings + 0.7f * (fibres - 0.3f));
  return ScaleRgb(MixRgb(pale, dark, darkness), tint);
}

// A round nail head with a shine on its upper left, or nothing (returns false)
// when (x, y) lies outside the head.
static bool NailColour(float x, float y, float centreX, float centreY, Rgb *colour) {
  float dx = x - centreX;
  float dy = y - centreY;
  float distance = std::sqrt(dx * dx + dy * dy);
  if (distance > kNailRadius + 1.0f)
    return false;
  float shine = 1.0f - SmoothStep(0.0f, 2.6f,
                                  std::sqrt((dx + 1.5f) * (dx + 1.5f) + (dy + 1.5f) * (dy + 1.5f)));
  Rgb head = MixRgb(kNailColour, kNailShine, shine);
  // The outermost pixel ring is the dark dent the head sits in.
  *colour = MixRgb(head, ScaleRgb(kGapColour, 0.8f),
                   SmoothStep(kNailRadius - 0.5f, kNailRadius + 1.0f, distance));
  return true;
}

static bool CrateNail(float x, float y, Rgb *colour) {
  const float middle = kFrameWidth / 2.0f;
  const float far = kTexturePictureSize - middle;
  const float plankWidth = static_cast<float>(kTexturePictureSize - 2 * kFrameWidth) / kPlankCount;
  const float corners[4][2] = {{middle, middle}, {far, middle}, {middle, far}, {far, far}};
  for (const auto &corner : corners)
    if (NailColour(x, y, corner[0], corner[1], colour))
      return true;
  // One nail into each plank through the top and the bottom board.
  for (int plank = 0; plank < kPlankCount; ++plank) {
    float centreX = kFrameWidth + plankWidth * (plank + 0.5f);
    if (NailColour(x, y, centreX, middle, colour) || NailColour(x, y, centreX, far, colour))
      return true;
  }
  // The brace is nailed near both of its ends.
  const float inner = kTexturePictureSize - kFrameWidth;
  return NailColour(x, y, kFrameWidth + 16.0f, inner - 16.0f, colour) ||
         NailColour(x, y, inner - 16.0f, kFrameWidth + 16.0f, colour);
}

static Rgb CratePixel(int px, int py) {
  float x = px + 0.5f;
  float y = py + 0.5f;
  const float size = static_cast<float>(kTexturePictureSize);
  const float inner = size - kFrameWidth;

  Rgb nail;
  if (CrateNail(x, y, &nail))
    return nail;

  // Top and bottom boards run the full width; the side boards fit between.
  if (y < kFrameWidth || y >= inner) {
    float top = y < kFrameWidth ? 0.0f : inner;
    unsigned int seed = y < kFrameWidth ? 11U : 12U;
    Rgb wood = WoodColour(x, y - top, seed, kFramePale, kFrameDark);
    float shade =
        BevelShade(std::fmin(y - top, x), std::fmin(top + kFrameWidth - y, size - x), 4.0f);
    return ScaleRgb(wood, shade);
  }
  if (x < kFrameWidth || x >= inner) {
    float left = x < kFrameWidth ? 0.0f : inner;
    unsigned int seed = x < kFrameWidth ? 13U : 14U;
    Rgb wood = WoodColour(y, x - left, seed, kFramePale, kFrameDark);
    float shade = BevelShade(std::fmin(x - left, y - kFrameWidth),
                             std::fmin(left + kFrameWidth - x, inner - y), 4.0f);
    return ScaleRgb(wood, shade);
  }

  // The brace runs from the inner bottom-left corner to the inner top-right
  // one, along the line x + y = size; `across` is the signed distance from it.
  const float root2 = std::sqrt(2.0f);
  float across = (x + y - size) / root2;
  float along = (x - y) / root2;
  if (std::fabs(across) < kBraceHalfWidth) {
    Rgb wood = WoodColour(along, across + kBraceHalfWidth, 21U, kFramePale, kFrameDark);
    float shade = BevelShade(across + kBraceHalfWidth, kBraceHalfWidth - across, 4.0f);
    return ScaleRgb(wood, shade);
  }

  float plankWidth = (inner - kFrameWidth) / kPlankCount;
  int plank = static_cast<int>((x - kFrameWidth) / plankWidth);
  float plankLeft = kFrameWidth + plank * plankWidth;
  float inPlank = x - plankLeft;
  if (inPlank < 1.5f && plank > 0)
    return kGapColour;
  Rgb wood = WoodColour(y, inPlank, 31U + static_cast<unsigned int>(plank), kPlankPale, kPlankDark);
  float shade = BevelShade(inPlank, plankLeft + plankWidth - x, 3.0f);
  // The frame and the brace stand proud of the planks and shade them below
  // and to the right.
  float frameShadow = 1.0f - SmoothStep(0.0f, 7.0f, std::fmin(x - kFrameWidth, y - kFrameWidth));
  float braceShadow = 1.0f - SmoothStep(kBraceHalfWidth, kBraceHalfWidth + 7.0f, across);
  if (across < 0.0f)
    braceShadow = 0.0f;
  shade *= 1.0f - 0.3f * std::fmax(frameShadow, braceShadow);
  return ScaleRgb(wood, shade);
}

Picture DrawCratePicture() {
  return DrawPicture(kTexturePictureSize, kTexturePictureSize, CratePixel);
}
