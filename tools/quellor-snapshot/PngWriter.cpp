#include "PngWriter.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace snapshot {

bool WritePicturePng(const std::string &path, const Picture &picture, std::string *error) {
  const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != rowBytes * static_cast<size_t>(picture.height)) {
    *error = "no frame to write to " + path;
    return false;
  }

  // PNG stores the top row first.
  std::vector<unsigned char> upright(picture.pixels.size());
  for (int row = 0; row < picture.height; ++row)
    std::memcpy(&upright[rowBytes * row], &picture.pixels[rowBytes * (picture.height - 1 - row)],
                rowBytes);

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;

  errno = 0;
  if (!png_image_write_to_file(&image, path.c_str(), 0, upright.data(),
                               static_cast<png_int_32>(rowBytes), nullptr)) {
    *error = "cannot write " + path + ": " +
             (errno != 0 ? std::string(std::strerror(errno)) : std::string(image.message));
    png_image_free(&image);
    return false;
  }
  return true;
}

} // namespace snapshot
