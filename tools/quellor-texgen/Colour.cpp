#include "Colour.h"

Rgb MixRgb(Rgb a, Rgb b, float t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb ScaleRgb(Rgb colour, float factor) {
  return Rgb{colour.r * factor, colour.g * factor, colour.b * factor};
}

float Clamp01(float value) {
  if (value < 0.0f)
    return 0.0f;
  if (value > 1.0f)
    return 1.0f;
  return value;
}

float SmoothStep(float edge0, float edge1, float value) {
  float t = Clamp01((value - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}
