// The conversion of device-independent bitmap pixels into a 24-bit DIB
// section, behind SetDIBits. SetDIBits checks the source description and
// prepares a DibConversion; the encodings are converted by the functions below,
// row by row straight from the source into the section, in one pass.
#ifndef QUELLOR_GDI_DIB_CONVERSION_H
#define QUELLOR_GDI_DIB_CONVERSION_H

#include "gdi/GdiObjects.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace platform {

// Colours are kept as blue | green << 8 | red << 16, so that on this
// little-endian host one 4-byte store writes a section pixel (the fourth byte
// is overwritten by the next pixel, and the last pixel of a row is written with
// 3 bytes).
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "section pixels are stored little-endian");

// Where one colour channel lies in a 16- or 32-bit pixel, and how its bits
// widen to 8: the channel is (pixel >> shift) & mask, then looked up.
struct ChannelLayout {
  unsigned shift;
  uint32_t mask;      // at most 8 bits wide
  BYTE expanded[256]; // the 8-bit value of each channel value
};

struct DibConversion {
  // The source: rows of the packed pixel bits, or a run-length stream.
  const BYTE *bits;
  LONG width;       // source pixels per row
  LONG pictureRows; // rows of the whole picture
  bool topDown;     // rows lie in memory top row first
  WORD bitCount;
  DWORD compression;
  size_t streamBytes;    // the length of a run-length stream
  uint32_t palette[256]; // colour-table entries; entries past the table are black
  ChannelLayout red, green, blue;

  // The rows to convert, counted from the bottom of the picture for bottom-up
  // sources and from the top for top-down ones: the source bits begin with
  // row firstRow, and rowCount rows follow (run-length streams always begin
  // with the picture's bottom row and are decoded whole).
  LONG firstRow;
  LONG rowCount;

  DibSection *section;
  LONG columns; // pixels written per row: the narrower of source and section
};

// Converts uncompressed 1-, 4-, 8-, 16-, 24- and 32-bit rows and bit-field
// rows. The caller has made sure every row lies in the source.
void ConvertPackedRows(const DibConversion &conversion);

// Decodes a BI_RLE8 or BI_RLE4 stream of conversion.streamBytes bytes. Runs and
// deltas that leave the row or the picture are clipped; pixels the stream
// skips stay as the section was. A stream that ends before its end-of-bitmap
// escape or the picture's last row leaves the row it stopped in black.
void ConvertRunLengthRows(const DibConversion &conversion);

// The section row that picture row receives, or null when it lies outside the
// section; rows counted from the bottom.
inline BYTE *TargetRow(const DibConversion &conversion, int64_t pictureRow) {
  if (pictureRow < 0 || pictureRow >= conversion.section->height) {
    return nullptr;
  }
  return SectionRow(*conversion.section, static_cast<LONG>(pictureRow));
}

// Writes one pixel of colour at column x of a section row.
inline void PutPixel(BYTE *row, int64_t x, uint32_t colour) {
  BYTE *pixel = row + 3 * x;
  pixel[0] = static_cast<BYTE>(colour);
  pixel[1] = static_cast<BYTE>(colour >> 8);
  pixel[2] = static_cast<BYTE>(colour >> 16);
}

} // namespace platform

#endif
