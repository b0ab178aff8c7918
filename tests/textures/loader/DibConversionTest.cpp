// SetDIBits into a 24-bit DIB section: every encoding GDI's conversion takes,
// GDI's rules for colours, and the encodings it refuses.
#include "BitmapBuilder.h"

#include <PlatformFixture.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

class DibConversionTest : public PlatformTest {
protected:
  void TearDown() override { ReleaseSection(); }

  void ReleaseSection() {
    if (dc) {
      DeleteDC(dc);
    }
    if (section) {
      DeleteObject(section);
    }
    dc = nullptr;
    section = nullptr;
  }

  // A width x height section (bottom-up) selected into a memory DC, every
  // byte set to fill.
  void MakeSection(int width, int height, uint8_t fill = 0) {
    dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *memory = nullptr;
    section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    ASSERT_TRUE(section);
    ASSERT_TRUE(SelectObject(dc, section));
    bits = static_cast<uint8_t *>(memory);
    this->width = width;
    this->height = height;
    stride = (width * 3 + 3) & ~3;
    std::memset(bits, fill, static_cast<size_t>(stride) * height);
  }

  // Converts lines of the source described by header (a BITMAPINFOHEADER
  // with what follows it) into the section.
  int Convert(const Bytes &header, const Bytes &source, UINT startLine = 0, UINT lines = 0,
              UINT usage = DIB_RGB_COLORS) {
    return SetDIBits(dc, section, startLine, lines ? lines : height, source.data(),
                     reinterpret_cast<const BITMAPINFO *>(header.data()), usage);
  }

  // 0xRRGGBB of the section's pixel at column x, row y from the bottom.
  uint32_t Pixel(int x, int y) const {
    const uint8_t *pixel = bits + static_cast<size_t>(y) * stride + x * 3;
    return pixel[2] << 16 | pixel[1] << 8 | pixel[0];
  }

  HDC dc = nullptr;
  HBITMAP section = nullptr;
  uint8_t *bits = nullptr;
  int width = 0, height = 0, stride = 0;
};

Bytes Pixels32(std::initializer_list<uint32_t> values) {
  Bytes bytes;
  for (uint32_t value : values) {
    Put32(&bytes, value);
  }
  return bytes;
}

TEST_F(DibConversionTest, ChannelsWidenToEightBitsByRepeatingTheirBits) {
  struct Width {
    int bits;
    uint32_t value;
    uint32_t widened;
  };
  const Width widths[] = {{1, 1, 0xFF},      {2, 1, 0x55},  {2, 2, 0xAA},    {3, 5, 0xB6},
                          {4, 0xA, 0xAA},    {5, 16, 0x84}, {5, 31, 0xFF},   {6, 32, 0x82},
                          {6, 1, 0x04},      {7, 64, 0x81}, {8, 0x5C, 0x5C}, {10, 0x2FF, 0xBF},
                          {16, 0x8001, 0x80}};
  MakeSection(1, 1);
  for (const Width &channel : widths) {
    SCOPED_TRACE(channel.bits);
    // Red takes the low bits, blue the next, green none.
    uint32_t mask = (1u << channel.bits) - 1;
    Bytes header =
        Join({InfoHeader({1, 1, 32, BI_BITFIELDS}), Masks(mask, 0, mask << channel.bits)});
    ASSERT_EQ(Convert(header, Pixels32({channel.value | channel.value << channel.bits})), 1);
    EXPECT_EQ(Pixel(0, 0), channel.widened << 16 | channel.widened);
  }
}

TEST_F(DibConversionTest, SixteenBitRgbIsFiveFiveFive) {
  MakeSection(3, 1);
  Bytes source;
  for (uint32_t value : {0x8000u, 0x7C00u, 0x0421u}) {
    Put16(&source, value);
  }
  ASSERT_EQ(Convert(InfoHeader({3, 1, 16}), source), 1);
  EXPECT_EQ(Pixel(0, 0), 0x000000u); // the top bit is not a channel
  EXPECT_EQ(Pixel(1, 0), 0xFF0000u);
  EXPECT_EQ(Pixel(2, 0), 0x080808u);
}

