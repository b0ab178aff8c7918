#include "Bevel.h"

#include "Colour.h"

float BevelShade(float litDistance, float shadedDistance, float width) {
  float highlight = 1.0f - SmoothStep(0.0f, width, litDistance);
  float shadow = 1.0f - SmoothStep(0.0f, width, shadedDistance);
  return 1.0f + 0.22f * highlight - 0.38f * shadow;
}
