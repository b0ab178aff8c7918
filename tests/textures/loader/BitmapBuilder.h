// The temporary directory the loader tests write their bitmap files to, and
// a load that collects what the loader showed and checks that it released
// everything it obtained.
#ifndef QUELLOR_TESTS_BITMAP_BUILDER_H
#define QUELLOR_TESTS_BITMAP_BUILDER_H

#include <BitmapBytes.h>

#include <cstdint>
#include <string>
#include <vector>

// A file with that content in the test's temporary directory; returns its
// path.
std::string WriteTempFile(const std::string &name, const Bytes &content);
std::string TempPath(const std::string &name);

struct LoadResult {
  bool loaded = false;
  int width = 0;
  int height = 0;
  Bytes rgb; // bottom row first
  std::vector<std::string> messages;
};

// Loads the file (narrow name), frees the image, and checks that one message
// was shown exactly when the load failed, with the caption "Error" and an OK
// button, and that no file, mapping, view, local block, memory DC or section
// is left.
LoadResult LoadBitmap(const std::string &path);
LoadResult LoadBitmapWide(const std::u16string &path);

// The red, green, blue bytes of the pixel at column x, row y (from the bottom).
uint32_t PixelAt(const LoadResult &result, int x, int y);

#endif
