// Texture files of dimensions OpenGL refuses, of dimensions whose picture
// could not even be addressed, and of hundreds of megabytes or gigabytes.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "AppState.h"
#include "BitmapBytes.h"
#include "BitmapLoader.h"
#include "HostileRun.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "ScratchDirectory.h"
#include "TakenImage.h"
#include "TextureCreation.h"

namespace {

// The header of a 24-bit file of the given size; the pixel bits, which the
// caller supplies or leaves to a sparse extension, follow at offset 54.
Bytes Header24(int32_t width, int32_t height) {
  return Join({FileHeader(14 + 40), InfoHeader({width, height, 24})});
}

// Writes the header and extends the file with a hole to the given size, so
// that the file takes no room on disk.
bool WriteSparse(const std::vector<unsigned char> &header, off_t size) {
  if (!WriteBytes(kHostileTexture, header))
    return false;
  int descriptor = open(kHostileTexture, O_WRONLY);
  if (descriptor < 0)
    return false;
  bool extended = ftruncate(descriptor, size) == 0;
  return close(descriptor) == 0 && extended;
}

off_t Stride24(int32_t width) { return (static_cast<off_t>(width) * 3 + 3) / 4 * 4; }

class HugeTextureTest : public PlatformTest {
protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(directory_.ok());
    ASSERT_TRUE(MakeTestContext());
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize_);
    ASSERT_GT(maxTextureSize_, 0);
  }

  ScratchDirectory directory_;
  GLint maxTextureSize_ = 0;
};

// OpenGL refuses the upload; the texture is left without an image and the
// program goes on, as texture creation does not query OpenGL's errors.
TEST_F(HugeTextureTest, DimensionsOpenGlRefusesLeaveTheTextureEmptyAndTheProgramRunning) {
  const int32_t width = maxTextureSize_ + 1;
  std::vector<unsigned char> file = Header24(width, 1);
  file.resize(54 + Stride24(width), 0x80);
  ASSERT_TRUE(WriteBytes(kHostileTexture, file));

  GLuint name = 0;
  while (glGetError() != GL_NO_ERROR) {
  }
  ASSERT_EQ(LoadTexture(kHostileTexture, &name), 1);
  EXPECT_NE(name, 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
  GLint levelWidth = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &levelWidth);
  EXPECT_EQ(levelWidth, 0) << "the refused image must not be defined";

  ExpectCleanRun(RunWithHostileTexture());
}

// 70000 x 70000 pixels would take more than 4 GiB as 24-bit RGB: refused
// before anything of that size is asked for.
TEST_F(HugeTextureTest, DimensionsBeyondThirtyTwoBitsAreRefused) {
  for (int32_t height : {70000, -70000}) {
    SCOPED_TRACE(height);
    std::vector<unsigned char> file = Header24(70000, height);
    file.resize(4096, 0x11);
    ASSERT_TRUE(WriteBytes(kHostileTexture, file));
    ExpectSceneSetUpFailure(RunWithHostileTexture(),
                            {"Out of memory.", "Image file conversion error."});
  }
}

// A file of 300 MB whose header describes an 8x8 picture: only the picture's
// bytes are read, and the rest of the file costs nothing.
TEST_F(HugeTextureTest, SmallPictureAtTheStartOfAHugeFileLoads) {
  std::vector<unsigned char> file = MakeBitmap24(8, 8, 3);
  ASSERT_TRUE(WriteBytes(kHostileTexture, file));
  ASSERT_TRUE(WriteSparse(file, off_t(300) << 20));
  ExpectCleanRun(RunWithHostileTexture());
}

// The pixels of the file, or empty when the loader refuses it; the load must
// leave nothing held.
std::vector<unsigned char> LoadedPixels(const char *name) {
  std::vector<unsigned char> rgb = TakeImage(LoadBitmapAsRgb(name, 0)).rgb;
  control::LiveResources live = control::Live();
  EXPECT_EQ(live.fileHandles + live.mappings + live.views, 0);
  return rgb;
}

// A 64x64 picture at the head of a sparse file of more than 4 GiB loads as
// the same bytes alone do, and the loader views only the picture's bytes,
// read into memory or mapped: the size of the file costs nothing. So does a
// run-length picture that gives no stream size: its view ends where the
// longest stream of its dimensions would.
TEST_F(HugeTextureTest, APictureAtTheHeadOfAFileOfGigabytesCostsOnlyThePicture) {
  const off_t huge = (off_t(4) << 30) + 12345;
  Bytes runs;
  for (int row = 0; row < 64; ++row) {
    runs.insert(runs.end(), {64, static_cast<uint8_t>(row & 1), 0, 0});
  }
  runs.insert(runs.end(), {0, 1});
  const struct {
    const char *what;
    Bytes bytes;
    uint64_t longestView;
  } kinds[] = {
      {"24 bits", MakeBitmap24(64, 64, 5), 54 + 64 * 64 * 3},
      {"run-length",
       Join({FileHeader(14 + 40 + 8), InfoHeader({64, 64, 8, BI_RLE8, 2}),
             Quads({0x112233, 0x445566}), runs}),
       14 + 40 + 8 + 64 * (4 * 64 + 4) + 2},
  };
  for (const auto &kind : kinds) {
    ASSERT_TRUE(WriteBytes("alone.bmp", kind.bytes));
    ASSERT_TRUE(WriteSparse(kind.bytes, huge));
    for (size_t readLimit : {SIZE_MAX, size_t(0)}) {
      SCOPED_TRACE(std::string(kind.what) + (readLimit == 0 ? ", mapped" : ", read"));
      control::Reset();
      control::SetViewReadLimit(readLimit);
      std::vector<unsigned char> alone = LoadedPixels("alone.bmp");
      ASSERT_EQ(alone.size(), 64u * 64 * 3);
      std::vector<unsigned char> atTheHead = LoadedPixels(kHostileTexture);
      EXPECT_TRUE(atTheHead == alone);
      EXPECT_EQ(control::LongestView(), kind.longestView);
      EXPECT_TRUE(control::MessageBoxesShown().empty());
    }
  }
  ExpectCleanRun(RunWithHostileTexture());
}

// A file of some 200 MB holding a picture just wider than OpenGL accepts:
// decoded in full, then refused by OpenGL, and the program goes on.
TEST_F(HugeTextureTest, HundredsOfMegabytesOfPictureAreDecodedAndRefusedByOpenGl) {
  const int32_t width = maxTextureSize_ + 8;
  const int32_t height = static_cast<int32_t>((off_t(200) << 20) / Stride24(width));
  ASSERT_TRUE(WriteSparse(Header24(width, height), 54 + Stride24(width) * height));
  ExpectCleanRun(RunWithHostileTexture());
}

} // namespace