TEST_F(DibConversionTest, UnknownEncodingsAreRefusedAndLeaveTheSection) {
  struct Refused {
    const char *what;
    InfoFields fields;
    Bytes after;
    UINT usage;
  };
  InfoFields coreSized{2, 2, 24};
  coreSized.headerSize = 12;
  InfoFields v4Sized{2, 2, 24};
  v4Sized.headerSize = 108;
  const Refused cases[] = {
      {"JPEG", {2, 2, 24, BI_JPEG}, {}, DIB_RGB_COLORS},
      {"PNG", {2, 2, 24, BI_PNG}, {}, DIB_RGB_COLORS},
      {"compression 7", {2, 2, 24, 7}, {}, DIB_RGB_COLORS},
      {"0 bits", {2, 2, 0}, {}, DIB_RGB_COLORS},
      {"2 bits", {2, 2, 2, 0, 4}, PaletteQuads(4), DIB_RGB_COLORS},
      {"64 bits", {2, 2, 64}, {}, DIB_RGB_COLORS},
      {"RLE8 with 4 bits", {2, 2, 4, BI_RLE8, 16, 8}, PaletteQuads(16), DIB_RGB_COLORS},
      {"RLE4 with 8 bits", {2, 2, 8, BI_RLE4, 16, 8}, PaletteQuads(16), DIB_RGB_COLORS},
      {"RLE8 top-down", {2, -2, 8, BI_RLE8, 16, 8}, PaletteQuads(16), DIB_RGB_COLORS},
      {"RLE4 top-down", {2, -2, 4, BI_RLE4, 16, 8}, PaletteQuads(16), DIB_RGB_COLORS},
      {"bit fields with 24 bits",
       {2, 2, 24, BI_BITFIELDS},
       Masks(0xFF, 0xFF00, 0xFF0000),
       DIB_RGB_COLORS},
      {"bit fields with 8 bits", {2, 2, 8, BI_BITFIELDS}, Masks(0xE0, 0x1C, 0x03), DIB_RGB_COLORS},
      {"a mask with a gap",
       {2, 2, 16, BI_BITFIELDS},
       Masks(0x0F0F, 0x00F0, 0xF000),
       DIB_RGB_COLORS},
      {"palette indices", {2, 2, 8, 0, 2}, PaletteQuads(2), 1},
      {"a core-sized header", coreSized, {}, DIB_RGB_COLORS},
      {"a larger header", v4Sized, {}, DIB_RGB_COLORS},
      {"width 0", {0, 2, 24}, {}, DIB_RGB_COLORS},
      {"height 0", {2, 0, 24}, {}, DIB_RGB_COLORS},
  };
  MakeSection(2, 2, 0x5A);
  Bytes source(64, 0x11);
  source[1] = 1; // an RLE end of bitmap at the start
  for (const Refused &refused : cases) {
    SCOPED_TRACE(refused.what);
    Bytes header = Join({InfoHeader(refused.fields), refused.after});
    if (refused.fields.headerSize == 12) {
      header[0] = 12;
    }
    EXPECT_EQ(Convert(header, source, 0, 2, refused.usage), 0);
    EXPECT_EQ(Pixel(0, 0), 0x5A5A5Au);
    EXPECT_EQ(Pixel(1, 1), 0x5A5A5Au);
  }
  // Lines past the picture convert nothing.
  EXPECT_EQ(Convert(InfoHeader({2, 2, 24}), source, 2, 1), 0);
  EXPECT_EQ(SetDIBits(dc, nullptr, 0, 2, source.data(),
                      reinterpret_cast<const BITMAPINFO *>(InfoHeader({2, 2, 24}).data()),
                      DIB_RGB_COLORS),
            0);
}

TEST_F(DibConversionTest, TableEntriesAreLiteralAndIndicesPastTheTableBlack) {
  MakeSection(6, 1);
  // Three entries: indices 3 to 5 are past the table. The reserved byte of an
  // entry plays no part.
  Bytes table = Quads({0x102030, 0x405060, 0x708090});
  table[3] = 0xFF;
  ASSERT_EQ(Convert(Join({InfoHeader({6, 1, 8, 0, 3}), table}), PaddedRows({{2, 1, 0, 3, 4, 255}})),
            1);
  EXPECT_EQ(Pixel(0, 0), 0x708090u);
  EXPECT_EQ(Pixel(1, 0), 0x405060u);
  EXPECT_EQ(Pixel(2, 0), 0x102030u);
  for (int x = 3; x < 6; ++x) {
    EXPECT_EQ(Pixel(x, 0), 0u);
  }
}

