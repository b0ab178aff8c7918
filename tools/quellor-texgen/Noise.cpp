#include "Noise.h"

#include <cmath>

// Avalanching integer mixer: every input bit affects every output bit.
static unsigned int MixBits(unsigned int h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}

unsigned int HashInts(int x, int y, unsigned int seed) {
  unsigned int h = MixBits(seed + 0x9e3779b9U);
  h = MixBits(h ^ static_cast<unsigned int>(x));
  h = MixBits(h ^ static_cast<unsigned int>(y) * 0x27d4eb2dU);
  return h;
}

float HashUnit(int x, int y, unsigned int seed) {
  return static_cast<float>(HashInts(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

static int WrapIndex(int index, int period) {
  int wrapped = index % period;
  return wrapped < 0 ? wrapped + period : wrapped;
}

float ValueNoise(float x, float y, int period, unsigned int seed) {
  float cellX = std::floor(x);
  float cellY = std::floor(y);
  float fx = x - cellX;
  float fy = y - cellY;
  int x0 = WrapIndex(static_cast<int>(cellX), period);
  int y0 = WrapIndex(static_cast<int>(cellY), period);
  int x1 = WrapIndex(x0 + 1, period);
  int y1 = WrapIndex(y0 + 1, period);
  float sx = fx * fx * (3.0f - 2.0f * fx);
  float sy = fy * fy * (3.0f - 2.0f * fy);
  float top = HashUnit(x0, y0, seed) + (HashUnit(x1, y0, seed) - HashUnit(x0, y0, seed)) * sx;
  float bottom = HashUnit(x0, y1, seed) + (HashUnit(x1, y1, seed) - HashUnit(x0, y1, seed)) * sx;
  return top + (bottom - top) * sy;
}

float FractalNoise(float x, float y, int period, int octaves, unsigned int seed) {
  float sum = 0.0f;
  float weight = 1.0f;
  float totalWeight = 0.0f;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += weight * ValueNoise(x, y, period, seed + static_cast<unsigned int>(octave) * 101U);
    totalWeight += weight;
    x *= 2.0f;
    y *= 2.0f;
    period *= 2;
    weight *= 0.5f;
  }
  return sum / totalWeight;
}

float PictureNoise(float x, float y, int pictureSize, int cells, int octaves, unsigned int seed) {
  float scale = static_cast<float>(cells) / static_cast<float>(pictureSize);
  return FractalNoise(x * scale, y * scale, cells, octaves, seed);
}
