// Memory device contexts, DIB sections, selection and deletion.
#include "gdi/GdiObjects.h"

#include "hook/CallArguments.h"
#include "os/ResourceCounts.h"
#include "os/SpareBlock.h"

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <sys/mman.h>

#include <cstdint>
#include <cstring>
#include <unordered_set>

namespace platform {

namespace {

struct MemoryDeviceContext {
  HGDIOBJ selected; // the bitmap selected into it
};

// The 1x1 monochrome bitmap a new memory device context starts with. It is a
// stock object: selecting it back releases the section, deleting it does
// nothing.
struct StockBitmap {
  int unused;
} stockBitmap;

std::unordered_set<MemoryDeviceContext *> &LiveDeviceContexts() {
  static std::unordered_set<MemoryDeviceContext *> contexts;
  return contexts;
}

std::unordered_set<DibSection *> &LiveSections() {
  static std::unordered_set<DibSection *> sections;
  return sections;
}

MemoryDeviceContext *FindMemoryDC(HDC dc) {
  MemoryDeviceContext *context = reinterpret_cast<MemoryDeviceContext *>(dc);
  return LiveDeviceContexts().count(context) ? context : nullptr;
}

// The memory of the last small section deleted, for the next one.
SpareBlock spareSection = {};

// Sections of at least this size get transparent huge pages, which saves most
// of the page faults of writing a large picture into fresh memory.
const size_t kHugePageThreshold = 4u << 20;

// Zero-filled memory for a section's pixels, or null. A mapping's pages are
// made present at once, which costs less than faulting them in one by one
// while the conversion writes (older kernels ignore the request).
BYTE *AllocateSectionMemory(size_t bytes) {
  if (BelongsOnHeap(bytes)) {
    void *memory = TakeBlock(&spareSection, bytes);
    return memory ? static_cast<BYTE *>(std::memset(memory, 0, bytes)) : nullptr;
  }
  void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) {
    return nullptr;
  }
  if (bytes >= kHugePageThreshold) {
    madvise(memory, bytes, MADV_HUGEPAGE);
  }
#ifdef MADV_POPULATE_WRITE
  madvise(memory, bytes, MADV_POPULATE_WRITE);
#endif
  return static_cast<BYTE *>(memory);
}

void FreeSectionMemory(BYTE *bits, size_t bytes) {
  if (BelongsOnHeap(bytes)) {
    GiveBackBlock(&spareSection, bits, bytes);
  } else {
    munmap(bits, bytes);
  }
}

// A section as described by the header, or null when the header asks for
// something other than an uncompressed 24-bit picture of a size a DWORD can
// hold.
DibSection *NewSection(const BITMAPINFOHEADER &header) {
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 24 ||
      header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0) {
    return nullptr;
  }
  uint64_t rows = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
  uint64_t stride = (static_cast<uint64_t>(header.biWidth) * 3 + 3) & ~static_cast<uint64_t>(3);
  uint64_t bytes = stride * rows;
  if (bytes > UINT32_MAX) {
    return nullptr;
  }
  BYTE *bits = AllocateSectionMemory(static_cast<size_t>(bytes));
  if (!bits) {
    return nullptr;
  }
  // Both fit in size_t: bytes is at most UINT32_MAX.
  return new DibSection{header.biWidth,
                        static_cast<LONG>(rows),
                        header.biHeight < 0,
                        static_cast<size_t>(stride),
                        bits,
                        static_cast<size_t>(bytes),
                        nullptr};
}

} // namespace

DibSection *FindDibSection(HGDIOBJ object) {
  DibSection *section = static_cast<DibSection *>(object);
  return LiveSections().count(section) ? section : nullptr;
}

} // namespace platform

HDC WINAPI CreateCompatibleDC(HDC dc) {
  if (platform::CallFails("CreateCompatibleDC", platform::CallArguments(dc))) {
    return nullptr;
  }
  auto *context = new platform::MemoryDeviceContext{&platform::stockBitmap};
  platform::LiveDeviceContexts().insert(context);
  ++platform::liveResources.memoryDCs;
  return reinterpret_cast<HDC>(context);
}

BOOL WINAPI DeleteDC(HDC dc) {
  if (platform::CallFails("DeleteDC", platform::CallArguments(dc))) {
    return FALSE;
  }
  platform::MemoryDeviceContext *context = platform::FindMemoryDC(dc);
  if (!context) {
    return FALSE;
  }
  // Deleting the device context releases the section selected into it.
  if (platform::DibSection *section = platform::FindDibSection(context->selected)) {
    section->selectedInto = nullptr;
  }
  platform::LiveDeviceContexts().erase(context);
  delete context;
  --platform::liveResources.memoryDCs;
  return TRUE;
}

HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO *info, UINT usage, void **bits,
                                HANDLE section, DWORD offset) {
  if (bits) {
    *bits = nullptr;
  }
  if (platform::CallFails("CreateDIBSection",
                          platform::CallArguments(dc, info, usage, bits, section, offset))) {
    return nullptr;
  }
  // Sections backed by a file mapping are not provided.
  if (!info || usage != DIB_RGB_COLORS || section) {
    return nullptr;
  }
  platform::DibSection *created = platform::NewSection(info->bmiHeader);
  if (!created) {
    return nullptr;
  }
  platform::LiveSections().insert(created);
  ++platform::liveResources.sections;
  if (bits) {
    *bits = created->bits;
  }
  return reinterpret_cast<HBITMAP>(created);
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  if (platform::CallFails("SelectObject", platform::CallArguments(dc, object))) {
    return nullptr;
  }
  platform::MemoryDeviceContext *context = platform::FindMemoryDC(dc);
  if (!context) {
    return nullptr;
  }
  platform::DibSection *section = platform::FindDibSection(object);
  if (!section && object != &platform::stockBitmap) {
    return nullptr;
  }
  // A bitmap can be selected into one device context at a time.
  if (section && section->selectedInto && section->selectedInto != dc) {
    return nullptr;
  }
  if (platform::DibSection *previous = platform::FindDibSection(context->selected)) {
    previous->selectedInto = nullptr;
  }
  if (section) {
    section->selectedInto = dc;
  }
  HGDIOBJ previous = context->selected;
  context->selected = object;
  return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  if (platform::CallFails("DeleteObject", platform::CallArguments(object))) {
    return FALSE;
  }
  if (object == &platform::stockBitmap) {
    return TRUE;
  }
  platform::DibSection *section = platform::FindDibSection(object);
  // A bitmap still selected into a device context cannot be deleted.
  if (!section || section->selectedInto) {
    return FALSE;
  }
  platform::FreeSectionMemory(section->bits, section->bytes);
  platform::LiveSections().erase(section);
  delete section;
  --platform::liveResources.sections;
  return TRUE;
}

BOOL WINAPI GdiFlush(void) {
  if (platform::CallFails("GdiFlush", platform::CallArguments())) {
    return FALSE;
  }
  // GDI work here is done synchronously by each call, so nothing is pending.
  return TRUE;
}
