// The quellor-texgen program: the three files it writes, what the program's
// loader makes of them, its exit statuses, and the copies the build put
// beside the program.
#include "BmpWriter.h"
#include "PlatformFixture.h"
#include "TexgenTestHelpers.h"
#include "TexturePictures.h"
#include <PlatformControl.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char *const kNames[3] = {"tex1.bmp", "tex2.bmp", "tex3.bmp"};

class TextureFilesTest : public PlatformTest {};

TEST_F(TextureFilesTest, ToolWritesThreeValid256SquareBitmaps) {
  TempDir dir;
  ASSERT_EQ(RunTexgen("'" + dir.path() + "'"), 0);
  const Picture drawn[3] = {DrawCratePicture(), DrawFloorPicture(), DrawBrickPicture()};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(kNames[i]);
    std::vector<unsigned char> bytes = ReadFileBytes(dir.file(kNames[i]));
    ASSERT_EQ(bytes.size(), 54u + 256u * 256u * 3u);
    EXPECT_EQ(ReadLe32(bytes, 14), 40u);
    EXPECT_EQ(bytes[28], 24); // bits per pixel
    bool loaded = false;
    Picture back = LoadWithProgramLoader(dir.file(kNames[i]), &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(back.width, 256);
    EXPECT_EQ(back.height, 256);
    EXPECT_TRUE(back.pixels == drawn[i].pixels) << "the file is not the drawn picture";
  }
  EXPECT_TRUE(control::MessageBoxesShown().empty());
}

// The build ran the tool once to put the textures beside the program; a run
// now must reproduce them byte for byte.
TEST(TextureFiles, FreshRunReproducesTheBuiltFilesExactly) {
  TempDir fresh;
  ASSERT_EQ(RunTexgen("'" + fresh.path() + "/new'"), 0) << "missing directories are created";
  for (const char *name : kNames) {
    SCOPED_TRACE(name);
    std::vector<unsigned char> built = ReadFileBytes(std::string(QUELLOR_RUNTIME_DIR) + "/" + name);
    ASSERT_FALSE(built.empty()) << "the build did not write it into " << QUELLOR_RUNTIME_DIR;
    EXPECT_TRUE(built == ReadFileBytes(fresh.file(std::string("new/") + name)));
  }
}

TEST(TextureFiles, ToolRefusesBadArgumentsAndUnusableDirectories) {
  TempDir dir;
  EXPECT_EQ(RunTexgen(""), 2);
  EXPECT_EQ(RunTexgen("'" + dir.path() + "' extra"), 2);

  // A regular file where the directory should be.
  std::string blocker = dir.file("blocker");
  ASSERT_EQ(WriteBmpFile(blocker, MakePicture(1, 1)), 1);
  EXPECT_EQ(RunTexgen("'" + blocker + "'"), 1);

  // A directory where a texture file should be: the tool fails rather than
  // reporting success without the file.
  std::filesystem::create_directory(dir.file("tex2.bmp"));
  EXPECT_EQ(RunTexgen("'" + dir.path() + "'"), 1);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("tex2.bmp")));
}

} // namespace
