// quellor-texcheck [--] FILE [OUT.ppm]
//
// Loads FILE with the program's bitmap loader and prints "WIDTH HEIGHT", or
// the text of the message box the loader would show. With OUT.ppm it also
// writes the picture as a binary PPM, top row first. Exit status: 0 when the
// file loads, 1 when the loader refuses it (or OUT cannot be written), 2 for
// wrong usage. -h and --help print the usage and exit with 0; any other
// argument that starts with "-" is wrong usage, unless it follows "--" (so a
// file named "--help" is checked as "./--help" or after "--").
#include <BitmapLoader.h>

#include "LoaderMessages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: quellor-texcheck [--] FILE [OUT.ppm]\n"
    "Loads FILE with Quellor's bitmap loader and prints its width and height, or\n"
    "the loader's message when it refuses the file. With OUT.ppm the picture is\n"
    "also written as a binary PPM.\n"
    "Exit status: 0 loaded, 1 refused (or OUT.ppm not written), 2 wrong usage.\n";

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
  std::vector<const char *> operands;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char *argument = argv[i];
    if (options && std::strcmp(argument, "--") == 0) {
      options = false;
    } else if (options &&
               (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0)) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (options && argument[0] == '-' && argument[1] != '\0') {
      std::fprintf(stderr, "quellor-texcheck: unknown option %s\n%s", argument, kUsage);
      return 2;
    } else {
      operands.push_back(argument);
    }
  }
  if (operands.empty() || operands.size() > 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const char *outputPath = operands.size() > 1 ? operands[1] : nullptr;
  StartCapturingLoaderMessages();
  RgbImage *image = LoadBitmapAsRgb(operands[0], 0);
  if (!image) {
    std::string text = LastLoaderMessage();
    if (text.empty() || text.back() != '\n') {
      text += '\n';
    }
    std::fputs(text.c_str(), stdout);
    return 1;
  }
  std::printf("%ld %ld\n", static_cast<long>(image->width), static_cast<long>(image->height));
  bool saved = !outputPath || WritePpm(outputPath, *image);
  if (!saved) {
    std::fprintf(stderr, "quellor-texcheck: cannot write %s\n", outputPath);
  }
  std::free(image->pixels);
  std::free(image);
  return saved ? 0 : 1;
}
