// What GlobalMemoryStatusEx reads from a control group's memory.stat, apart
// from the reading, so that tests can give it the kernel's text.
#ifndef QUELLOR_OS_MEMORY_STATUS_H
#define QUELLOR_OS_MEMORY_STATUS_H

#include <cstdint>

namespace platform {

// The file cache that the kernel takes back before it refuses a group more
// memory: the inactive and the active file pages, in bytes, from the text of
// memory.stat (version 1's hierarchical "total_" figures when versionOne).
uint64_t ReclaimableFileCache(const char *memoryStat, bool versionOne);

} // namespace platform

#endif
