// A whole file mapped read-only, as the decoders under measurement read it.
#ifndef QUELLOR_BENCH_MAPPED_FILE_H
#define QUELLOR_BENCH_MAPPED_FILE_H

#include <cstddef>
#include <string>

struct MappedFile {
  int descriptor;            // -1 when the file could not be opened
  const unsigned char *data; // null when it could not be mapped
  size_t size;
};

MappedFile MapFile(const std::string &path);
// Unmaps and closes whatever MapFile obtained.
void UnmapFile(const MappedFile &file);

#endif
