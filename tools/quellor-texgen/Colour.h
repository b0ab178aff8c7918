// Colour arithmetic for the procedural pictures: channels are floats on the
// 0..255 scale while a picture is being drawn, and rounded when stored.
#ifndef QUELLOR_TEXGEN_COLOUR_H
#define QUELLOR_TEXGEN_COLOUR_H

struct Rgb {
  float r;
  float g;
  float b;
};

// a at t = 0, b at t = 1; t is not clamped.
Rgb MixRgb(Rgb a, Rgb b, float t);
Rgb ScaleRgb(Rgb colour, float factor);
float Clamp01(float value);
// 0 below edge0, 1 above edge1, a smooth cubic step in between.
float SmoothStep(float edge0, float edge1, float value);

#endif
