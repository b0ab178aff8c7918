// Where the Linux loader deliberately decodes differently from GDI (as Wine
// implements it), pinned here so that the comparison of the two builds lists
// every difference for a reason that a test holds in place:
// - bit-field channels narrower than 4 bits are scaled to the full byte range
//   by repeating their bits (GDI repeats them once, so white comes out grey);
// - a bit-field channel with an empty mask reads as 0 (GDI refuses the file);
// - masks whose bits are not contiguous are refused, as Windows documents
//   (Wine's GDI accepts them).
#include <BitmapLoader.h>
#include <PlatformControl.h>
#include <PlatformFixture.h>
#include <ScratchDirectory.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes *bytes, uint32_t value) {
  bytes->push_back(static_cast<unsigned char>(value));
  bytes->push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(Bytes *bytes, uint32_t value) {
  Put16(bytes, value);
  Put16(bytes, value >> 16);
}

// A packed 16-bit DIB with BI_BITFIELDS masks and one row of pixels.
Bytes BitFieldsDib(uint32_t red, uint32_t green, uint32_t blue,
                   const std::vector<uint16_t> &pixels) {
  Bytes dib;
  Put32(&dib, 40);
  Put32(&dib, static_cast<uint32_t>(pixels.size()));
  Put32(&dib, 1);
  Put16(&dib, 1);
  Put16(&dib, 16);
  Put32(&dib, BI_BITFIELDS);
  for (int field = 0; field < 5; ++field)
    Put32(&dib, 0);
  Put32(&dib, red);
  Put32(&dib, green);
  Put32(&dib, blue);
  for (uint16_t pixel : pixels)
    Put16(&dib, pixel);
  while (dib.size() % 4 != 0)
    dib.push_back(0);
  return dib;
}

struct Loaded {
  bool ok = false;
  std::vector<uint32_t> rgb; // 0xRRGGBB per pixel
  std::vector<std::string> messages;
};

Loaded Load(const std::string &name, const Bytes &file) {
  Loaded result;
  if (!WriteBytes(name, file)) {
    ADD_FAILURE() << "cannot write " << name;
    return result;
  }
  RgbImage *image = LoadBitmapAsRgb(name.c_str(), 0);
  for (const auto &box : control::MessageBoxesShown())
    result.messages.push_back(box.text);
  if (!image)
    return result;
  result.ok = true;
  for (LONG i = 0; i < image->width * image->height; ++i) {
    const unsigned char *p = image->pixels + 3 * i;
    result.rgb.push_back(static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2]);
  }
  std::free(image->pixels);
  std::free(image);
  return result;
}

class GdiChoicesTest : public PlatformTest {
protected:
  ScratchDirectory scratch_;
};

TEST_F(GdiChoicesTest, NarrowChannelsSpanTheWholeByte) {
  ASSERT_TRUE(scratch_.ok());
  // Red 2 bits, green 3 bits, blue 1 bit.
  Loaded narrow = Load("rgb231.dib",
                       BitFieldsDib(0x30, 0x0E, 0x01, {0x3F, 0x20, 0x04, 0x01, 0x10 | 0x0C, 0x00}));
  ASSERT_TRUE(narrow.ok);
  EXPECT_TRUE(narrow.messages.empty());
  EXPECT_EQ(narrow.rgb, (std::vector<uint32_t>{
                            0xFFFFFF, // every channel at its maximum is white, not grey
                            0xAA0000, // red 2 of 3: 10 10 10 10
                            0x004900, // green 2 of 7: 010 010 01
                            0x0000FF, // blue 1 of 1
                            0x55DB00, // red 1 of 3, green 6 of 7: 110 110 11
                            0x000000,
                        }));

  // A channel of 5 bits or more is repeated once to fill the byte, which is
  // also what GDI does: 5-6-5 agrees on both platforms.
  Loaded wide = Load("rgb565.dib", BitFieldsDib(0xF800, 0x07E0, 0x001F, {0xFFFF, 0x8410}));
  ASSERT_TRUE(wide.ok);
  EXPECT_EQ(wide.rgb, (std::vector<uint32_t>{0xFFFFFF, 0x848284}));
}

TEST_F(GdiChoicesTest, EmptyMasksReadAsZeroAndGappedMasksAreRefused) {
  ASSERT_TRUE(scratch_.ok());
  Loaded noBlue = Load("rgb880.dib", BitFieldsDib(0xFF00, 0x00FF, 0, {0xFF80, 0x01FE}));
  ASSERT_TRUE(noBlue.ok) << (noBlue.messages.empty() ? "" : noBlue.messages.front());
  EXPECT_TRUE(noBlue.messages.empty());
  EXPECT_EQ(noBlue.rgb, (std::vector<uint32_t>{0xFF8000, 0x01FE00}));

  // Masks with gaps are refused.
  Loaded gaps = Load("gaps.dib", BitFieldsDib(0xF00F, 0x0F00, 0x00F0, {0x1234}));
  EXPECT_FALSE(gaps.ok);
  EXPECT_EQ(gaps.messages, std::vector<std::string>{"Image file conversion error."});
}

} // namespace
