#include "BenchmarkBitmaps.h"

#include <cstdio>

namespace {

void Put16(std::vector<uint8_t> *out, uint32_t value) {
  out->push_back(value & 0xFF);
  out->push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t> *out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// File header and 40-byte info header; the pixel bits follow the colour table.
std::vector<uint8_t> Headers(int width, int height, int bitCount, uint32_t compression,
                             uint32_t colours, uint32_t bitsSize) {
  std::vector<uint8_t> out;
  uint32_t bitsOffset = 14 + 40 + 4 * colours;
  out.push_back('B');
  out.push_back('M');
  Put32(&out, bitsOffset + bitsSize);
  Put32(&out, 0);
  Put32(&out, bitsOffset);
  Put32(&out, 40);
  Put32(&out, width);
  Put32(&out, height);
  Put16(&out, 1);
  Put16(&out, bitCount);
  Put32(&out, compression);
  Put32(&out, bitsSize);
  Put32(&out, 2835);
  Put32(&out, 2835);
  Put32(&out, colours);
  Put32(&out, 0);
  for (uint32_t i = 0; i < colours; ++i) {
    Put32(&out, (i * 0x010305u) ^ 0x402010u);
  }
  return out;
}

uint8_t Noise(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 0x9E3779B1u ^ static_cast<uint32_t>(y) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  return static_cast<uint8_t>(h >> 24);
}

// The picture of RunLengthBitmap.
uint8_t RunLengthIndex(int x, int y) {
  if ((x / 64) % 4 == 3) {
    return Noise(x, y);
  }
  return static_cast<uint8_t>((x / (8 + y % 11)) * 37 + (y / 16) * 11);
}

void EncodeRow(const std::vector<uint8_t> &row, std::vector<uint8_t> *out) {
  size_t x = 0;
  while (x < row.size()) {
    size_t run = 1;
    while (x + run < row.size() && run < 255 && row[x + run] == row[x]) {
      ++run;
    }
    if (run >= 2) {
      out->push_back(static_cast<uint8_t>(run));
      out->push_back(row[x]);
      x += run;
      continue;
    }
    size_t literal = 1;
    while (x + literal < row.size() && literal < 255 &&
           !(x + literal + 1 < row.size() && row[x + literal] == row[x + literal + 1])) {
      ++literal;
    }
    if (literal < 3) {
      out->push_back(1);
      out->push_back(row[x]);
      ++x;
      continue;
    }
    out->push_back(0);
    out->push_back(static_cast<uint8_t>(literal));
    out->insert(out->end(), row.begin() + x, row.begin() + x + literal);
    if (literal & 1) {
      out->push_back(0);
    }
    x += literal;
  }
}

} // namespace

std::vector<uint8_t> PackedBitmap(int side, int bytesPerPixel) {
  int stride = (side * bytesPerPixel + 3) & ~3;
  std::vector<uint8_t> out = Headers(side, side, bytesPerPixel * 8, 0, bytesPerPixel == 1 ? 256 : 0,
                                     static_cast<uint32_t>(stride) * side);
  size_t start = out.size();
  out.resize(start + static_cast<size_t>(stride) * side);
  for (int y = 0; y < side; ++y) {
    uint8_t *row = out.data() + start + static_cast<size_t>(y) * stride;
    for (int x = 0; x < side; ++x) {
      for (int c = 0; c < bytesPerPixel; ++c) {
        row[x * bytesPerPixel + c] = static_cast<uint8_t>(x * (c + 1) + y * (3 - c)) ^ Noise(x, y);
      }
    }
  }
  return out;
}

std::vector<uint8_t> RunLengthBitmap(int side) {
  std::vector<uint8_t> stream;
  std::vector<uint8_t> row(side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      row[x] = RunLengthIndex(x, y);
    }
    EncodeRow(row, &stream);
    stream.push_back(0);
    stream.push_back(y + 1 < side ? 0 : 1);
  }
  std::vector<uint8_t> out = Headers(side, side, 8, 1, 256, static_cast<uint32_t>(stream.size()));
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

bool WriteBitmapFile(const std::string &path, const std::vector<uint8_t> &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
