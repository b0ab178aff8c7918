// The BMP Suite's files: good ones decode to the same pixels as stb_image
// (or, where stb_image cannot read a file, as the same picture in another
// encoding), and every questionable or bad file is refused with one of the
// loader's texts or decoded within its own dimensions.
#include "BitmapBuilder.h"

#include <PlatformFixture.h>

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

namespace {

const std::string kSuite = QUELLOR_BMPSUITE_DIR;

class BmpSuiteTest : public PlatformTest {};

// stb_image's decoding, bottom row first like the loader's; empty when
// stb_image refuses the file.
LoadResult DecodeWithStb(const std::string &path) {
  LoadResult result;
  int width = 0, height = 0, channels = 0;
  unsigned char *pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
  if (!pixels) {
    return result;
  }
  result.loaded = true;
  result.width = width;
  result.height = height;
  size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int y = height - 1; y >= 0; --y) {
    result.rgb.insert(result.rgb.end(), pixels + y * rowBytes, pixels + (y + 1) * rowBytes);
  }
  stbi_image_free(pixels);
  return result;
}

int LargestDifference(const LoadResult &a, const LoadResult &b) {
  int largest = 0;
  for (size_t i = 0; i < a.rgb.size() && i < b.rgb.size(); ++i) {
    largest = std::max(largest, std::abs(a.rgb[i] - b.rgb[i]));
  }
  return largest;
}

void ExpectSamePicture(const std::string &file, const std::string &oracleFile, int tolerance) {
  SCOPED_TRACE(file + " against " + oracleFile);
  LoadResult ours = LoadBitmap(kSuite + "/" + file);
  LoadResult oracle = DecodeWithStb(kSuite + "/" + oracleFile);
  ASSERT_TRUE(ours.loaded);
  ASSERT_TRUE(oracle.loaded);
  ASSERT_EQ(ours.width, oracle.width);
  ASSERT_EQ(ours.height, oracle.height);
  ASSERT_EQ(ours.rgb.size(), oracle.rgb.size());
  EXPECT_LE(LargestDifference(ours, oracle), tolerance);
}

// The size field of the file's DIB header.
uint32_t HeaderSize(const std::string &path) {
  FILE *file = std::fopen(path.c_str(), "rb");
  unsigned char bytes[4] = {};
  std::fseek(file, 14, SEEK_SET);
  size_t got = std::fread(bytes, 1, 4, file);
  std::fclose(file);
  return got == 4 ? bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24 : 0;
}

