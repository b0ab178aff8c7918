// Bitmap files built in the test: header kinds, colour tables, the position of
// the pixel bits, bit depths, and the files the loader refuses.
#include "BitmapBuilder.h"

#include <BitmapLoader.h>
#include <PlatformFixture.h>

#include <gtest/gtest.h>

namespace {

class BuiltFileTest : public PlatformTest {};

// A 24-bit row of width pixels whose colours tell column and row apart.
uint32_t Colour24(int x, int y) {
  return 0x102030u + static_cast<uint32_t>(x) * 0x010203u + y * 0x400000u;
}

Bytes Row24(int width, int y) {
  Bytes row;
  for (int x = 0; x < width; ++x) {
    uint32_t colour = Colour24(x, y);
    row.push_back(colour & 0xFF);
    row.push_back((colour >> 8) & 0xFF);
    row.push_back((colour >> 16) & 0xFF);
  }
  return row;
}

TEST_F(BuiltFileTest, TwentyFourBitRowsLoseTheirFillAndTurnIntoRgb) {
  for (int width : {1, 2, 3, 5}) {
    SCOPED_TRACE(width);
    Bytes bits = PaddedRows({Row24(width, 0), Row24(width, 1), Row24(width, 2)});
    Bytes file = Join({FileHeader(54), InfoHeader({width, 3, 24}), bits});
    LoadResult result = LoadBitmap(WriteTempFile("rgb24.bmp", file));
    ASSERT_TRUE(result.loaded);
    EXPECT_EQ(result.width, width);
    EXPECT_EQ(result.height, 3);
    ASSERT_EQ(result.rgb.size(), static_cast<size_t>(width) * 3 * 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(PixelAt(result, x, y), Colour24(x, y)) << x << "," << y;
      }
    }
  }
}

TEST_F(BuiltFileTest, PixelBitsAreTakenAtTheirOffsetAfterAGap) {
  Bytes gap(37, 0xEE);
  Bytes bits = PaddedRows({{0, 1, 2}, {3, 1, 0}});
  Bytes file = Join(
      {FileHeader(14 + 40 + 16 + 37), InfoHeader({3, 2, 8, 0, 4}), PaletteQuads(4), gap, bits});
  LoadResult result = LoadBitmap(WriteTempFile("gap.bmp", file));
  ASSERT_TRUE(result.loaded);
  const int expected[2][3] = {{0, 1, 2}, {3, 1, 0}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(PixelAt(result, x, y), PaletteColour(expected[y][x]));
    }
  }
}

