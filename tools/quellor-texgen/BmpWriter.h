// Writes pictures as uncompressed 24-bit BMP files: a 14-byte file header, a
// 40-byte BITMAPINFOHEADER, then the rows bottom row first, each pixel as
// blue, green, red, each row filled with zero bytes to a multiple of 4 bytes.
#ifndef QUELLOR_TEXGEN_BMP_WRITER_H
#define QUELLOR_TEXGEN_BMP_WRITER_H

#include "Picture.h"

#include <string>
#include <vector>

// Bytes per stored row of a 24-bit BMP `width` pixels wide, fill included.
int BmpRowStride(int width);

// The complete file image of the picture.
std::vector<unsigned char> EncodeBmp(const Picture &picture);

// Writes the picture to `path`, replacing any file there. Returns 1 on
// success; 0 when the file cannot be created or written completely, in which
// case no partial file is left behind.
int WriteBmpFile(const std::string &path, const Picture &picture);

#endif