std::vector<std::string> SuiteFiles(const std::string &folder) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(kSuite + "/" + folder)) {
    names.push_back(folder + "/" + entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsLoaderText(const std::string &text) {
  static const std::set<std::string> texts = {"Out of memory.", "Unknown DIB file format.",
                                              "Image file conversion error."};
  return texts.count(text) == 1;
}

TEST_F(BmpSuiteTest, GoodFilesMatchAnIndependentDecoder) {
  // stb_image cannot read these; each shows the same picture as another file.
  const std::map<std::string, std::string> siblings = {{"g/pal4rle.bmp", "g/pal4.bmp"},
                                                       {"g/pal8rle.bmp", "g/pal8.bmp"},
                                                       {"g/rgb24pal.bmp", "g/rgb24.bmp"},
                                                       {"g/rgb16-565pal.bmp", "g/rgb16-565.bmp"}};
  int compared = 0;
  for (const std::string &file : SuiteFiles("g")) {
    uint32_t size = HeaderSize(kSuite + "/" + file);
    if (size != 12 && size != 40) {
      continue;
    }
    auto sibling = siblings.find(file);
    bool sixteenBits = file.find("rgb16") != std::string::npos;
    ExpectSamePicture(file, sibling == siblings.end() ? file : sibling->second,
                      sixteenBits ? 1 : 0);
    ++compared;
  }
  EXPECT_EQ(compared, 25);
}

TEST_F(BmpSuiteTest, GoodFilesWithLaterHeadersAreUnknown) {
  for (const char *file : {"g/pal8v4.bmp", "g/pal8v5.bmp"}) {
    EXPECT_EQ(LoadBitmap(kSuite + "/" + file).messages,
              std::vector<std::string>{"Unknown DIB file format."});
  }
}

TEST_F(BmpSuiteTest, QuestionableFilesTheLoaderReads) {
  for (const char *file :
       {"q/pal1p1.bmp", "q/pal8os2-hs.bmp", "q/pal8os2-sz.bmp", "q/pal8os2v2-40sz.bmp",
        "q/rgb16-231.bmp", "q/rgb16faketrns.bmp", "q/rgb32fakealpha.bmp"}) {
    ExpectSamePicture(file, file, 0);
  }
  // stb_image refuses or misreads these, whose pictures another file shows:
  // bits at a later offset, a table longer than 256 entries, a core header
  // whose table is cut short by bfOffBits.
  ExpectSamePicture("q/pal8offs.bmp", "g/pal8.bmp", 0);
  ExpectSamePicture("q/pal8oversizepal.bmp", "g/pal8.bmp", 0);
  ExpectSamePicture("q/rgb24largepal.bmp", "g/rgb24.bmp", 0);
  ExpectSamePicture("q/pal8os2sp.bmp", "g/pal8.bmp", 0);
}

// Deltas and early ends leave pixels as the section was, black; every other
// pixel is the picture's own.
TEST_F(BmpSuiteTest, RunLengthFilesWithSkippedPixels) {
  for (auto [file, full] : {std::pair{"q/pal8rletrns.bmp", "g/pal8.bmp"},
                            {"q/pal8rlecut.bmp", "g/pal8.bmp"},
                            {"q/pal4rletrns.bmp", "g/pal4.bmp"},
                            {"q/pal4rlecut.bmp", "g/pal4.bmp"}}) {
    SCOPED_TRACE(file);
    LoadResult ours = LoadBitmap(kSuite + "/" + file);
    LoadResult picture = DecodeWithStb(kSuite + "/" + full);
    ASSERT_TRUE(ours.loaded);
    ASSERT_EQ(ours.rgb.size(), picture.rgb.size());
    int skipped = 0, mismatched = 0;
    for (int y = 0; y < ours.height; ++y) {
      for (int x = 0; x < ours.width; ++x) {
        uint32_t pixel = PixelAt(ours, x, y);
        if (pixel == 0 && PixelAt(picture, x, y) != 0) {
          ++skipped;
        } else if (pixel != PixelAt(picture, x, y)) {
          ++mismatched;
        }
      }
    }
    EXPECT_EQ(mismatched, 0);
    EXPECT_GT(skipped, 300);
  }
}

TEST_F(BmpSuiteTest, EveryQuestionableAndBadFileIsRefusedOrDecodedSafely) {
  std::vector<std::string> files = SuiteFiles("q");
  std::vector<std::string> bad = SuiteFiles("b");
  files.insert(files.end(), bad.begin(), bad.end());
  for (const std::string &file : files) {
    SCOPED_TRACE(file);
    LoadResult result = LoadBitmap(kSuite + "/" + file);
    if (result.loaded) {
      EXPECT_GT(result.width, 0);
      EXPECT_GT(result.height, 0);
      EXPECT_EQ(result.rgb.size(), static_cast<size_t>(result.width) * result.height * 3);
    } else {
      ASSERT_EQ(result.messages.size(), 1u);
      EXPECT_TRUE(IsLoaderText(result.messages[0])) << result.messages[0];
    }
  }
}

TEST_F(BmpSuiteTest, BadFilesGetTheTextForWhatIsWrong) {
  const std::pair<const char *, const char *> refusals[] = {
      {"b/badbitcount.bmp", "Image file conversion error."},
      {"b/badheadersize.bmp", "Unknown DIB file format."},
      {"b/badpalettesize.bmp", "Unknown DIB file format."},
      {"b/badwidth.bmp", "Image file conversion error."},
      {"b/reallybig.bmp", "Out of memory."},
      {"b/rletopdown.bmp", "Image file conversion error."},
      {"b/shortfile.bmp", "Image file conversion error."},
  };
  for (auto [file, text] : refusals) {
    SCOPED_TRACE(file);
    EXPECT_EQ(LoadBitmap(kSuite + "/" + file).messages, std::vector<std::string>{text});
  }
  // An index past the table is black.
  LoadResult badIndex = LoadBitmap(kSuite + "/b/pal8badindex.bmp");
  LoadResult picture = DecodeWithStb(kSuite + "/g/pal8.bmp");
  ASSERT_TRUE(badIndex.loaded);
  int black = 0;
  for (int y = 0; y < badIndex.height; ++y) {
    for (int x = 0; x < badIndex.width; ++x) {
      uint32_t pixel = PixelAt(badIndex, x, y);
      EXPECT_TRUE(pixel == 0 || pixel == PixelAt(picture, x, y));
      black += pixel == 0 && PixelAt(picture, x, y) != 0;
    }
  }
  EXPECT_GT(black, 1000);
}

} // namespace
