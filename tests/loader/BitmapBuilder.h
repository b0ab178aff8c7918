// Bitmap files built byte by byte for the loader tests, the temporary
// directory they are written to, and a load that collects what the loader
// showed and checks that it released everything it obtained.
#ifndef QUELLOR_TESTS_BITMAP_BUILDER_H
#define QUELLOR_TESTS_BITMAP_BUILDER_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

void Put16(Bytes *bytes, uint32_t value);
void Put32(Bytes *bytes, uint32_t value);
Bytes Join(std::initializer_list<Bytes> parts);

// The 14-byte file header: "BM", the file size (not read), bfOffBits.
Bytes FileHeader(uint32_t bitsOffset, uint32_t fileSize = 0);

struct InfoFields {
  int32_t width;
  int32_t height;
  uint16_t bitCount;
  uint32_t compression = 0;
  uint32_t clrUsed = 0;
  uint32_t sizeImage = 0;
  uint32_t headerSize = 40; // larger sizes are padded with zeros
  uint16_t planes = 1;
};
Bytes InfoHeader(const InfoFields &fields);
Bytes CoreHeader(uint16_t width, uint16_t height, uint16_t bitCount);

// Colour-table entries from 0xRRGGBB values: RGBQUADs (blue, green, red, 0)
// and RGBTRIPLEs (blue, green, red).
Bytes Quads(std::initializer_list<uint32_t> colours);
Bytes Triples(std::initializer_list<uint32_t> colours);
// count distinct RGBQUADs: entry i is Palette(i).
Bytes PaletteQuads(int count);
uint32_t PaletteColour(int index);

// Rows given bottom row first, each padded with zeros to a multiple of 4.
Bytes PaddedRows(std::initializer_list<Bytes> rows);

// A file with that content in the test's temporary directory; returns its
// path.
std::string WriteTempFile(const std::string &name, const Bytes &content);
std::string TempPath(const std::string &name);

struct LoadResult {
  bool loaded = false;
  int width = 0;
  int height = 0;
  Bytes rgb; // bottom row first
  std::vector<std::string> messages;
};

// Loads the file (narrow name), frees the image, and checks that one message
// was shown exactly when the load failed, with the caption "Error" and an OK
// button, and that no file, mapping, view, local block, memory DC or section
// is left.
LoadResult LoadBitmap(const std::string &path);
LoadResult LoadBitmapWide(const std::u16string &path);

// The red, green, blue bytes of the pixel at column x, row y (from the bottom).
uint32_t PixelAt(const LoadResult &result, int x, int y);

#endif
