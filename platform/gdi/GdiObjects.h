// Memory device contexts and 24-bit DIB sections, the GDI objects behind the
// bitmap conversion. A section's pixel memory starts zero-filled and is laid
// out as Win32 lays it out: rows of width * 3 bytes (blue, green, red) padded
// to a multiple of 4 bytes, bottom row first unless the height was negative.
#ifndef QUELLOR_GDI_GDI_OBJECTS_H
#define QUELLOR_GDI_GDI_OBJECTS_H

#include <windows.h>

#include <cstddef>

namespace platform {

struct DibSection {
  LONG width;    // pixels per row, above 0
  LONG height;   // rows, above 0
  bool topDown;  // rows lie in memory top row first
  size_t stride; // bytes per row, a multiple of 4
  BYTE *bits;
  size_t bytes;
  HDC selectedInto; // the memory device context holding it, or null
};

// The live DIB section behind the handle, or null.
DibSection *FindDibSection(HGDIOBJ object);

// The first byte of a row, rows counted from the bottom of the picture.
inline BYTE *SectionRow(const DibSection &section, LONG row) {
  LONG memoryRow = section.topDown ? section.height - 1 - row : row;
  return section.bits + static_cast<size_t>(memoryRow) * section.stride;
}

} // namespace platform

#endif
