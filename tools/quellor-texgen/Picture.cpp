#include "Picture.h"

#include <cmath>
#include <cstddef>

Picture MakePicture(int width, int height) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
  return picture;
}

static unsigned char ChannelByte(float value) {
  if (value <= 0.0f)
    return 0;
  if (value >= 255.0f)
    return 255;
  return static_cast<unsigned char>(std::lround(value));
}

void PutPixel(Picture &picture, int x, int y, Rgb colour) {
  std::size_t offset = (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                        static_cast<std::size_t>(x)) *
                       3;
  picture.pixels[offset] = ChannelByte(colour.r);
  picture.pixels[offset + 1] = ChannelByte(colour.g);
  picture.pixels[offset + 2] = ChannelByte(colour.b);
}

Picture DrawPicture(int width, int height, Rgb (*pixel)(int x, int y)) {
  Picture picture = MakePicture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      PutPixel(picture, x, y, pixel(x, y));
  return picture;
}
