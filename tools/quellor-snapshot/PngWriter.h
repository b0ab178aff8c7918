// Writing a frame as an 8-bit RGB PNG file.
#ifndef QUELLOR_SNAPSHOT_PNG_WRITER_H
#define QUELLOR_SNAPSHOT_PNG_WRITER_H

#include <string>

#include "SnapshotScene.h"

namespace snapshot {

// Writes the picture (bottom row first) upright. Returns false with a message
// in *error when the file cannot be written.
bool WritePicturePng(const std::string &path, const Picture &picture, std::string *error);

} // namespace snapshot

#endif
