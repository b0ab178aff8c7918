// Bitmap files built byte by byte: headers, colour tables, masks and padded
// rows, little-endian as the format stores them.
#ifndef QUELLOR_TESTS_BITMAP_BYTES_H
#define QUELLOR_TESTS_BITMAP_BYTES_H

#include <cstdint>
#include <initializer_list>
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
// count distinct RGBQUADs: entry i is PaletteColour(i).
Bytes PaletteQuads(int count);
uint32_t PaletteColour(int index);

// BI_BITFIELDS masks: red, green, blue.
Bytes Masks(uint32_t red, uint32_t green, uint32_t blue);

// Rows given bottom row first, each padded with zeros to a multiple of 4.
Bytes PaddedRows(std::initializer_list<Bytes> rows);

#endif
