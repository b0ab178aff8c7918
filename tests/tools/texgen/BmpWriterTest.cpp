// The BMP writer: header fields, bottom-up rows of blue-green-red pixels,
// zero fill to four bytes per row, and what the program's loader makes of it.
#include "BmpWriter.h"
#include "PlatformFixture.h"
#include "TexgenTestHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A picture whose every pixel differs from every other one.
Picture MakeNumberedPicture(int width, int height) {
  Picture picture = MakePicture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      PutPixel(picture, x, y,
               Rgb{static_cast<float>(10 + x), static_cast<float>(100 + y),
                   static_cast<float>(200 + x + y)});
  return picture;
}

TEST(BmpWriter, HeadersRowOrderAndFillForOddWidths) {
  const int height = 3;
  const int widths[] = {1, 2, 3, 5};
  const std::size_t strides[] = {4, 8, 12, 16};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("width " + std::to_string(widths[i]));
    Picture picture = MakeNumberedPicture(widths[i], height);
    std::vector<unsigned char> bytes = EncodeBmp(picture);
    std::size_t stride = strides[i];
    EXPECT_EQ(BmpRowStride(widths[i]), static_cast<int>(stride));
    ASSERT_EQ(bytes.size(), 54 + stride * height);

    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(ReadLe32(bytes, 2), bytes.size());
    EXPECT_EQ(ReadLe32(bytes, 10), 54u);
    EXPECT_EQ(ReadLe32(bytes, 14), 40u);
    EXPECT_EQ(ReadLe32(bytes, 18), static_cast<std::uint32_t>(widths[i]));
    EXPECT_EQ(ReadLe32(bytes, 22), static_cast<std::uint32_t>(height));
    EXPECT_EQ(bytes[26], 1);  // planes
    EXPECT_EQ(bytes[28], 24); // bits per pixel
    EXPECT_EQ(ReadLe32(bytes, 30), 0u);
    EXPECT_EQ(ReadLe32(bytes, 34), stride * height);
    EXPECT_EQ(ReadLe32(bytes, 46), 0u); // no colour table

    for (int y = 0; y < height; ++y) {
      // The picture's top row is the file's last.
      std::size_t row = 54 + static_cast<std::size_t>(height - 1 - y) * stride;
      for (int x = 0; x < widths[i]; ++x) {
        EXPECT_EQ(bytes[row + 3 * x], 200 + x + y) << "blue of " << x << "," << y;
        EXPECT_EQ(bytes[row + 3 * x + 1], 100 + y) << "green of " << x << "," << y;
        EXPECT_EQ(bytes[row + 3 * x + 2], 10 + x) << "red of " << x << "," << y;
      }
      for (std::size_t fill = 3 * widths[i]; fill < stride; ++fill)
        EXPECT_EQ(bytes[row + fill], 0) << "fill byte " << fill << " of row " << y;
    }
  }
}

TEST(BmpWriter, ChannelsAreClampedAndRounded) {
  Picture picture = MakePicture(1, 1);
  PutPixel(picture, 0, 0, Rgb{-20.0f, 127.6f, 300.0f});
  EXPECT_EQ(picture.pixels, (std::vector<unsigned char>{0, 128, 255}));
}

class BmpWriterFileTest : public PlatformTest {};

TEST_F(BmpWriterFileTest, ProgramLoaderReadsBackEveryWidth) {
  TempDir dir;
  for (int width : {1, 2, 3, 5, 8}) {
    SCOPED_TRACE("width " + std::to_string(width));
    Picture picture = MakeNumberedPicture(width, 4);
    std::string path = dir.file("w" + std::to_string(width) + ".bmp");
    ASSERT_EQ(WriteBmpFile(path, picture), 1);
    EXPECT_EQ(ReadFileBytes(path), EncodeBmp(picture));
    bool loaded = false;
    Picture back = LoadWithProgramLoader(path, &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(back.width, width);
    EXPECT_EQ(back.height, 4);
    EXPECT_EQ(back.pixels, picture.pixels);
  }
}

TEST(BmpWriter, UnwritablePathFailsAndLeavesNothing) {
  TempDir dir;
  std::string path = dir.file("missing/sub/tex.bmp");
  EXPECT_EQ(WriteBmpFile(path, MakeNumberedPicture(2, 2)), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  // A directory in the way cannot be replaced by a file either.
  std::filesystem::create_directory(dir.file("taken.bmp"));
  EXPECT_EQ(WriteBmpFile(dir.file("taken.bmp"), MakeNumberedPicture(2, 2)), 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.bmp")));
}

} // namespace
