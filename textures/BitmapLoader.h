// Reading a device-independent bitmap file (BMP, or a packed DIB without the
// file header) into an RgbImage.
#ifndef QUELLOR_BITMAP_LOADER_H
#define QUELLOR_BITMAP_LOADER_H

#include "RgbImage.h"

#include <windows.h>

// Loads the bitmap file fileName: 8-bit characters when wideName is 0, UTF-16
// otherwise. Returns the new image, or null after a message box that says
// why. Every resource the call obtains is released before it returns.
RgbImage *LoadBitmapAsRgb(const void *fileName, int wideName);

// The number of colour-table entries of the DIB header at header: biClrUsed
// (its low 16 bits) when non-zero, otherwise 2, 16 or 256 for 1, 4 or 8 bits
// per pixel and 0 for other bit counts; a 12-byte core header counts by its
// bit count alone. Reads the header's first 36 bytes (12 of a core header).
WORD CountPaletteColors(const void *header);

#endif
