#include "ScratchDirectory.h"
#include "BitmapBytes.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

const char *const kTextureFileNames[3] = {"tex1.bmp", "tex2.bmp", "tex3.bmp"};

std::vector<unsigned char> MakeBitmap24(int width, int height, unsigned char seed) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  const size_t bitsOffset = 14 + 40;
  const size_t fileSize = bitsOffset + stride * height;
  Bytes bytes = Join(
      {FileHeader(bitsOffset, static_cast<uint32_t>(fileSize)), InfoHeader({width, height, 24})});
  bytes.resize(fileSize);
  for (int row = 0; row < height; ++row)
    for (size_t i = 0; i < static_cast<size_t>(width) * 3; ++i)
      bytes[bitsOffset + row * stride + i] = static_cast<unsigned char>(seed + 7 * row + i);
  return bytes;
}

bool WriteBytes(const std::string &path, const std::vector<unsigned char> &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

ScratchDirectory::ScratchDirectory(int textureSize) {
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd))
    return;
  original_ = cwd;
  char pattern[] = "/tmp/quellor-scratch-XXXXXX";
  if (!mkdtemp(pattern))
    return;
  path_ = pattern;
  // Open to every user, so that a test may run the program under another.
  if (chmod(path_.c_str(), 0755) != 0)
    return;
  if (chdir(path_.c_str()) != 0)
    return;
  unsigned char seed = 30;
  for (const char *name : kTextureFileNames) {
    if (!WriteBytes(name, MakeBitmap24(textureSize, textureSize, seed)))
      return;
    seed += 70;
  }
  ok_ = true;
}

ScratchDirectory::~ScratchDirectory() {
  if (!original_.empty() && chdir(original_.c_str()) != 0)
    std::perror("chdir");
  if (!path_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}
