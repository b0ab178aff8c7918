// quellor-picture-diff: how far two pictures of the same size differ, and
// whether that is within the given tolerance.
//   quellor-picture-diff A.png B.png CHANNEL_STEP MIN_FRACTION MAX_MEAN
// prints the share of pixels whose three channels all differ by at most
// CHANNEL_STEP, the mean absolute difference over all channels and the
// largest one, and exits 1 when the share is below MIN_FRACTION or the mean
// above MAX_MEAN.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Picture {
  unsigned width = 0, height = 0;
  std::vector<unsigned char> pixels; // RGB
};

bool ReadPng(const char *path, Picture *picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path))
    return false;
  image.format = PNG_FORMAT_RGB;
  picture->pixels.resize(PNG_IMAGE_SIZE(image));
  picture->width = image.width;
  picture->height = image.height;
  return png_image_finish_read(&image, nullptr, picture->pixels.data(), 0, nullptr) != 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 6) {
    std::fputs("usage: quellor-picture-diff A.png B.png CHANNEL_STEP MIN_FRACTION MAX_MEAN\n",
               stderr);
    return 2;
  }
  Picture a, b;
  if (!ReadPng(argv[1], &a) || !ReadPng(argv[2], &b)) {
    std::fprintf(stderr, "quellor-picture-diff: cannot read %s or %s\n", argv[1], argv[2]);
    return 2;
  }
  if (a.width != b.width || a.height != b.height) {
    std::fprintf(stderr, "quellor-picture-diff: %ux%u and %ux%u differ in size\n", a.width,
                 a.height, b.width, b.height);
    return 1;
  }
  const int step = std::atoi(argv[3]);
  const double minFraction = std::atof(argv[4]);
  const double maxMean = std::atof(argv[5]);

  size_t within = 0;
  double sum = 0.0;
  int largest = 0;
  for (size_t i = 0; i < a.pixels.size(); i += 3) {
    int worst = 0;
    for (size_t c = 0; c < 3; ++c) {
      const int difference = std::abs(a.pixels[i + c] - b.pixels[i + c]);
      sum += difference;
      worst = std::max(worst, difference);
    }
    largest = std::max(largest, worst);
    if (worst <= step)
      ++within;
  }
  const double fraction = static_cast<double>(within) / (a.pixels.size() / 3);
  const double mean = sum / a.pixels.size();
  std::printf("%.4f%% of pixels within %d, mean difference %.3f, largest %d\n", fraction * 100.0,
              step, mean, largest);
  return fraction >= minFraction && mean <= maxMean ? 0 : 1;
}
