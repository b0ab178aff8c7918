// A decoded picture: red, green, blue bytes, bottom row first.
#ifndef QUELLOR_RGB_IMAGE_H
#define QUELLOR_RGB_IMAGE_H

#include <windows.h>

struct RgbImage {
  LONG width;  // pixels per row
  LONG height; // rows
  // width * height * 3 bytes: the rows one after another, bottom row first,
  // each pixel as red, green, blue, with no fill between rows. Allocated with
  // malloc apart from the record; the owner frees pixels first, then the
  // record.
  BYTE *pixels;
};

#endif
