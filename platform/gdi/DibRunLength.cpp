// BI_RLE8 and BI_RLE4 streams into 24-bit section rows. A stream is a series
// of two-byte codes from the picture's bottom row up: a count above 0 repeats
// a colour (RLE8) or a pair of colours (RLE4); a count of 0 escapes to end of
// line (0), end of bitmap (1), a delta right and up (2, then two bytes), or an
// absolute run of n >= 3 pixels padded to a 16-bit boundary.
//
// A stream that stops before its end-of-bitmap escape is not an error: what
// it drew up to its last end-of-line or delta escape stays, and the pixels it
// drew after that go back to black, as the rows after them are.
#include "gdi/DibConversion.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

struct RunLengthDecoder {
  const DibConversion &conversion;
  const BYTE *stream;
  size_t size;
  size_t position;
  int64_t x;     // never beyond the row's last column + 1: pixels past it are clipped
  int64_t y;     // picture row from the bottom
  int64_t keptX; // the pixels of row y before this column were drawn before the
                 // last end-of-line or delta escape
  BYTE *row;     // the section row of y, or null when y is not converted
};

bool HasBytes(const RunLengthDecoder &decoder, size_t bytes) {
  return decoder.size - decoder.position >= bytes;
}

// The stream's next two bytes, or false when it has no more.
bool ReadPair(RunLengthDecoder *decoder, BYTE *first, BYTE *second) {
  if (!HasBytes(*decoder, 2)) {
    return false;
  }
  *first = decoder->stream[decoder->position];
  *second = decoder->stream[decoder->position + 1];
  decoder->position += 2;
  return true;
}

void MoveTo(RunLengthDecoder *decoder, int64_t x, int64_t y) {
  const DibConversion &conversion = decoder->conversion;
  decoder->x = std::min<int64_t>(x, conversion.columns);
  if (y != decoder->y) {
    decoder->y = y;
    decoder->keptX = decoder->x;
    bool converted = y >= conversion.firstRow && y - conversion.firstRow < conversion.rowCount;
    decoder->row = converted ? TargetRow(conversion, y) : nullptr;
  }
}

// The number of the next count pixels that lie in the row.
int64_t VisiblePixels(const RunLengthDecoder &decoder, int64_t count) {
  return decoder.row ? std::min<int64_t>(count, decoder.conversion.columns - decoder.x) : 0;
}

// count pixels alternating between two colours (one colour when both are
// equal), from the current position; the last one written with 3 bytes.
void WriteRun(RunLengthDecoder *decoder, int64_t count, uint32_t first, uint32_t second) {
  int64_t visible = VisiblePixels(*decoder, count);
  if (visible > 0) {
    BYTE *pixel = decoder->row + 3 * decoder->x;
    uint32_t colours[2] = {first, second};
    for (int64_t i = 0; i < visible - 1; ++i, pixel += 3) {
      std::memcpy(pixel, &colours[i & 1], 4);
    }
    PutPixel(pixel, 0, colours[(visible - 1) & 1]);
  }
  MoveTo(decoder, decoder->x + count, decoder->y);
}

// An absolute run of count pixels whose indices start at the current stream
// position; returns false when the stream is too short for them.
bool WriteAbsoluteRun(RunLengthDecoder *decoder, int64_t count, bool fourBits) {
  size_t bytes = fourBits ? (count + 1) / 2 : count;
  if (!HasBytes(*decoder, bytes)) {
    return false;
  }
  const BYTE *indices = decoder->stream + decoder->position;
  const uint32_t *palette = decoder->conversion.palette;
  int64_t visible = VisiblePixels(*decoder, count);
  for (int64_t i = 0; i < visible; ++i) {
    BYTE index = fourBits ? (indices[i >> 1] >> ((i & 1) ? 0 : 4)) & 15 : indices[i];
    PutPixel(decoder->row, decoder->x + i, palette[index]);
  }
  // Runs are padded to a 16-bit boundary; a stream may end without the pad.
  decoder->position += std::min(bytes + (bytes & 1), decoder->size - decoder->position);
  MoveTo(decoder, decoder->x + count, decoder->y);
  return true;
}

// The stream stopped: the pixels it drew in row y after its last end-of-line
// or delta escape become black again, as a new section's are.
void BlankUnfinishedRow(const RunLengthDecoder &decoder) {
  if (decoder.row && decoder.x > decoder.keptX) {
    std::memset(decoder.row + 3 * decoder.keptX, 0, 3 * (decoder.x - decoder.keptX));
  }
}

} // namespace

void ConvertRunLengthRows(const DibConversion &conversion) {
  bool fourBits = conversion.compression == BI_RLE4;
  RunLengthDecoder decoder{conversion, conversion.bits, conversion.streamBytes, 0, 0, -1,
                           0,          nullptr};
  MoveTo(&decoder, 0, 0);
  while (decoder.y < conversion.pictureRows) {
    BYTE count = 0, value = 0;
    if (!ReadPair(&decoder, &count, &value)) {
      BlankUnfinishedRow(decoder);
      return;
    }
    if (count > 0) {
      uint32_t first = conversion.palette[fourBits ? value >> 4 : value];
      uint32_t second = fourBits ? conversion.palette[value & 15] : first;
      WriteRun(&decoder, count, first, second);
    } else if (value == 0) {
      MoveTo(&decoder, 0, decoder.y + 1);
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      // The escape alone keeps the row's pixels, even when its offsets are
      // missing.
      decoder.keptX = decoder.x;
      BYTE right = 0, up = 0;
      if (!ReadPair(&decoder, &right, &up)) {
        BlankUnfinishedRow(decoder);
        return;
      }
      MoveTo(&decoder, decoder.x + right, decoder.y + up);
      decoder.keptX = decoder.x;
    } else if (!WriteAbsoluteRun(&decoder, value, fourBits)) {
      BlankUnfinishedRow(decoder);
      return;
    }
  }
}

} // namespace platform
