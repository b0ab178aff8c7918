#include "BitmapBuilder.h"

#include <BitmapLoader.h>
#include <PlatformControl.h>
#include <TakenImage.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

namespace {

// One directory per test process, removed when the tests end.
class TempDirectory : public ::testing::Environment {
public:
  static const std::string &Path() {
    static std::string path = [] {
      std::string pattern =
          (std::filesystem::temp_directory_path() / "quellor-loader-XXXXXX").string();
      return std::string(mkdtemp(pattern.data()));
    }();
    return path;
  }
  void TearDown() override { std::filesystem::remove_all(Path()); }
};

const auto *tempDirectory = ::testing::AddGlobalTestEnvironment(new TempDirectory);

void CheckReleased() {
  control::LiveResources live = control::Live();
  EXPECT_EQ(live.fileHandles, 0);
  EXPECT_EQ(live.mappings, 0);
  EXPECT_EQ(live.views, 0);
  EXPECT_EQ(live.localBlocks, 0);
  EXPECT_EQ(live.memoryDCs, 0);
  EXPECT_EQ(live.sections, 0);
}

LoadResult Collect(RgbImage *image, size_t boxesBefore) {
  LoadResult result;
  const auto &boxes = control::MessageBoxesShown();
  for (size_t i = boxesBefore; i < boxes.size(); ++i) {
    result.messages.push_back(boxes[i].text);
    EXPECT_EQ(boxes[i].title, "Error");
    EXPECT_EQ(boxes[i].style, static_cast<UINT>(MB_OK));
  }
  EXPECT_EQ(result.messages.size(), image ? 0u : 1u);
  CheckReleased();
  TakenImage taken = TakeImage(image);
  result.loaded = taken.loaded;
  result.width = taken.width;
  result.height = taken.height;
  result.rgb = std::move(taken.rgb);
  return result;
}

} // namespace

std::string TempPath(const std::string &name) { return TempDirectory::Path() + "/" + name; }

std::string WriteTempFile(const std::string &name, const Bytes &content) {
  std::string path = TempPath(name);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char *>(content.data()),
             static_cast<std::streamsize>(content.size()));
  EXPECT_TRUE(file.good()) << path;
  return path;
}

LoadResult LoadBitmap(const std::string &path) {
  size_t before = control::MessageBoxesShown().size();
  return Collect(LoadBitmapAsRgb(path.c_str(), 0), before);
}

LoadResult LoadBitmapWide(const std::u16string &path) {
  size_t before = control::MessageBoxesShown().size();
  return Collect(LoadBitmapAsRgb(path.c_str(), 1), before);
}

uint32_t PixelAt(const LoadResult &result, int x, int y) {
  const uint8_t *pixel = &result.rgb.at((static_cast<size_t>(y) * result.width + x) * 3);
  return static_cast<uint32_t>(pixel[0]) << 16 | pixel[1] << 8 | pixel[2];
}
