// Large bitmap files for measuring decoders: square pictures of noisy
// patterns that no decoder can take a shortcut through.
#ifndef QUELLOR_BENCH_BENCHMARK_BITMAPS_H
#define QUELLOR_BENCH_BENCHMARK_BITMAPS_H

#include <cstdint>
#include <string>
#include <vector>

// An uncompressed file of side x side pixels with a file header: 1 byte per
// pixel with a 256-entry colour table, or 3 or 4 bytes per pixel.
std::vector<uint8_t> PackedBitmap(int side, int bytesPerPixel);

// An RLE8 file of side x side pixels: flat spans of varying length, with a
// noisy band every fourth 64-pixel column that has to be stored in absolute
// runs.
std::vector<uint8_t> RunLengthBitmap(int side);

// Writes the bytes to the file, replacing it. Returns false on failure.
bool WriteBitmapFile(const std::string &path, const std::vector<uint8_t> &bytes);

#endif
