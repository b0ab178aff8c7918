// Files that a loader trusting its headers would mishandle: bit-field masks,
// files cut short anywhere, pixel bits past the end, dimensions too large for
// memory, run-length codes that leave the picture, long file names, colour
// counts past 16 bits, top-down rows and headers without planes.
#include "BitmapBuilder.h"

#include <PlatformControl.h>
#include <PlatformFixture.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

using Texts = std::vector<std::string>;

const Texts kUnknownFormat = {"Unknown DIB file format."};
const Texts kConversionError = {"Image file conversion error."};
const Texts kOutOfMemory = {"Out of memory."};

class MendedFaultsTest : public PlatformTest {};

Bytes Row16(std::initializer_list<uint32_t> values) {
  Bytes row;
  for (uint32_t value : values) {
    Put16(&row, value);
  }
  return row;
}

bool Called(const std::string &name) {
  std::vector<std::string> names = control::CallNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST_F(MendedFaultsTest, BitFieldMasksComeWithTheHeader) {
  Bytes masks565 = Masks(0xF800, 0x07E0, 0x001F);
  Bytes row = Row16({0xF800, 0x07E0, 0x0400, 0x0010});
  // Without a file header the bits follow the masks.
  LoadResult packed = LoadBitmap(
      WriteTempFile("bf565.dib", Join({InfoHeader({4, 1, 16, BI_BITFIELDS}), masks565, row})));
  ASSERT_TRUE(packed.loaded);
  EXPECT_EQ(PixelAt(packed, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(packed, 1, 0), 0x00FF00u);
  EXPECT_EQ(PixelAt(packed, 2, 0), 0x008200u); // 6 bits: 32 << 2 | 32 >> 4
  EXPECT_EQ(PixelAt(packed, 3, 0), 0x000084u); // 5 bits: 16 << 3 | 16 >> 2

  // ... and after the masks, the colour table.
  LoadResult withTable = LoadBitmap(
      WriteTempFile("bf565pal.dib",
                    Join({InfoHeader({4, 1, 16, BI_BITFIELDS, 2}), masks565, Quads({1, 2}), row})));
  ASSERT_TRUE(withTable.loaded);
  EXPECT_EQ(withTable.rgb, packed.rgb);

  // Channels wider than 8 bits keep their top 8 bits: 10-10-10 here.
  Bytes row32;
  Put32(&row32, 0x3FF | 0x200 << 10 | 0x0FF << 20);
  Put32(&row32, 0x003 | 0x3FC << 10 | 0x101 << 20);
  Bytes file = Join({FileHeader(14 + 40 + 12), InfoHeader({2, 1, 32, BI_BITFIELDS}),
                     Masks(0x3FF, 0x3FF << 10, 0x3FF << 20), row32});
  LoadResult wide = LoadBitmap(WriteTempFile("bf101010.bmp", file));
  ASSERT_TRUE(wide.loaded);
  EXPECT_EQ(PixelAt(wide, 0, 0), 0xFF803Fu);
  EXPECT_EQ(PixelAt(wide, 1, 0), 0x00FF40u);
}

// A file cut anywhere before its end is refused: within the headers or the
// colour table as an unknown format, within the pixel bits as a conversion
// error. The empty file cannot even be mapped.
void ExpectEveryCutRefused(const std::string &name, const Bytes &file, size_t bitsOffset) {
  ASSERT_TRUE(LoadBitmap(WriteTempFile(name, file)).loaded);
  for (size_t length = 1; length < file.size(); ++length) {
    SCOPED_TRACE(name + " cut to " + std::to_string(length));
    std::string path = WriteTempFile(name, Bytes(file.begin(), file.begin() + length));
    EXPECT_EQ(LoadBitmap(path).messages, length < bitsOffset ? kUnknownFormat : kConversionError);
  }
}

TEST_F(MendedFaultsTest, FilesCutShortAnywhereAreRefused) {
  Bytes bits8 = PaddedRows({{0, 1, 2, 3, 0}, {3, 2, 1, 0, 3}});
  ExpectEveryCutRefused(
      "cut8.bmp",
      Join({FileHeader(14 + 40 + 16), InfoHeader({5, 2, 8, 0, 4}), PaletteQuads(4), bits8}),
      14 + 40 + 16);
  ExpectEveryCutRefused("cut8.dib", Join({InfoHeader({5, 2, 8, 0, 4}), PaletteQuads(4), bits8}),
                        40 + 16);
  Bytes triples = Triples({0x102030, 0x405060});
  ExpectEveryCutRefused(
      "cut1core.dib",
      Join({CoreHeader(9, 2, 1), triples, PaddedRows({{0xA5, 0x80}, {0x5A, 0x00}})}), 12 + 6);
  ExpectEveryCutRefused("cutbf.dib",
                        Join({InfoHeader({2, 1, 16, BI_BITFIELDS}), Masks(0x7C00, 0x03E0, 0x001F),
                              Row16({0x7FFF, 0x0001})}),
                        40 + 12);
}

TEST_F(MendedFaultsTest, HeaderFieldsPastTheEndAreNotRead) {
  // "BM" alone, a header size and nothing more, and a later header's size in
  // a file too short for the colour count's field at offset 32.
  EXPECT_EQ(LoadBitmap(WriteTempFile("bm.bmp", {'B', 'M'})).messages, kUnknownFormat);
  Bytes sizeOnly = FileHeader(54);
  Put32(&sizeOnly, 40);
  EXPECT_EQ(LoadBitmap(WriteTempFile("size.bmp", sizeOnly)).messages, kUnknownFormat);
  Bytes shortV4;
  Put32(&shortV4, 108);
  shortV4.resize(30, 0);
  EXPECT_EQ(LoadBitmap(WriteTempFile("v4.dib", shortV4)).messages, kUnknownFormat);
}

TEST_F(MendedFaultsTest, PixelBitsStartingPastTheEndAreRefused) {
  Bytes headers = Join({InfoHeader({1, 1, 24}), PaddedRows({{1, 2, 3}})});
  for (uint32_t offset : {58u, 59u, 1000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(offset);
    Bytes file = Join({FileHeader(offset), headers});
    EXPECT_EQ(LoadBitmap(WriteTempFile("offset.bmp", file)).messages, kConversionError);
    EXPECT_FALSE(Called("CreateDIBSection"));
  }
  // A run-length stream has no size to check against the file: its start is.
  Bytes rle = Join({InfoHeader({1, 1, 8, BI_RLE8, 1}), Quads({0x123456}), Bytes{1, 0, 0, 1}});
  for (uint32_t offset : {62u, 0x80000000u}) {
    SCOPED_TRACE(offset);
    Bytes file = Join({FileHeader(offset), rle});
    EXPECT_EQ(LoadBitmap(WriteTempFile("offset.bmp", file)).messages, kConversionError);
    EXPECT_FALSE(Called("CreateDIBSection"));
  }
  EXPECT_TRUE(LoadBitmap(WriteTempFile("offset.bmp", Join({FileHeader(58), rle}))).loaded);
}

TEST_F(MendedFaultsTest, RunLengthStreamsThatEndEarlyKeepTheRowsTheyFinished) {
  // Two rows of three: a run and an end of line, then an absolute run with its
  // pad byte and the end of bitmap.
  Bytes stream = {3, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 1};
  const size_t endOfLine = 4;
  Bytes table = PaletteQuads(3);
  auto file = [&](const Bytes &bits, uint32_t sizeImage) {
    return Join(
        {FileHeader(14 + 40 + 12), InfoHeader({3, 2, 8, BI_RLE8, 3, sizeImage}), table, bits});
  };
  LoadResult whole = LoadBitmap(WriteTempFile("rle.bmp", file(stream, 0)));
  ASSERT_TRUE(whole.loaded);
  EXPECT_EQ(PixelAt(whole, 2, 0), PaletteColour(1));
  EXPECT_EQ(PixelAt(whole, 0, 1), PaletteColour(2));
  EXPECT_EQ(PixelAt(whole, 2, 1), PaletteColour(1));
  // A size larger than the file is held to the file.
  EXPECT_EQ(LoadBitmap(WriteTempFile("rle.bmp", file(stream, 5000))).rgb, whole.rgb);

  // Cut anywhere before its end of bitmap, whether by the file or by
  // biSizeImage, the stream still gives the whole picture: the row its end of
  // line finished, and black for the row it stopped in. (With no byte at all
  // the pixel bits start at the end of the file, which is refused.)
  for (size_t length = 1; length < stream.size(); ++length) {
    SCOPED_TRACE(length);
    Bytes cut(stream.begin(), stream.begin() + length);
    LoadResult byFile = LoadBitmap(WriteTempFile("rlecut.bmp", file(cut, 0)));
    LoadResult bySize =
        LoadBitmap(WriteTempFile("rlecut.bmp", file(stream, static_cast<uint32_t>(length))));
    ASSERT_TRUE(byFile.loaded);
    ASSERT_EQ(byFile.width, 3);
    ASSERT_EQ(byFile.height, 2);
    EXPECT_TRUE(byFile.messages.empty());
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(PixelAt(byFile, x, 0), length >= endOfLine ? PaletteColour(1) : 0u);
      EXPECT_EQ(PixelAt(byFile, x, 1), 0u);
    }
    EXPECT_EQ(bySize.rgb, byFile.rgb);
  }
}

struct Oversized {
  int32_t width;
  int32_t height;
  uint16_t bitCount;
  uint32_t compression;
  const Texts &texts;
};

TEST_F(MendedFaultsTest, DimensionsTooLargeOrEmptyAreRefusedBeforeAllocating) {
  const Oversized cases[] = {{65536, 65536, 24, BI_RGB, kOutOfMemory},
                             {1, INT_MIN, 24, BI_RGB, kOutOfMemory},
                             {INT_MAX, 1, 1, BI_RGB, kOutOfMemory},
                             {1431655766, 1, 8, BI_RLE8, kOutOfMemory},
                             {0, INT_MIN, 24, BI_RGB, kConversionError},
                             {30000, 30000, 24, BI_RGB, kConversionError},
                             {100000, 1000, 1, BI_RGB, kConversionError},
                             {0, 1, 24, BI_RGB, kConversionError},
                             {1, 0, 24, BI_RGB, kConversionError},
                             {-5, 1, 24, BI_RGB, kConversionError},
                             {INT_MIN, INT_MIN, 8, BI_RLE8, kConversionError},
                             {65535, 20000, 0, BI_JPEG, kConversionError},
                             {2, 0x13000002, 256, 0xFF000001, kConversionError}};
  for (const Oversized &oversized : cases) {
    SCOPED_TRACE(std::to_string(oversized.width) + " x " + std::to_string(oversized.height));
    control::Reset();
    Bytes file = Join(
        {FileHeader(54),
         InfoHeader({oversized.width, oversized.height, oversized.bitCount, oversized.compression}),
         Bytes(1100, 0)});
    EXPECT_EQ(LoadBitmap(WriteTempFile("large.bmp", file)).messages, oversized.texts);
    EXPECT_FALSE(Called("CreateDIBSection"));
  }
  // A core header's largest picture, 65535 x 65535, needs more than 32 bits.
  Bytes core = Join({CoreHeader(65535, 65535, 24), Bytes(64, 0)});
  EXPECT_EQ(LoadBitmap(WriteTempFile("largecore.dib", core)).messages, kOutOfMemory);
}

// A run-length file of side x side pixels whose stream only ends the picture:
// a few bytes that ask for a section and a pixels buffer of side² x 3 each.
Bytes EmptyRunLengthPicture(int32_t side) {
  return Join({FileHeader(14 + 40 + 8), InfoHeader({side, side, 8, BI_RLE8, 2}), PaletteQuads(2),
               Bytes{0, 1}});
}

TEST_F(MendedFaultsTest, PicturesTheMemoryCannotHoldAreRefusedBeforeTheSection) {
  const std::string large = WriteTempFile("large.bmp", EmptyRunLengthPicture(2048));
  const uint64_t needed = 2 * uint64_t{2048} * 2048 * 3;
  control::SetAvailableMemory(needed - 1);
  EXPECT_EQ(LoadBitmap(large).messages, kOutOfMemory);
  EXPECT_TRUE(Called("GlobalMemoryStatusEx"));
  EXPECT_FALSE(Called("CreateDIBSection"));

  control::SetAvailableMemory(needed);
  LoadResult loaded = LoadBitmap(large);
  EXPECT_TRUE(loaded.loaded);
  EXPECT_EQ(loaded.width, 2048);

  // 37837 x 37837 passes the 32-bit check but needs just under 8 GiB.
  control::SetAvailableMemory(uint64_t{4} << 30);
  control::ClearCallLog();
  EXPECT_EQ(LoadBitmap(WriteTempFile("huge.bmp", EmptyRunLengthPicture(37837))).messages,
            kOutOfMemory);
  EXPECT_FALSE(Called("CreateDIBSection"));

  // When the platform cannot tell, the allocations decide.
  control::SetAvailableMemory(0);
  control::FailCall("GlobalMemoryStatusEx");
  EXPECT_TRUE(LoadBitmap(large).loaded);

  // A small picture is not asked about.
  control::ClearCallLog();
  EXPECT_TRUE(LoadBitmap(WriteTempFile("small.bmp", EmptyRunLengthPicture(64))).loaded);
  EXPECT_FALSE(Called("GlobalMemoryStatusEx"));
}

// Rows of a 3 x 2 run-length picture, from a stream that overruns rows and
// the picture.
LoadResult DecodeStream(uint32_t compression, const Bytes &stream) {
  Bytes file = Join(
      {FileHeader(14 + 40 + 16),
       InfoHeader({3, 2, static_cast<uint16_t>(compression == BI_RLE8 ? 8 : 4), compression, 4}),
       PaletteQuads(4), stream});
  return LoadBitmap(WriteTempFile("clip.bmp", file));
}

TEST_F(MendedFaultsTest, RunsAndDeltasThatLeaveThePictureAreClipped) {
  // A run of 255 in a row of 3, then an absolute run of 5 on the next row,
  // then a delta far past the picture.
  LoadResult rle8 = DecodeStream(BI_RLE8, {255, 1, 0, 0, 0, 5, 2, 3, 2, 3, 2, 0, 0, 2, 200, 200});
  ASSERT_TRUE(rle8.loaded);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(PixelAt(rle8, x, 0), PaletteColour(1));
    EXPECT_EQ(PixelAt(rle8, x, 1), PaletteColour(x % 2 ? 3 : 2));
  }

  // A delta to the right of the row leaves the rest of it as it was (black);
  // a run there writes nothing; the next row starts at its left edge.
  LoadResult delta = DecodeStream(BI_RLE8, {1, 3, 0, 2, 10, 0, 4, 1, 0, 0, 2, 2, 0, 1});
  ASSERT_TRUE(delta.loaded);
  EXPECT_EQ(PixelAt(delta, 0, 0), PaletteColour(3));
  EXPECT_EQ(PixelAt(delta, 1, 0), 0u);
  EXPECT_EQ(PixelAt(delta, 2, 0), 0u);
  EXPECT_EQ(PixelAt(delta, 0, 1), PaletteColour(2));
  EXPECT_EQ(PixelAt(delta, 1, 1), PaletteColour(2));
  EXPECT_EQ(PixelAt(delta, 2, 1), 0u);

  // RLE4: a run of 9 alternating nibbles, an absolute run of 7 (4 bytes, no
  // pad), a run on a row past the top.
  LoadResult rle4 =
      DecodeStream(BI_RLE4, {9, 0x12, 0, 0, 0, 7, 0x32, 0x10, 0x32, 0x10, 0, 0, 4, 0x11, 0, 1});
  ASSERT_TRUE(rle4.loaded);
  EXPECT_EQ(PixelAt(rle4, 0, 0), PaletteColour(1));
  EXPECT_EQ(PixelAt(rle4, 1, 0), PaletteColour(2));
  EXPECT_EQ(PixelAt(rle4, 2, 0), PaletteColour(1));
  EXPECT_EQ(PixelAt(rle4, 0, 1), PaletteColour(3));
  EXPECT_EQ(PixelAt(rle4, 1, 1), PaletteColour(2));
  EXPECT_EQ(PixelAt(rle4, 2, 1), PaletteColour(1));
}

TEST_F(MendedFaultsTest, LongNamesAreCutToFitTheMessage) {
  std::string directory = TempPath(std::string(120, 'd'));
  std::string name = directory + "/" + std::string(200, 'n') + ".bmp";
  Texts messages = LoadBitmap(name).messages;
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Failed to open DIB file " + name.substr(0, 229) + ".\n");
  EXPECT_EQ(messages[0].size(), 255u);

  // A wide name too, once in 8-bit characters: 229 bytes of it.
  std::u16string wide(name.begin(), name.end());
  messages = LoadBitmapWide(wide).messages;
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Failed to open DIB file " + name.substr(0, 229) + ".\n");
  // Characters of several bytes are never split: 114 omegas of 2 bytes fit,
  // and the 115th would end past the 229th byte.
  std::u16string omegas(1000, u'\u03A9'); // more than wsprintfA writes
  messages = LoadBitmapWide(omegas).messages;
  ASSERT_EQ(messages.size(), 1u);
  std::string omega = "\xCE\xA9";
  std::string shown;
  for (int i = 0; i < 114; ++i) {
    shown += omega;
  }
  EXPECT_EQ(messages[0], "Failed to open DIB file " + shown + ".\n");
  // A narrow name of 3-byte characters after one ASCII byte: 76 of them fit.
  std::string wons = "w";
  for (int i = 0; i < 100; ++i) {
    wons += "\xE2\x82\xA9";
  }
  messages = LoadBitmap(TempPath(wons)).messages;
  ASSERT_EQ(messages.size(), 1u);
  std::string prefix = TempPath(wons).substr(0, TempPath(wons).size() - wons.size());
  size_t room = 229 - prefix.size() - 1;
  EXPECT_EQ(messages[0],
            "Failed to open DIB file " + prefix + wons.substr(0, 1 + room / 3 * 3) + ".\n");
}

TEST_F(MendedFaultsTest, ColourCountsPastSixteenBitsAreRefused) {
  // The count keeps the low 16 bits (2), so neither the table copied nor the
  // position of packed bits would match the file's.
  for (uint32_t used : {0x10002u, 0x10000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(used);
    Bytes packed = Join({InfoHeader({2, 1, 8, 0, used}), PaletteQuads(2), PaddedRows({{0, 1}})});
    EXPECT_EQ(LoadBitmap(WriteTempFile("clrused.dib", packed)).messages, kUnknownFormat);
    Bytes withHeader = Join({FileHeader(14 + 40 + 8), packed});
    EXPECT_EQ(LoadBitmap(WriteTempFile("clrused.bmp", withHeader)).messages, kUnknownFormat);
  }
  // 65535 entries are still a table.
  Bytes largest =
      Join({InfoHeader({2, 1, 8, 0, 65535}), PaletteQuads(65535), PaddedRows({{0, 255}})});
  LoadResult result = LoadBitmap(WriteTempFile("clr65535.dib", largest));
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(PixelAt(result, 1, 0), PaletteColour(255));
}

TEST_F(MendedFaultsTest, TopDownFilesComeOutBottomRowFirst) {
  Bytes table = PaletteQuads(4);
  Bytes topFirst = PaddedRows({{0, 1}, {2, 3}, {1, 1}});
  Bytes bottomFirst = PaddedRows({{1, 1}, {2, 3}, {0, 1}});
  LoadResult topDown = LoadBitmap(WriteTempFile(
      "topdown.bmp",
      Join({FileHeader(14 + 40 + 16), InfoHeader({2, -3, 8, 0, 4}), table, topFirst})));
  LoadResult bottomUp = LoadBitmap(WriteTempFile(
      "bottomup.bmp",
      Join({FileHeader(14 + 40 + 16), InfoHeader({2, 3, 8, 0, 4}), table, bottomFirst})));
  ASSERT_TRUE(topDown.loaded);
  ASSERT_TRUE(bottomUp.loaded);
  EXPECT_EQ(topDown.height, 3);
  EXPECT_EQ(topDown.rgb, bottomUp.rgb);
  EXPECT_EQ(PixelAt(topDown, 0, 2), PaletteColour(0));

  Bytes row24top = PaddedRows({{1, 2, 3}, {4, 5, 6}});
  LoadResult rgb =
      LoadBitmap(WriteTempFile("topdown24.dib", Join({InfoHeader({1, -2, 24}), row24top})));
  ASSERT_TRUE(rgb.loaded);
  EXPECT_EQ(rgb.height, 2);
  EXPECT_EQ(PixelAt(rgb, 0, 0), 0x060504u);
  EXPECT_EQ(PixelAt(rgb, 0, 1), 0x030201u);

  // Run-length streams always start at the bottom: a top-down one is refused.
  Bytes rle = Join(
      {FileHeader(14 + 40 + 16), InfoHeader({2, -1, 8, BI_RLE8, 4}), table, Bytes{2, 1, 0, 1}});
  EXPECT_EQ(LoadBitmap(WriteTempFile("rletopdown.bmp", rle)).messages, kConversionError);
}

} // namespace

namespace {

// GDI refuses a header that gives no planes, of any kind and bit depth, but
// takes any other count (bmpsuite's badplanes.bmp gives 30000).
TEST_F(MendedFaultsTest, AHeaderWithoutPlanesIsRefusedAsGdiRefusesIt) {
  Bytes bits24 = PaddedRows({{0x10, 0x20, 0x30, 0x40, 0x50, 0x60}});
  Bytes bits8 = PaddedRows({{0, 1}});
  Bytes core = CoreHeader(2, 1, 8);
  Bytes coreWithout = core;
  coreWithout[8] = 0; // bcPlanes
  struct {
    const char *name;
    Bytes with;    // one plane
    Bytes without; // none
  } kinds[] = {
      {"24-bit", Join({FileHeader(54), InfoHeader({2, 1, 24}), bits24}),
       Join({FileHeader(54), InfoHeader({2, 1, 24, 0, 0, 0, 40, 0}), bits24})},
      {"8-bit", Join({FileHeader(62), InfoHeader({2, 1, 8, 0, 2}), Quads({1, 2}), bits8}),
       Join({FileHeader(62), InfoHeader({2, 1, 8, 0, 2, 0, 40, 0}), Quads({1, 2}), bits8})},
      {"core header", Join({core, Bytes(256 * 3), bits8}),
       Join({coreWithout, Bytes(256 * 3), bits8})},
  };
  for (auto &kind : kinds) {
    SCOPED_TRACE(kind.name);
    EXPECT_TRUE(LoadBitmap(WriteTempFile("planes1.bmp", kind.with)).loaded);
    EXPECT_EQ(LoadBitmap(WriteTempFile("planes0.bmp", kind.without)).messages, kConversionError);
  }
  Bytes many = Join({FileHeader(54), InfoHeader({2, 1, 24, 0, 0, 0, 40, 30000}), bits24});
  EXPECT_TRUE(LoadBitmap(WriteTempFile("planes30000.bmp", many)).loaded);
}

} // namespace
