// Read-only file mappings and their views, over mmap.
#include "CallArguments.h"
#include "KernelObjects.h"
#include "ResourceCounts.h"
#include "Sanitizers.h"

#include <PlatformCalls.h>
#include <windows.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <unordered_map>

namespace platform {

namespace {

// Views must start at a multiple of Win32's allocation granularity.
const uint64_t kAllocationGranularity = 65536;

// The length of each mapped view, by its address.
std::unordered_map<const void *, size_t> &MappedViews() {
  static std::unordered_map<const void *, size_t> views;
  return views;
}

#ifdef QUELLOR_ADDRESS_SANITIZER
// A heap copy of exactly the view's bytes (see Sanitizers.h).
void *MapBytes(int descriptor, uint64_t offset, size_t length) {
  char *view = static_cast<char *>(std::malloc(length));
  for (size_t done = 0; view && done < length;) {
    ssize_t got = pread(descriptor, view + done, length - done, static_cast<off_t>(offset + done));
    if (got <= 0) {
      std::free(view);
      return nullptr;
    }
    done += static_cast<size_t>(got);
  }
  return view;
}

void UnmapBytes(void *view, size_t) { std::free(view); }
#else
// The whole view is made present at once: the bitmap loader reads all of it,
// and one call costs less than a page fault every few pages.
void *MapBytes(int descriptor, uint64_t offset, size_t length) {
  void *view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor,
                    static_cast<off_t>(offset));
  return view == MAP_FAILED ? nullptr : view;
}

void UnmapBytes(void *view, size_t length) { munmap(view, length); }
#endif

} // namespace

} // namespace platform

HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect,
                                 DWORD maxSizeHigh, DWORD maxSizeLow, LPCSTR name) {
  if (platform::CallFails(
          "CreateFileMappingA",
          platform::CallArguments(file, security, protect, maxSizeHigh, maxSizeLow, name))) {
    return nullptr;
  }
  platform::KernelObject *source =
      platform::FindKernelObject(file, platform::KernelObjectKind::file);
  // Only unnamed read-only mappings are provided: the file was opened for
  // reading alone, so a mapping cannot grow it.
  if (!source || protect != PAGE_READONLY || name) {
    return nullptr;
  }
  struct stat status;
  if (fstat(source->descriptor, &status) != 0) {
    return nullptr;
  }
  uint64_t fileSize = static_cast<uint64_t>(status.st_size);
  uint64_t size = (static_cast<uint64_t>(maxSizeHigh) << 32) | maxSizeLow;
  if (size == 0) {
    size = fileSize;
  }
  // An empty file cannot be mapped, and a read-only mapping cannot reach past
  // the end of its file.
  if (size == 0 || size > fileSize) {
    return nullptr;
  }
  // The mapping keeps the file open after the file handle is closed.
  int descriptor = fcntl(source->descriptor, F_DUPFD_CLOEXEC, 0);
  if (descriptor < 0) {
    return nullptr;
  }
  return platform::NewKernelObject(platform::KernelObjectKind::mapping, descriptor, size);
}

LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                            SIZE_T bytes) {
  if (platform::CallFails("MapViewOfFile",
                          platform::CallArguments(mapping, access, offsetHigh, offsetLow, bytes))) {
    return nullptr;
  }
  platform::KernelObject *source =
      platform::FindKernelObject(mapping, platform::KernelObjectKind::mapping);
  if (!source || access != FILE_MAP_READ) {
    return nullptr;
  }
  uint64_t offset = (static_cast<uint64_t>(offsetHigh) << 32) | offsetLow;
  if (offset % platform::kAllocationGranularity != 0 || offset >= source->size) {
    return nullptr;
  }
  uint64_t length = bytes == 0 ? source->size - offset : bytes;
  if (length > source->size - offset) {
    return nullptr;
  }
  void *view = platform::MapBytes(source->descriptor, offset, length);
  if (!view) {
    return nullptr;
  }
  platform::MappedViews()[view] = length;
  ++platform::liveResources.views;
  return view;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID address) {
  if (platform::CallFails("UnmapViewOfFile", platform::CallArguments(address))) {
    return FALSE;
  }
  auto view = platform::MappedViews().find(address);
  if (view == platform::MappedViews().end()) {
    return FALSE;
  }
  platform::UnmapBytes(const_cast<void *>(address), view->second);
  platform::MappedViews().erase(view);
  --platform::liveResources.views;
  return TRUE;
}
