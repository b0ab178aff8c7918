// Read-only file mappings and their views, over pread and mmap.
#include "hook/CallArguments.h"
#include "os/FileViews.h"
#include "os/KernelObjects.h"
#include "os/ResourceCounts.h"
#include "os/SpareBlock.h"
#include "os/ViewControl.h"

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace platform {

namespace {

// Views must start at a multiple of Win32's allocation granularity.
const uint64_t kAllocationGranularity = 65536;

// Small views are read into heap blocks (see SpareBlock.h). The copy does not
// follow later writes to the file as a Win32 view would; the loader opens its
// file sharing reading alone, which under Win32 keeps every writer out while
// the mapping lasts, so it cannot tell. Views shorter than this are read,
// longer ones mapped (the platform control lets tests choose either way in any
// build).
size_t readLimit = kSmallestMapping;
// The longest view made since the last reset.
uint64_t longestView = 0;

struct ViewRecord {
  size_t length;
  bool mapped;
  bool cut; // for a read view: filled with zeros past its file's new end
};

// The live views by address, ordered so that the view holding an address can
// be found.
std::map<const char *, ViewRecord> &LiveViews() {
  static std::map<const char *, ViewRecord> views;
  return views;
}

// The memory of the last small view released, for the next one.
SpareBlock spareView = {};

// The view's bytes read into heap memory. The bytes of a file cut short since
// its mapping was made read as zeros, and the view is marked as cut.
char *ReadBytes(int descriptor, uint64_t offset, size_t length, bool *cut) {
  char *view = static_cast<char *>(TakeBlock(&spareView, length));
  for (size_t done = 0; view && done < length;) {
    ssize_t got = pread(descriptor, view + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      GiveBackBlock(&spareView, view, length);
      return nullptr;
    }
    if (got == 0) {
      std::memset(view + done, 0, length - done);
      *cut = true;
      break;
    }
    done += static_cast<size_t>(got);
  }
  return view;
}

#ifdef __EMSCRIPTEN__
// The browser's mmap copies the file into the heap: no other process can cut
// its pages away.
char *MapBytes(int descriptor, uint64_t offset, size_t length) {
  void *view =
      mmap(nullptr, length, PROT_READ, MAP_PRIVATE, descriptor, static_cast<off_t>(offset));
  return view == MAP_FAILED ? nullptr : static_cast<char *>(view);
}

void ForgetMappedView(const char *) {}

bool MappedViewWasCut(const char *) { return false; }
#else
// The mapped views, where the bus-error handler looks them up: a fixed table,
// as a signal handler may neither allocate nor lock. A view that finds the
// table full is read instead.
struct GuardedView {
  uintptr_t begin; // 0 for a free entry
  size_t bytes;    // whole pages
  volatile sig_atomic_t cut;
};
GuardedView guardedViews[16];
struct sigaction previousBusAction;
bool busHandlerInstalled = false;
uintptr_t pageSize = 4096; // the system's, once the handler is installed

GuardedView *GuardedViewAt(uintptr_t address) {
  for (GuardedView &view : guardedViews) {
    if (view.begin != 0 && address - view.begin < view.bytes) {
      return &view;
    }
  }
  return nullptr;
}

// A read of a mapped page that its file no longer holds: the view from that
// page to its end becomes zero-filled memory and the read is made again. Bus
// errors anywhere else go to the handler that was there before, or end the
// process as they would have.
void OnBusError(int number, siginfo_t *info, void *context) {
  uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
  GuardedView *view = info->si_code == BUS_ADRERR ? GuardedViewAt(address) : nullptr;
  if (view) {
    uintptr_t page = address & ~(pageSize - 1);
    void *zeros = mmap(reinterpret_cast<void *>(page), view->begin + view->bytes - page, PROT_READ,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros != MAP_FAILED) {
      view->cut = 1;
      return;
    }
  }
  if (previousBusAction.sa_flags & SA_SIGINFO) {
    previousBusAction.sa_sigaction(number, info, context);
  } else if (previousBusAction.sa_handler != SIG_DFL && previousBusAction.sa_handler != SIG_IGN) {
    previousBusAction.sa_handler(number);
  } else {
    // Delivered with the default action once the handler returns.
    signal(SIGBUS, SIG_DFL);
    raise(number);
  }
}

bool InstallBusHandler() {
  if (!busHandlerInstalled) {
    pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    struct sigaction action = {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    busHandlerInstalled = sigaction(SIGBUS, &action, &previousBusAction) == 0;
  }
  return busHandlerInstalled;
}

// The pages of the view, made present at once: the bitmap loader reads all
// of a view, and one call costs less than a page fault every few pages. Null
// when the view cannot be guarded against its file being cut short.
char *MapBytes(int descriptor, uint64_t offset, size_t length) {
  GuardedView *entry = nullptr;
  for (GuardedView &view : guardedViews) {
    if (view.begin == 0) {
      entry = &view;
      break;
    }
  }
  if (!entry || !InstallBusHandler()) {
    return nullptr;
  }
  void *view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor,
                    static_cast<off_t>(offset));
  if (view == MAP_FAILED) {
    return nullptr;
  }
  entry->cut = 0;
  entry->bytes = (length + pageSize - 1) / pageSize * pageSize;
  entry->begin = reinterpret_cast<uintptr_t>(view);
  return static_cast<char *>(view);
}

void ForgetMappedView(const char *address) {
  if (GuardedView *view = GuardedViewAt(reinterpret_cast<uintptr_t>(address))) {
    view->begin = 0;
  }
}

bool MappedViewWasCut(const char *address) {
  GuardedView *view = GuardedViewAt(reinterpret_cast<uintptr_t>(address));
  return view && view->cut;
}
#endif

// Mapped when it is long enough and can be guarded, read otherwise.
char *MakeView(int descriptor, uint64_t offset, size_t length, ViewRecord *record) {
  *record = {length, false, false};
  if (!BelongsOnHeap(length, readLimit)) {
    if (char *view = MapBytes(descriptor, offset, length)) {
      record->mapped = true;
      return view;
    }
  }
  return ReadBytes(descriptor, offset, length, &record->cut);
}

void ReleaseView(char *view, const ViewRecord &record) {
  if (record.mapped) {
    ForgetMappedView(view);
    munmap(view, record.length);
  } else {
    GiveBackBlock(&spareView, view, record.length);
  }
}

} // namespace

bool ViewWasCut(const void *address) {
  const char *byte = static_cast<const char *>(address);
  auto after = LiveViews().upper_bound(byte);
  if (after == LiveViews().begin()) {
    return false;
  }
  auto view = std::prev(after);
  if (static_cast<size_t>(byte - view->first) >= view->second.length) {
    return false;
  }
  return view->second.mapped ? MappedViewWasCut(view->first) : view->second.cut;
}

void ResetFileViews() {
  readLimit = kSmallestMapping;
  longestView = 0;
}

namespace control {

void SetViewReadLimit(size_t bytes) { readLimit = bytes; }

uint64_t LongestView() { return longestView; }

} // namespace control

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
  platform::ViewRecord record;
  char *view = platform::MakeView(source->descriptor, offset, length, &record);
  if (!view) {
    return nullptr;
  }
  platform::LiveViews()[view] = record;
  platform::longestView = std::max(platform::longestView, length);
  ++platform::liveResources.views;
  return view;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID address) {
  if (platform::CallFails("UnmapViewOfFile", platform::CallArguments(address))) {
    return FALSE;
  }
  auto view = platform::LiveViews().find(static_cast<const char *>(address));
  if (view == platform::LiveViews().end()) {
    return FALSE;
  }
  platform::ReleaseView(const_cast<char *>(view->first), view->second);
  platform::LiveViews().erase(view);
  --platform::liveResources.views;
  return TRUE;
}
