#include "BitmapBuilder.h"

#include <BitmapLoader.h>
#include <HeadlessControl.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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
  headless::LiveResources live = headless::Live();
  EXPECT_EQ(live.fileHandles, 0);
  EXPECT_EQ(live.mappings, 0);
  EXPECT_EQ(live.views, 0);
  EXPECT_EQ(live.localBlocks, 0);
  EXPECT_EQ(live.memoryDCs, 0);
  EXPECT_EQ(live.sections, 0);
}

LoadResult Collect(RgbImage *image, size_t boxesBefore) {
  LoadResult result;
  const auto &boxes = headless::MessageBoxesShown();
  for (size_t i = boxesBefore; i < boxes.size(); ++i) {
    result.messages.push_back(boxes[i].text);
    EXPECT_EQ(boxes[i].title, "Error");
    EXPECT_EQ(boxes[i].style, static_cast<UINT>(MB_OK));
  }
  EXPECT_EQ(result.messages.size(), image ? 0u : 1u);
  CheckReleased();
  if (image) {
    result.loaded = true;
    result.width = image->width;
    result.height = image->height;
    result.rgb.assign(image->pixels,
                      image->pixels + static_cast<size_t>(image->width) * image->height * 3);
    std::free(image->pixels);
    std::free(image);
  }
  return result;
}

} // namespace

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

Bytes PaddedRows(std::initializer_list<Bytes> rows) {
  Bytes bytes;
  for (const Bytes &row : rows) {
    bytes.insert(bytes.end(), row.begin(), row.end());
    bytes.resize((bytes.size() + 3) & ~size_t{3}, 0);
  }
  return bytes;
}

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
  size_t before = headless::MessageBoxesShown().size();
  return Collect(LoadBitmapAsRgb(path.c_str(), 0), before);
}

LoadResult LoadBitmapWide(const std::u16string &path) {
  size_t before = headless::MessageBoxesShown().size();
  return Collect(LoadBitmapAsRgb(path.c_str(), 1), before);
}

uint32_t PixelAt(const LoadResult &result, int x, int y) {
  const uint8_t *pixel = &result.rgb.at((static_cast<size_t>(y) * result.width + x) * 3);
  return static_cast<uint32_t>(pixel[0]) << 16 | pixel[1] << 8 | pixel[2];
}
