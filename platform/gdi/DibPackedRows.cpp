// Uncompressed DIB rows into 24-bit section rows.
#include "gdi/DibConversion.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace platform {

namespace {

using RowConverter = void (*)(const DibConversion &, const BYTE *, BYTE *);

uint32_t Load16(const BYTE *bytes) { return bytes[0] | static_cast<uint32_t>(bytes[1]) << 8; }

uint32_t Load32(const BYTE *bytes) {
  uint32_t value;
  std::memcpy(&value, bytes, 4);
  return value;
}

void Store64(BYTE *bytes, uint64_t value) { std::memcpy(bytes, &value, 8); }

// Writes a row of pixels whose colours fetch(x) gives: 4-byte stores, each
// overwriting the previous pixel's spare byte, and 3 bytes for the last pixel
// so nothing past the row's pixels is touched.
template <typename Fetch> inline void WriteRow(BYTE *target, LONG columns, Fetch fetch) {
  LONG last = columns - 1;
  BYTE *pixel = target;
  for (LONG x = 0; x < last; ++x, pixel += 3) {
    uint32_t colour = fetch(x);
    std::memcpy(pixel, &colour, 4);
  }
  PutPixel(target, last, fetch(last));
}

uint32_t Channels(const DibConversion &conversion, uint32_t pixel) {
  const ChannelLayout &red = conversion.red;
  const ChannelLayout &green = conversion.green;
  const ChannelLayout &blue = conversion.blue;
  return blue.expanded[(pixel >> blue.shift) & blue.mask] |
         static_cast<uint32_t>(green.expanded[(pixel >> green.shift) & green.mask]) << 8 |
         static_cast<uint32_t>(red.expanded[(pixel >> red.shift) & red.mask]) << 16;
}

void ConvertRow1(const DibConversion &conversion, const BYTE *source, BYTE *target) {
  WriteRow(target, conversion.columns,
           [&](LONG x) { return conversion.palette[(source[x >> 3] >> (7 - (x & 7))) & 1]; });
}

void ConvertRow4(const DibConversion &conversion, const BYTE *source, BYTE *target) {
  WriteRow(target, conversion.columns,
           [&](LONG x) { return conversion.palette[(source[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; });
}

// Two pixels per 8-byte store: their colours (3 bytes each, the palette's
// fourth byte being 0) side by side, and 2 bytes of the next pixel, which the
// next store overwrites. The row's last one or two pixels go one at a time.
void ConvertRow8(const DibConversion &conversion, const BYTE *source, BYTE *target) {
  const uint32_t *palette = conversion.palette;
  const LONG columns = conversion.columns;
  LONG x = 0;
  for (; x + 3 <= columns; x += 2) {
    uint64_t first = palette[source[x]];
    uint64_t second = palette[source[x + 1]];
    Store64(target + 3 * x, first | second << 24);
  }
  WriteRow(target + 3 * x, columns - x, [&](LONG i) { return palette[source[x + i]]; });
}

void ConvertRow16(const DibConversion &conversion, const BYTE *source, BYTE *target) {
  WriteRow(target, conversion.columns,
           [&](LONG x) { return Channels(conversion, Load16(source + 2 * x)); });
}

void ConvertRow24(const DibConversion &conversion, const BYTE *source, BYTE *target) {
  std::memcpy(target, source, 3 * static_cast<size_t>(conversion.columns));
}

// Blue, green and red in the low three bytes: the fourth byte lands in the
// next pixel's place and is overwritten by it.
void ConvertRow32Plain(const DibConversion &conversion, const BYTE *source, BYTE *target) {
  LONG x = 0;
#ifdef __SSE2__
  // Four pixels per step: each 64-bit half drops its pixels' fourth bytes,
  // then the upper half moves down next to the lower one. The 16 bytes
  // stored hold 12 bytes of pixels and 4 that the next step overwrites, so
  // two more pixels must follow.
  const __m128i lowPixel = _mm_set1_epi64x(0x0000000000FFFFFF);
  const __m128i highPixel = _mm_set1_epi64x(0x0000FFFFFF000000);
  const __m128i lowHalf = _mm_set_epi64x(0, -1);
  const __m128i highHalf = _mm_set_epi64x(-1, 0);
  for (; x + 6 <= conversion.columns; x += 4) {
    __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source + 4 * x));
    __m128i packed = _mm_or_si128(_mm_and_si128(pixels, lowPixel),
                                  _mm_and_si128(_mm_srli_epi64(pixels, 8), highPixel));
    __m128i joined = _mm_or_si128(_mm_and_si128(packed, lowHalf),
                                  _mm_srli_si128(_mm_and_si128(packed, highHalf), 2));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(target + 3 * x), joined);
  }
#endif
  WriteRow(target + 3 * x, conversion.columns - x,
           [&](LONG i) { return Load32(source + 4 * (x + i)); });
}

void ConvertRow32(const DibConversion &conversion, const BYTE *source, BYTE *target) {
  WriteRow(target, conversion.columns,
           [&](LONG x) { return Channels(conversion, Load32(source + 4 * x)); });
}

bool IsWholeByte(const ChannelLayout &channel, unsigned shift) {
  return channel.shift == shift && channel.mask == 0xFF;
}

RowConverter ChooseRowConverter(const DibConversion &conversion) {
  switch (conversion.bitCount) {
  case 1:
    return ConvertRow1;
  case 4:
    return ConvertRow4;
  case 8:
    return ConvertRow8;
  case 16:
    return ConvertRow16;
  case 24:
    return ConvertRow24;
  default:
    return IsWholeByte(conversion.red, 16) && IsWholeByte(conversion.green, 8) &&
                   IsWholeByte(conversion.blue, 0)
               ? ConvertRow32Plain
               : ConvertRow32;
  }
}

} // namespace

void ConvertPackedRows(const DibConversion &conversion) {
  RowConverter convert = ChooseRowConverter(conversion);
  size_t stride = (static_cast<size_t>(conversion.bitCount) * conversion.width + 31) / 32 * 4;
  const BYTE *source = conversion.bits;
  for (LONG k = 0; k < conversion.rowCount; ++k, source += stride) {
    int64_t row = static_cast<int64_t>(conversion.firstRow) + k;
    BYTE *target =
        TargetRow(conversion, conversion.topDown ? conversion.pictureRows - 1 - row : row);
    if (target) {
      convert(conversion, source, target);
    }
  }
}

} // namespace platform
