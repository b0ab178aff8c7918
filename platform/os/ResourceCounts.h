// How many kernel and GDI objects of each kind the POSIX platform functions
// currently hold. Each function that creates or releases such an object keeps
// its count up to date; the platform control reports them to tests, which check
// that every load releases all it obtained.
#ifndef QUELLOR_OS_RESOURCE_COUNTS_H
#define QUELLOR_OS_RESOURCE_COUNTS_H

namespace platform {

struct ResourceCounts {
  int fileHandles; // CreateFileA/W until CloseHandle
  int mappings;    // CreateFileMappingA until CloseHandle
  int views;       // MapViewOfFile until UnmapViewOfFile
  int localBlocks; // LocalAlloc until LocalFree
  int memoryDCs;   // CreateCompatibleDC until DeleteDC
  int sections;    // CreateDIBSection until DeleteObject
};

// The live counts, zero at start-up.
extern ResourceCounts liveResources;

} // namespace platform

#endif
