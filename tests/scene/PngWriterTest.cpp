// The PNG files that quellor-snapshot and the scene tests write.
#include <gtest/gtest.h>

#include <png.h>

#include <string>
#include <vector>

#include "PngWriter.h"

TEST(PngWriter, PicturesAreWrittenTopRowFirst) {
  // Two pixels wide, two rows: the bottom row red, the top row blue.
  snapshot::Picture picture;
  picture.width = 2;
  picture.height = 2;
  picture.pixels = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
  const std::string path = ::testing::TempDir() + "rows.png";
  std::string error;
  ASSERT_TRUE(snapshot::WritePicturePng(path, picture, &error)) << error;
  picture.height = 3;
  EXPECT_FALSE(snapshot::WritePicturePng(path, picture, &error)) << "size does not match";
  EXPECT_FALSE(snapshot::WritePicturePng("/nonexistent/rows.png", picture, &error));

  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> read(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, read.data(), 0, nullptr));
  EXPECT_EQ(2u, image.width);
  EXPECT_EQ(2u, image.height);
  EXPECT_EQ((std::vector<unsigned char>{0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0}), read);
}