// Rows of every width up to 19, into sections narrower than the source, as
// wide, and wider: each pixel takes its entry, indices past the 100-entry
// table are black, the reserved bytes of the entries play no part, and
// nothing past the columns converted changes.
TEST_F(DibConversionTest, EightBitRowsOfAnyWidthTakeTheirEntriesAndStayInTheirColumns) {
  const int kEntries = 100;
  Bytes table = PaletteQuads(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    table[4 * i + 3] = 0xFF;
  }
  for (int width = 1; width <= 19; ++width) {
    for (int sectionWidth : {width - 1, width, width + 2}) {
      if (sectionWidth < 1) {
        continue;
      }
      SCOPED_TRACE("width " + std::to_string(width) + ", section " + std::to_string(sectionWidth));
      ReleaseSection();
      MakeSection(sectionWidth, 2, 0xAB);
      int sourceStride = (width + 3) & ~3;
      Bytes source(sourceStride * 2, 0);
      auto index = [width](int x, int y) { return (x * 37 + y * 101 + width * 13) & 0xFF; };
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < width; ++x) {
          source[y * sourceStride + x] = static_cast<uint8_t>(index(x, y));
        }
      }
      ASSERT_EQ(Convert(Join({InfoHeader({width, 2, 8, 0, kEntries}), table}), source), 2);
      int columns = std::min(width, sectionWidth);
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < sectionWidth; ++x) {
          uint32_t expected = x >= columns             ? 0xABABABu
                              : index(x, y) < kEntries ? PaletteColour(index(x, y))
                                                       : 0u;
          ASSERT_EQ(Pixel(x, y), expected) << "x " << x << ", y " << y;
        }
        for (int fill = sectionWidth * 3; fill < stride; ++fill) {
          ASSERT_EQ(bits[y * stride + fill], 0xAB) << "fill byte " << fill << ", y " << y;
        }
      }
    }
  }
}

TEST_F(DibConversionTest, OneAndFourBitRowsCrossByteBoundaries) {
  MakeSection(9, 2);
  Bytes table = Quads({0x0000FF, 0xFFFF00});
  // Bottom row 1 0 1 1 0 0 1 0 | 1, top row the reverse.
  ASSERT_EQ(Convert(Join({InfoHeader({9, 2, 1}), table}), PaddedRows({{0xB2, 0x80}, {0x4D, 0x00}})),
            2);
  const int bottom[9] = {1, 0, 1, 1, 0, 0, 1, 0, 1};
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(Pixel(x, 0), bottom[x] ? 0xFFFF00u : 0x0000FFu) << x;
    EXPECT_EQ(Pixel(x, 1), bottom[x] ? 0x0000FFu : 0xFFFF00u) << x;
  }

  Bytes sixteen = PaletteQuads(16);
  ASSERT_EQ(Convert(Join({InfoHeader({5, 1, 4}), sixteen}), PaddedRows({{0x0F, 0x1E, 0x70}})), 1);
  const int indices[5] = {0, 15, 1, 14, 7};
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(Pixel(x, 0), PaletteColour(indices[x])) << x;
  }
}

