// A texture file cut short at every byte of its headers and colour table,
// and at a few places in its pixel bits: the program must refuse it with one
// of the loader's messages, never read past the end of the file, and end.
#include <gtest/gtest.h>

#include <vector>

#include "HeadlessFixture.h"
#include "HostileRun.h"
#include "ScratchDirectory.h"

namespace {

void Put(std::vector<unsigned char> &bytes, size_t at, unsigned value, int size) {
  for (int i = 0; i < size; ++i)
    bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A 4-bit 6x4 file with a file header and a 16-entry RGBQUAD table.
std::vector<unsigned char> FourBitWithTable() {
  const size_t bits = 14 + 40 + 64;
  std::vector<unsigned char> bytes(bits + 4 * 4);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put(bytes, 2, static_cast<unsigned>(bytes.size()), 4);
  Put(bytes, 10, bits, 4);
  Put(bytes, 14, 40, 4);
  Put(bytes, 18, 6, 4);
  Put(bytes, 22, 4, 4);
  Put(bytes, 26, 1, 2);
  Put(bytes, 28, 4, 2);
  for (size_t i = 54; i < bytes.size(); ++i)
    bytes[i] = static_cast<unsigned char>(i * 37);
  return bytes;
}

// A packed DIB with a core header, 1 bit per pixel: 2 RGBTRIPLEs, 8x2 pixels.
std::vector<unsigned char> PackedCoreOneBit() {
  std::vector<unsigned char> bytes(12 + 6 + 8);
  Put(bytes, 0, 12, 4);
  Put(bytes, 4, 8, 2);
  Put(bytes, 6, 2, 2);
  Put(bytes, 8, 1, 2);
  Put(bytes, 10, 1, 2);
  const unsigned char rest[] = {0, 0, 0, 255, 255, 255, 0xA5, 0, 0, 0, 0x5A, 0, 0, 0};
  for (size_t i = 0; i < sizeof rest; ++i)
    bytes[12 + i] = rest[i];
  return bytes;
}

class TruncatedTextureTest : public HeadlessTest {
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
