// quellor-texcheck FILE [OUT.ppm]
//
// Loads FILE with the program's bitmap loader and prints "WIDTH HEIGHT", or
// the text of the message box the loader would show. With OUT.ppm it also
// writes the picture as a binary PPM, top row first. Exit status: 0 when the
// file loads, 1 when the loader refuses it (or OUT cannot be written), 2 for
// wrong usage.
#include <BitmapLoader.h>

#include "LoaderMessages.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool WritePpm(const char *path, const RgbImage &image) {
  FILE *file = std::fopen(path, "wb");
  if (!file) {
    return false;
  }
  std::fprintf(file, "P6\n%ld %ld\n255\n", static_cast<long>(image.width),
               static_cast<long>(image.height));
  size_t rowBytes = static_cast<size_t>(image.width) * 3;
  bool written = true;
  for (LONG row = image.height - 1; row >= 0 && written; --row) {
    written = std::fwrite(image.pixels + row * rowBytes, 1, rowBytes, file) == rowBytes;
  }
  return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: quellor-texcheck FILE [OUT.ppm]\n");
    return 2;
  }
  StartCapturingLoaderMessages();
  RgbImage *image = LoadBitmapAsRgb(argv[1], 0);
  if (!image) {
    std::string text = LastLoaderMessage();
    if (text.empty() || text.back() != '\n') {
      text += '\n';
    }
    std::fputs(text.c_str(), stdout);
    return 1;
  }
  std::printf("%ld %ld\n", static_cast<long>(image->width), static_cast<long>(image->height));
  bool saved = argc < 3 || WritePpm(argv[2], *image);
  if (!saved) {
    std::fprintf(stderr, "quellor-texcheck: cannot write %s\n", argv[2]);
  }
  std::free(image->pixels);
  std::free(image);
  return saved ? 0 : 1;
}
