#include "TakenImage.h"

#include <cstdlib>

TakenImage TakeImage(RgbImage *image) {
  TakenImage taken;
  if (!image)
    return taken;
  taken.loaded = true;
  taken.width = image->width;
  taken.height = image->height;
  taken.rgb.assign(image->pixels,
                   image->pixels + static_cast<size_t>(image->width) * image->height * 3);
  std::free(image->pixels);
  std::free(image);
  return taken;
}