TEST_F(DibConversionTest, RowsLandBottomFirstWhateverTheSourceOrder) {
  MakeSection(1, 3);
  Bytes bottomUp = PaddedRows({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
  ASSERT_EQ(Convert(InfoHeader({1, 3, 24}), bottomUp), 3);
  EXPECT_EQ(Pixel(0, 0), 0x010101u);
  EXPECT_EQ(Pixel(0, 2), 0x030303u);

  ASSERT_EQ(Convert(InfoHeader({1, -3, 24}), bottomUp), 3);
  EXPECT_EQ(Pixel(0, 0), 0x030303u);
  EXPECT_EQ(Pixel(0, 2), 0x010101u);

  // Part of a picture: the source holds the lines asked for, from startLine.
  ASSERT_EQ(Convert(InfoHeader({1, 3, 24}), PaddedRows({{9, 9, 9}}), 1, 1), 1);
  EXPECT_EQ(Pixel(0, 0), 0x030303u);
  EXPECT_EQ(Pixel(0, 1), 0x090909u);
  // More lines than the picture has: only the picture's.
  EXPECT_EQ(Convert(InfoHeader({1, 3, 24}), bottomUp, 1, 10), 2);
}

TEST_F(DibConversionTest, FillBytesAndColumnsPastTheSourceAreLeftAlone) {
  MakeSection(3, 2, 0xAB);
  Bytes source = Pixels32({0x11223344, 0x55667788, 0x99AABBCC, 0x01020304});
  // A 2-pixel-wide source into a 3-pixel section.
  ASSERT_EQ(Convert(InfoHeader({2, 2, 32}), source), 2);
  EXPECT_EQ(Pixel(0, 0), 0x223344u);
  EXPECT_EQ(Pixel(1, 0), 0x667788u);
  EXPECT_EQ(Pixel(2, 0), 0xABABABu);
  EXPECT_EQ(Pixel(1, 1), 0x020304u);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(bits[y * stride + 9], 0xAB);
    EXPECT_EQ(bits[y * stride + 10], 0xAB);
    EXPECT_EQ(bits[y * stride + 11], 0xAB);
  }
}

TEST_F(DibConversionTest, RunLengthEightEscapes) {
  MakeSection(4, 3, 0xAB);
  // Row 0: run of 2, absolute run of 3 with its pad (clipped at 4). Row 1:
  // delta right 1, up 1 -> row 2, x 1: run of 2, end of bitmap.
  Bytes stream = {2, 5, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 2, 7, 0, 1};
  auto header = [](uint32_t streamBytes) {
    return Join({InfoHeader({4, 3, 8, BI_RLE8, 8, streamBytes}), PaletteQuads(8)});
  };
  ASSERT_EQ(Convert(header(18), stream), 3);
  EXPECT_EQ(Pixel(0, 0), PaletteColour(5));
  EXPECT_EQ(Pixel(1, 0), PaletteColour(5));
  EXPECT_EQ(Pixel(2, 0), PaletteColour(1));
  EXPECT_EQ(Pixel(3, 0), PaletteColour(2));
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(Pixel(x, 1), 0xABABABu) << x; // skipped by the delta
  }
  EXPECT_EQ(Pixel(0, 2), 0xABABABu);
  EXPECT_EQ(Pixel(1, 2), PaletteColour(7));
  EXPECT_EQ(Pixel(2, 2), PaletteColour(7));
  EXPECT_EQ(Pixel(3, 2), 0xABABABu); // after the end of bitmap
  // Cut short before its end of bitmap, the stream still converts: what it
  // drew after its last delta goes back to black, and the rest stays.
  std::memset(bits, 0xAB, static_cast<size_t>(stride) * height);
  ASSERT_EQ(Convert(header(16), stream), 3);
  EXPECT_EQ(Pixel(3, 0), PaletteColour(2));
  EXPECT_EQ(Pixel(0, 2), 0xABABABu);
  EXPECT_EQ(Pixel(1, 2), 0u);
  EXPECT_EQ(Pixel(2, 2), 0u);
  EXPECT_EQ(Pixel(3, 2), 0xABABABu);
}

TEST_F(DibConversionTest, RunLengthFourAlternatesAndPadsAbsoluteRuns) {
  MakeSection(5, 2);
  // Row 0: 5 pixels alternating 3 and 4. Row 1: absolute run of 5 nibbles
  // (3 bytes and a pad byte), end of bitmap.
  Bytes stream = {5, 0x34, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0x00, 0, 1};
  Bytes header = Join(
      {InfoHeader({5, 2, 4, BI_RLE4, 16, static_cast<uint32_t>(stream.size())}), PaletteQuads(16)});
  ASSERT_EQ(Convert(header, stream), 2);
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(Pixel(x, 0), PaletteColour(x % 2 ? 4 : 3)) << x;
    EXPECT_EQ(Pixel(x, 1), PaletteColour(x + 1)) << x;
  }
}

} // namespace
