#include "BenchmarkPictures.h"

#include <BenchmarkBitmaps.h>

#include <stdexcept>

namespace {

void WriteFile(const std::string &path, const std::vector<uint8_t> &bytes) {
  if (!WriteBitmapFile(path, bytes)) {
    throw std::runtime_error("cannot write " + path);
  }
}

} // namespace

std::vector<BenchmarkPicture> WriteBenchmarkPictures(const std::string &directory) {
  std::vector<BenchmarkPicture> pictures = {{"rgb24", directory + "/rgb24.bmp", 4096, 4096},
                                            {"pal8", directory + "/pal8.bmp", 4096, 4096},
                                            {"rgb32", directory + "/rgb32.bmp", 4096, 4096},
                                            {"rle8", directory + "/rle8.bmp", 2048, 2048}};
  WriteFile(pictures[0].path, PackedBitmap(4096, 3));
  WriteFile(pictures[1].path, PackedBitmap(4096, 1));
  WriteFile(pictures[2].path, PackedBitmap(4096, 4));
  WriteFile(pictures[3].path, RunLengthBitmap(2048));
  return pictures;
}
