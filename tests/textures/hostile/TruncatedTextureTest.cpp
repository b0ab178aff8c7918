// A texture file cut short at every byte of its headers and colour table,
// and at a few places in its pixel bits: the program must refuse it with one
// of the loader's messages, never read past the end of the file, and end.
#include <gtest/gtest.h>

#include <vector>

#include "BitmapBytes.h"
#include "HostileRun.h"
#include "PlatformFixture.h"
#include "ScratchDirectory.h"

namespace {

// A 4-bit 6x4 file with a file header and a 16-entry RGBQUAD table.
Bytes FourBitWithTable() {
  const uint32_t bits = 14 + 40 + 64;
  const uint32_t size = bits + 4 * 4;
  Bytes bytes = Join({FileHeader(bits, size), InfoHeader({6, 4, 4})});
  for (size_t i = bytes.size(); i < size; ++i)
    bytes.push_back(static_cast<uint8_t>(i * 37));
  return bytes;
}

// A packed DIB with a core header, 1 bit per pixel: 2 RGBTRIPLEs, 8x2 pixels.
Bytes PackedCoreOneBit() {
  return Join({CoreHeader(8, 2, 1), Triples({0x000000, 0xFFFFFF}), PaddedRows({{0xA5}, {0x5A}})});
}

class TruncatedTextureTest : public PlatformTest {
protected:
  // Runs the program with the file cut at every length up to headerBytes,
  // and at the lengths in between the pixel bits' start and the full size.
  void SweepTruncations(const std::vector<unsigned char> &file, size_t headerBytes) {
    ScratchDirectory directory;
    ASSERT_TRUE(directory.ok());
    const std::set<std::string> texts = {OpenFailureText(), "Unknown DIB file format.",
                                         "Image file conversion error."};
    std::vector<size_t> lengths;
    for (size_t length = 0; length <= headerBytes; ++length)
      lengths.push_back(length);
    lengths.push_back((headerBytes + file.size()) / 2);
    lengths.push_back(file.size() - 1);
    for (size_t length : lengths) {
      SCOPED_TRACE("cut to " + std::to_string(length) + " of " + std::to_string(file.size()) +
                   " bytes");
      ASSERT_TRUE(WriteBytes(kHostileTexture,
                             std::vector<unsigned char>(file.begin(), file.begin() + length)));
      RunOutcome outcome = RunWithHostileTexture();
      // An empty file cannot be mapped.
      ExpectSceneSetUpFailure(outcome,
                              length == 0 ? std::set<std::string>{OpenFailureText()} : texts);
    }
    // The whole file is a valid texture: the cuts alone made the failures.
    ASSERT_TRUE(WriteBytes(kHostileTexture, file));
    ExpectCleanRun(RunWithHostileTexture());
  }
};

TEST_F(TruncatedTextureTest, TwentyFourBitFileWithFileHeader) {
  SweepTruncations(MakeBitmap24(5, 4, 12), 54);
}

TEST_F(TruncatedTextureTest, FourBitFileWithColourTable) {
  SweepTruncations(FourBitWithTable(), 118);
}

TEST_F(TruncatedTextureTest, PackedCoreHeaderDib) { SweepTruncations(PackedCoreOneBit(), 18); }

} // namespace
