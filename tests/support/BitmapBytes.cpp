#include "BitmapBytes.h"

#include <algorithm>

void Put16(Bytes *bytes, uint32_t value) {
  bytes->push_back(value & 0xFF);
  bytes->push_back((value >> 8) & 0xFF);
}

void Put32(Bytes *bytes, uint32_t value) {
  Put16(bytes, value & 0xFFFF);
  Put16(bytes, value >> 16);
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes &part : parts) {
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return joined;
}

Bytes FileHeader(uint32_t bitsOffset, uint32_t fileSize) {
  Bytes bytes = {'B', 'M'};
  Put32(&bytes, fileSize);
  Put32(&bytes, 0);
  Put32(&bytes, bitsOffset);
  return bytes;
}

Bytes InfoHeader(const InfoFields &fields) {
  Bytes bytes;
  Put32(&bytes, fields.headerSize);
  Put32(&bytes, static_cast<uint32_t>(fields.width));
  Put32(&bytes, static_cast<uint32_t>(fields.height));
  Put16(&bytes, fields.planes);
  Put16(&bytes, fields.bitCount);
  Put32(&bytes, fields.compression);
  Put32(&bytes, fields.sizeImage);
  Put32(&bytes, 2835);
  Put32(&bytes, 2835);
  Put32(&bytes, fields.clrUsed);
  Put32(&bytes, 0);
  bytes.resize(std::max<size_t>(bytes.size(), fields.headerSize), 0);
  return bytes;
}

Bytes CoreHeader(uint16_t width, uint16_t height, uint16_t bitCount) {
  Bytes bytes;
  Put32(&bytes, 12);
  Put16(&bytes, width);
  Put16(&bytes, height);
  Put16(&bytes, 1);
  Put16(&bytes, bitCount);
  return bytes;
}

Bytes Quads(std::initializer_list<uint32_t> colours) {
  Bytes bytes;
  for (uint32_t colour : colours) {
    Put32(&bytes, colour & 0xFFFFFF);
  }
  return bytes;
}

Bytes Triples(std::initializer_list<uint32_t> colours) {
  Bytes bytes;
  for (uint32_t colour : colours) {
    bytes.push_back(colour & 0xFF);
    bytes.push_back((colour >> 8) & 0xFF);
    bytes.push_back((colour >> 16) & 0xFF);
  }
  return bytes;
}

uint32_t PaletteColour(int index) {
  return (static_cast<uint32_t>(index) * 0x3A5F1Du + 0x102030u) & 0xFFFFFF;
}

Bytes PaletteQuads(int count) {
  Bytes bytes;
  for (int i = 0; i < count; ++i) {
    Put32(&bytes, PaletteColour(i));
  }
  return bytes;
}

Bytes Masks(uint32_t red, uint32_t green, uint32_t blue) {
  Bytes bytes;
  Put32(&bytes, red);
  Put32(&bytes, green);
  Put32(&bytes, blue);
  return bytes;
}

Bytes PaddedRows(std::initializer_list<Bytes> rows) {
  Bytes bytes;
  for (const Bytes &row : rows) {
    bytes.insert(bytes.end(), row.begin(), row.end());
    bytes.resize((bytes.size() + 3) & ~size_t{3}, 0);
  }
  return bytes;
}
