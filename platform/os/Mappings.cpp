// Read-only file mappings and their views, over mmap.
#include "CallArguments.h"
#include "KernelObjects.h"
#include "ResourceCounts.h"
#include "Sanitizers.h"
#include "SpareBlock.h"

#include <PlatformCalls.h>
#include <windows.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The memory of the last small view released, for the next one.
SpareBlock spareView = {};

// The view's bytes read into heap memory.
void *ReadBytes(int descriptor, uint64_t offset, size_t length) {
  char *view = static_cast<char *>(TakeBlock(&spareView, length));
  for (size_t done = 0; view && done < length;) {
    ssize_t got = pread(descriptor, view + done, length - done, static_cast<off_t>(offset + done));
    if (got <= 0) {
      GiveBackBlock(&spareView, view, length);
      return nullptr;
    }
    done += static_cast<size_t>(got);
  }
  return view;
}

#ifdef QUELLOR_ADDRESS_SANITIZER
// Every view is a heap copy of exactly its bytes (see Sanitizers.h).
bool ViewIsRead(size_t) { return true; }
#else
// Views below this size are read into heap memory, which the next view takes
// over (see SpareBlock.h): for a small file that costs a fraction of mapping
// its pages and unmapping them. The copy does not follow later writes to the
// file as a Win32 view would; the loader opens its file sharing reading
// alone, which under Win32 keeps every writer out while the mapping lasts, so
// it cannot tell.
const size_t kLargestReadView = 128 << 10;

bool ViewIsRead(size_t length) { return length < kLargestReadView; }
#endif

// Larger views are mapped, and made present at once: the bitmap loader reads
// all of a view, and one call costs less than a page fault every few pages.
void *MapBytes(int descriptor, uint64_t offset, size_t length) {
  if (ViewIsRead(length)) {
    return ReadBytes(descriptor, offset, length);
  }
  void *view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor,
                    static_cast<off_t>(offset));
  return view == MAP_FAILED ? nullptr : view;
}

void UnmapBytes(void *view, size_t length) {
  if (ViewIsRead(length)) {
    GiveBackBlock(&spareView, view, length);
  } else {
    munmap(view, length);
  }
}

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