TEST_F(BuiltFileTest, PackedEightBitBitsFollowTheWholeTable) {
  // biClrUsed 0: 256 entries, so the bits start 40 + 1024 bytes in. Index 255
  // tells a full table from a shorter one.
  Bytes full = Join({InfoHeader({4, 1, 8}), PaletteQuads(256), PaddedRows({{255, 0, 17, 128}})});
  LoadResult result = LoadBitmap(WriteTempFile("packed256.dib", full));
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(PixelAt(result, 0, 0), PaletteColour(255));
  EXPECT_EQ(PixelAt(result, 1, 0), PaletteColour(0));
  EXPECT_EQ(PixelAt(result, 2, 0), PaletteColour(17));
  EXPECT_EQ(PixelAt(result, 3, 0), PaletteColour(128));

  // biClrUsed 2: two entries, the bits start 48 bytes in.
  Bytes two =
      Join({InfoHeader({4, 1, 8, 0, 2}), Quads({0xFF0000, 0x00FF00}), PaddedRows({{1, 0, 0, 1}})});
  result = LoadBitmap(WriteTempFile("packed2.dib", two));
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(PixelAt(result, 0, 0), 0x00FF00u);
  EXPECT_EQ(PixelAt(result, 1, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(result, 3, 0), 0x00FF00u);
}

TEST_F(BuiltFileTest, TwentyFourBitInfoHeaderMayCarryATable) {
  Bytes table = Quads({0x111111, 0x222222, 0x333333});
  Bytes bits = PaddedRows({Row24(2, 0)});
  // Without a file header the bits follow the three entries.
  LoadResult packed =
      LoadBitmap(WriteTempFile("packed24.dib", Join({InfoHeader({2, 1, 24, 0, 3}), table, bits})));
  ASSERT_TRUE(packed.loaded);
  EXPECT_EQ(PixelAt(packed, 0, 0), Colour24(0, 0));
  EXPECT_EQ(PixelAt(packed, 1, 0), Colour24(1, 0));

  // With one the table is skipped by bfOffBits; its colours change nothing.
  LoadResult withHeader = LoadBitmap(WriteTempFile(
      "table24.bmp", Join({FileHeader(14 + 40 + 12), InfoHeader({2, 1, 24, 0, 3}), table, bits})));
  ASSERT_TRUE(withHeader.loaded);
  EXPECT_EQ(withHeader.rgb, packed.rgb);
}

TEST_F(BuiltFileTest, SixteenAndThirtyTwoBitFilesHaveNoTableUnlessCountGiven) {
  // 5-5-5: white, pure blue, half red (16 -> 0x84 by bit replication), green 1.
  Bytes row16;
  for (uint32_t value : {0x7FFFu, 0x001Fu, 0x4000u, 0x0020u}) {
    Put16(&row16, value);
  }
  LoadResult rgb16 = LoadBitmap(WriteTempFile("rgb16.dib", Join({InfoHeader({4, 1, 16}), row16})));
  ASSERT_TRUE(rgb16.loaded);
  EXPECT_EQ(PixelAt(rgb16, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(rgb16, 1, 0), 0x0000FFu);
  EXPECT_EQ(PixelAt(rgb16, 2, 0), 0x840000u);
  EXPECT_EQ(PixelAt(rgb16, 3, 0), 0x000800u);

  // 8-8-8 with a spare byte that is ignored; a two-entry table is skipped.
  Bytes row32;
  Put32(&row32, 0xAA123456);
  Put32(&row32, 0x55FEDCBA);
  LoadResult rgb32 = LoadBitmap(
      WriteTempFile("rgb32.dib", Join({InfoHeader({2, 1, 32, 0, 2}), Quads({1, 2}), row32})));
  ASSERT_TRUE(rgb32.loaded);
  EXPECT_EQ(PixelAt(rgb32, 0, 0), 0x123456u);
  EXPECT_EQ(PixelAt(rgb32, 1, 0), 0xFEDCBAu);
}

TEST_F(BuiltFileTest, FourBitCoreHeaderTableOfTriples) {
  Bytes table;
  for (int i = 0; i < 16; ++i) {
    table = Join({table, Triples({PaletteColour(i)})});
  }
  // 12 + 48 bytes in: the bits. Odd width: the last nibble is unused.
  Bytes bits = PaddedRows({{0x0F, 0x10}, {0xE2, 0x30}});
  LoadResult result =
      LoadBitmap(WriteTempFile("core4.dib", Join({CoreHeader(3, 2, 4), table, bits})));
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(result.width, 3);
  EXPECT_EQ(result.height, 2);
  const int expected[2][3] = {{0, 15, 1}, {14, 2, 3}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(PixelAt(result, x, y), PaletteColour(expected[y][x])) << x << "," << y;
    }
  }
}

TEST_F(BuiltFileTest, CoreHeaderWithFileHeaderAndEightBits) {
  Bytes table;
  for (int i = 0; i < 256; ++i) {
    table = Join({table, Triples({PaletteColour(i)})});
  }
  Bytes file =
      Join({FileHeader(14 + 12 + 768), CoreHeader(2, 1, 8), table, PaddedRows({{200, 7}})});
  LoadResult result = LoadBitmap(WriteTempFile("core8.bmp", file));
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(PixelAt(result, 0, 0), PaletteColour(200));
  EXPECT_EQ(PixelAt(result, 1, 0), PaletteColour(7));
}

TEST_F(BuiltFileTest, LaterHeaderRevisionsAreUnknown) {
  for (uint32_t size : {108u, 124u}) {
    SCOPED_TRACE(size);
    InfoFields fields{2, 2, 24};
    fields.headerSize = size;
    Bytes file =
        Join({FileHeader(14 + size), InfoHeader(fields), PaddedRows({Row24(2, 0), Row24(2, 1)})});
    LoadResult result = LoadBitmap(WriteTempFile("v4v5.bmp", file));
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Unknown DIB file format."});
  }
}

TEST_F(BuiltFileTest, MissingEmptyAndTextFiles) {
  std::string missing = TempPath("no-such-file.bmp");
  EXPECT_EQ(LoadBitmap(missing).messages,
            std::vector<std::string>{"Failed to open DIB file " + missing + ".\n"});

  std::string empty = WriteTempFile("empty.bmp", {});
  EXPECT_EQ(LoadBitmap(empty).messages,
            std::vector<std::string>{"Failed to open DIB file " + empty + ".\n"});

  std::string text = "Not a picture at all, just some words in a file.\n";
  std::string textFile = WriteTempFile("text.bmp", Bytes(text.begin(), text.end()));
  EXPECT_EQ(LoadBitmap(textFile).messages, std::vector<std::string>{"Unknown DIB file format."});
}

TEST(CountPaletteColorsTest, CountsFromBitCountOrColoursUsed) {
  for (auto [bits, colours] : {std::pair{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}}) {
    SCOPED_TRACE(bits);
    Bytes core = CoreHeader(1, 1, bits);
    EXPECT_EQ(CountPaletteColors(core.data()), colours);
    Bytes info = InfoHeader({1, 1, static_cast<uint16_t>(bits)});
    EXPECT_EQ(CountPaletteColors(info.data()), colours);
  }
  EXPECT_EQ(CountPaletteColors(InfoHeader({1, 1, 8, 0, 3}).data()), 3);
  EXPECT_EQ(CountPaletteColors(InfoHeader({1, 1, 24, 0, 300}).data()), 300);
  // Only the low 16 bits of biClrUsed are counted.
  EXPECT_EQ(CountPaletteColors(InfoHeader({1, 1, 8, 0, 0x10002}).data()), 2);
  // Any header size other than 12 is read as an info header.
  InfoFields v5{1, 1, 4};
  v5.headerSize = 124;
  EXPECT_EQ(CountPaletteColors(InfoHeader(v5).data()), 16);
}

} // namespace
