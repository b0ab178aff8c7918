#include "BmpWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

static const int kFileHeaderSize = 14;
static const int kInfoHeaderSize = 40;
// 72 dots per inch, the customary resolution recorded in BMP files.
static const std::int32_t kPixelsPerMetre = 2835;

static void PutUint16(std::vector<unsigned char> &bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<unsigned char>(value & 0xff);
  bytes[offset + 1] = static_cast<unsigned char>(value >> 8);
}

static void PutUint32(std::vector<unsigned char> &bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

int BmpRowStride(int width) { return (width * 3 + 3) / 4 * 4; }

std::vector<unsigned char> EncodeBmp(const Picture &picture) {
  std::size_t stride = static_cast<std::size_t>(BmpRowStride(picture.width));
  std::size_t imageSize = stride * static_cast<std::size_t>(picture.height);
  std::size_t bitsOffset = kFileHeaderSize + kInfoHeaderSize;
  // Everything not written below, the fill at the end of each row included,
  // stays zero.
  std::vector<unsigned char> bytes(bitsOffset + imageSize, 0);

  bytes[0] = 'B';
  bytes[1] = 'M';
  PutUint32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  PutUint32(bytes, 10, static_cast<std::uint32_t>(bitsOffset));

  std::size_t info = kFileHeaderSize;
  PutUint32(bytes, info + 0, kInfoHeaderSize);
  PutUint32(bytes, info + 4, static_cast<std::uint32_t>(picture.width));
  PutUint32(bytes, info + 8, static_cast<std::uint32_t>(picture.height));
  PutUint16(bytes, info + 12, 1);  // planes
  PutUint16(bytes, info + 14, 24); // bits per pixel
  PutUint32(bytes, info + 16, 0);  // BI_RGB, uncompressed
  PutUint32(bytes, info + 20, static_cast<std::uint32_t>(imageSize));
  PutUint32(bytes, info + 24, kPixelsPerMetre);
  PutUint32(bytes, info + 28, kPixelsPerMetre);
  // No colour table: colours used and important stay 0.

  for (int fileRow = 0; fileRow < picture.height; ++fileRow) {
    int pictureRow = picture.height - 1 - fileRow;
    std::size_t out = bitsOffset + static_cast<std::size_t>(fileRow) * stride;
    std::size_t in =
        static_cast<std::size_t>(pictureRow) * static_cast<std::size_t>(picture.width) * 3;
    for (int x = 0; x < picture.width; ++x) {
      bytes[out] = picture.pixels[in + 2];
      bytes[out + 1] = picture.pixels[in + 1];
      bytes[out + 2] = picture.pixels[in];
      out += 3;
      in += 3;
    }
  }
  return bytes;
}

int WriteBmpFile(const std::string &path, const Picture &picture) {
  std::vector<unsigned char> bytes = EncodeBmp(picture);
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    return 0;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  // A full disk may show only when the buffered bytes are flushed on close.
  if (std::fclose(file) != 0)
    written = false;
  if (!written) {
    std::remove(path.c_str());
    return 0;
  }
  return 1;
}
