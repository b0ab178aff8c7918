// The file views' controls for tests, benchmarks and tools. Part of
// core/PlatformControl.h, which tests include.
#ifndef QUELLOR_OS_VIEW_CONTROL_H
#define QUELLOR_OS_VIEW_CONTROL_H

#include <cstddef>
#include <cstdint>

namespace platform::control {

// Views of files shorter than bytes are read into memory, longer ones are
// mapped; after Reset() the build's own choice (sanitizer builds read every
// view). 0 maps every view, SIZE_MAX reads every one.
void SetViewReadLimit(size_t bytes);
// The longest view MapViewOfFile has made since Reset(), in bytes.
uint64_t LongestView();

} // namespace platform::control

#endif
