// What a test keeps of an image the loader returned, which it then frees.
#ifndef QUELLOR_TESTS_TAKEN_IMAGE_H
#define QUELLOR_TESTS_TAKEN_IMAGE_H

#include <RgbImage.h>

#include <vector>

// The image's size and its RGB bytes, bottom row first; empty for a null
// image (a refused load).
struct TakenImage {
  bool loaded = false;
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

// Copies the image and frees it, as its owner must.
TakenImage TakeImage(RgbImage *image);

#endif
