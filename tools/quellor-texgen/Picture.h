// An RGB picture as the generator draws it: rows top row first, three bytes
// (red, green, blue) per pixel, no fill between rows.
#ifndef QUELLOR_TEXGEN_PICTURE_H
#define QUELLOR_TEXGEN_PICTURE_H

#include "Colour.h"

#include <vector>

struct Picture {
  int width;
  int height;
  std::vector<unsigned char> pixels;
};

// A black picture of the given size.
Picture MakePicture(int width, int height);
// Stores a colour, each channel clamped to 0..255 and rounded.
void PutPixel(Picture &picture, int x, int y, Rgb colour);
// A picture of the given size whose every pixel is pixel(x, y).
Picture DrawPicture(int width, int height, Rgb (*pixel)(int x, int y));

#endif
