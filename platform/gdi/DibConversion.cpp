// SetDIBits: converts device-independent bitmap pixels into a 24-bit DIB
// section, accepting what GDI's own conversion accepts: 1, 4 and 8 bits with a
// colour table, BI_RLE8 and BI_RLE4, 16 and 32 bits as BI_RGB (5-5-5, 8-8-8)
// or BI_BITFIELDS with contiguous masks, and 24 bits; bottom-up or top-down.
// Colour-table entries are literal colours; an index past the table is black.
// A header with no planes is refused, as GDI refuses it.
#include "gdi/DibConversion.h"

#include "hook/CallArguments.h"
#include "os/FileViews.h"

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace platform {

namespace {

bool IsContiguous(uint32_t mask) {
  if (mask == 0) {
    return true;
  }
  uint32_t low = mask >> __builtin_ctz(mask);
  return (low & (low + 1)) == 0;
}

// Widens a channel of bits (1 to 8) to 8 bits by repeating its bits from the
// top down: for 5 bits x << 3 | x >> 2, for 6 bits x << 2 | x >> 4.
BYTE WidenChannel(uint32_t value, int bits) {
  uint32_t widened = 0;
  for (int shift = 8 - bits; shift > -bits; shift -= bits) {
    widened |= shift >= 0 ? value << shift : value >> -shift;
  }
  return static_cast<BYTE>(widened);
}

// A channel wider than 8 bits keeps its top 8 bits; an empty mask gives 0.
void DescribeChannel(uint32_t mask, ChannelLayout *channel) {
  if (mask == 0) {
    channel->shift = 0;
    channel->mask = 0;
    channel->expanded[0] = 0;
    return;
  }
  int width = __builtin_popcount(mask);
  int kept = std::min(width, 8);
  channel->shift = __builtin_ctz(mask) + (width - kept);
  channel->mask = (1u << kept) - 1;
  for (uint32_t value = 0; value <= channel->mask; ++value) {
    channel->expanded[value] = WidenChannel(value, kept);
  }
}

// Whether the compression and the bit count name an encoding this conversion
// handles, as GDI's does.
bool IsKnownEncoding(const BITMAPINFOHEADER &header) {
  WORD bits = header.biBitCount;
  switch (header.biCompression) {
  case BI_RGB:
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  case BI_RLE8:
    return bits == 8 && header.biHeight > 0;
  case BI_RLE4:
    return bits == 4 && header.biHeight > 0;
  case BI_BITFIELDS:
    return bits == 16 || bits == 32;
  default:
    return false;
  }
}

// The colour table that follows the header, as many entries as biClrUsed
// gives (all the bit count can index when it is 0); the rest stay black.
void ReadPalette(const BITMAPINFO &info, DibConversion *conversion) {
  const BITMAPINFOHEADER &header = info.bmiHeader;
  uint32_t indexable = 1u << header.biBitCount;
  uint32_t entries = header.biClrUsed == 0 ? indexable : std::min(header.biClrUsed, indexable);
  const BYTE *table = reinterpret_cast<const BYTE *>(&info) + sizeof(BITMAPINFOHEADER);
  std::fill(std::begin(conversion->palette), std::end(conversion->palette), 0u);
  for (uint32_t i = 0; i < entries; ++i) {
    const BYTE *entry = table + 4 * i;
    conversion->palette[i] = entry[0] | entry[1] << 8 | entry[2] << 16;
  }
}

// The channel masks: the three DWORDs after the header for BI_BITFIELDS,
// 5-5-5 or 8-8-8 for BI_RGB. Returns false for masks with gaps.
bool ReadMasks(const BITMAPINFO &info, DibConversion *conversion) {
  const BITMAPINFOHEADER &header = info.bmiHeader;
  uint32_t masks[3];
  if (header.biCompression == BI_BITFIELDS) {
    std::memcpy(masks, reinterpret_cast<const BYTE *>(&info) + sizeof(BITMAPINFOHEADER),
                sizeof masks);
  } else if (header.biBitCount == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  } else {
    masks[0] = 0xFF0000;
    masks[1] = 0x00FF00;
    masks[2] = 0x0000FF;
  }
  if (!IsContiguous(masks[0]) || !IsContiguous(masks[1]) || !IsContiguous(masks[2])) {
    return false;
  }
  DescribeChannel(masks[0], &conversion->red);
  DescribeChannel(masks[1], &conversion->green);
  DescribeChannel(masks[2], &conversion->blue);
  return true;
}

} // namespace

} // namespace platform

int WINAPI SetDIBits(HDC dc, HBITMAP bitmap, UINT startLine, UINT lines, const void *bits,
                     const BITMAPINFO *info, UINT usage) {
  if (platform::CallFails(
          "SetDIBits", platform::CallArguments(dc, bitmap, startLine, lines, bits, info, usage))) {
    return 0;
  }
  platform::DibSection *section = platform::FindDibSection(bitmap);
  // Only the 40-byte header is understood, with literal colours.
  if (!section || !bits || !info || usage != DIB_RGB_COLORS ||
      info->bmiHeader.biSize != sizeof(BITMAPINFOHEADER)) {
    return 0;
  }
  const BITMAPINFOHEADER &header = info->bmiHeader;
  int64_t pictureRows =
      header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
  if (header.biWidth <= 0 || pictureRows == 0 || header.biPlanes == 0 ||
      !platform::IsKnownEncoding(header) || startLine >= pictureRows) {
    return 0;
  }
  auto conversion = std::make_unique<platform::DibConversion>();
  conversion->bits = static_cast<const BYTE *>(bits);
  conversion->width = header.biWidth;
  conversion->pictureRows = static_cast<LONG>(pictureRows);
  conversion->topDown = header.biHeight < 0;
  conversion->bitCount = header.biBitCount;
  conversion->compression = header.biCompression;
  conversion->streamBytes = header.biSizeImage;
  conversion->firstRow = static_cast<LONG>(startLine);
  conversion->rowCount = static_cast<LONG>(std::min<int64_t>(lines, pictureRows - startLine));
  conversion->section = section;
  conversion->columns = std::min(header.biWidth, section->width);
  if (conversion->rowCount == 0) {
    return 0;
  }
  if (header.biBitCount <= 8) {
    platform::ReadPalette(*info, conversion.get());
  } else if (header.biBitCount != 24 && !platform::ReadMasks(*info, conversion.get())) {
    return 0;
  }
  if (header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4) {
    platform::ConvertRunLengthRows(*conversion);
  } else {
    platform::ConvertPackedRows(*conversion);
  }
  // Bits from a file view that lost bytes to its file being cut short, before
  // or during the conversion, are those of a file too short for the picture.
  if (platform::ViewWasCut(bits)) {
    return 0;
  }
  return conversion->rowCount;
}
