// GlobalMemoryStatusEx: how much memory the process can still have. Linux
// tells it in three places: /proc/meminfo for the machine, the memory
// controller of each control group the process lies in (a container's or a
// service's limit), and the limit on the process's address space. The
// physical figure is the smallest of the first two, so that a program in a
// container with a limit is not told of memory that only the machine has.
// On a page the memory is the WebAssembly heap, which grows up to a fixed
// size.
#include "os/MemoryStatus.h"
#include "hook/CallArguments.h"

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten/heap.h>
#include <malloc.h>
#endif

namespace platform {

namespace {

// The physical and page-file figures, the tests' figure of available memory
// taking the place of the system's; the caller gives the address space.
void FillMemoryStatus(LPMEMORYSTATUSEX status, uint64_t total, uint64_t available,
                      uint64_t swapTotal, uint64_t swapFree) {
  uint64_t override = 0;
  if (AvailableMemoryOverride(&override)) {
    available = override;
  }
  status->dwMemoryLoad =
      total > 0 ? static_cast<DWORD>(100 - std::min<uint64_t>(available, total) * 100 / total) : 0;
  status->ullTotalPhys = total;
  status->ullAvailPhys = available;
  status->ullTotalPageFile = total + swapTotal;
  status->ullAvailPageFile = available + swapFree;
  status->ullAvailExtendedVirtual = 0;
}

} // namespace

} // namespace platform

#ifdef __EMSCRIPTEN__

// What the heap may still grow by, and what is free inside it; a page has no
// swap, and its address space is the heap.
BOOL WINAPI GlobalMemoryStatusEx(LPMEMORYSTATUSEX status) {
  if (platform::CallFails("GlobalMemoryStatusEx", platform::CallArguments(status))) {
    return FALSE;
  }
  if (!status || status->dwLength != sizeof(MEMORYSTATUSEX)) {
    return FALSE;
  }
  const uint64_t total = emscripten_get_heap_max();
  const uint64_t size = emscripten_get_heap_size();
  const struct mallinfo heap = mallinfo();
  platform::FillMemoryStatus(
      status, total, (total > size ? total - size : 0) + static_cast<uint64_t>(heap.fordblks), 0,
      0);
  status->ullTotalVirtual = total;
  status->ullAvailVirtual = status->ullAvailPhys;
  return TRUE;
}

#else

namespace platform {

namespace {

// The user half of x86-64's address space, for a process without a limit.
const uint64_t kUserAddressSpace = uint64_t{1} << 47;
const uint64_t kUnlimited = UINT64_MAX;

// A whole small file (the kernel's text files here are a few KiB at most);
// false when it cannot be read.
bool ReadSmallFile(const std::string &path, char *buffer, size_t size) {
  int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    return false;
  }
  size_t length = 0;
  for (;;) {
    ssize_t got = read(descriptor, buffer + length, size - 1 - length);
    if (got <= 0) {
      break;
    }
    length += static_cast<size_t>(got);
  }
  close(descriptor);
  buffer[length] = '\0';
  return length > 0;
}

// The number after "key" at the start of a line of text ("MemTotal:",
// "inactive_file "), times unit; 0 when the key is missing.
uint64_t FieldValue(const char *text, const char *key, uint64_t unit) {
  size_t keyLength = std::strlen(key);
  for (const char *line = text; line && *line; line = std::strchr(line, '\n')) {
    line += *line == '\n';
    if (std::strncmp(line, key, keyLength) == 0) {
      return std::strtoull(line + keyLength, nullptr, 10) * unit;
    }
  }
  return 0;
}

// A file holding one number; kUnlimited for "max", an absent file or text.
uint64_t NumberFile(const std::string &path) {
  char text[64];
  if (!ReadSmallFile(path, text, sizeof text) || text[0] < '0' || text[0] > '9') {
    return kUnlimited;
  }
  return std::strtoull(text, nullptr, 10);
}

struct MemoryController {
  std::string root;  // where the controller's hierarchy is mounted
  std::string group; // the process's group in it, from "/"
  const char *limit; // file names of the two versions of the controller
  const char *usage;
  bool versionOne;
};

// The memory controller the process lies under: version 1's own hierarchy
// when it is mounted, otherwise the unified hierarchy of version 2.
bool FindMemoryController(MemoryController *controller) {
  char text[4096];
  if (!ReadSmallFile("/proc/self/cgroup", text, sizeof text)) {
    return false;
  }
  std::string unifiedGroup;
  char *rest = nullptr;
  for (char *line = strtok_r(text, "\n", &rest); line; line = strtok_r(nullptr, "\n", &rest)) {
    // "id:controllers:group"
    char *controllers = std::strchr(line, ':');
    char *group = controllers ? std::strchr(controllers + 1, ':') : nullptr;
    if (!group) {
      continue;
    }
    std::string names(controllers + 1, group);
    if (("," + names + ",").find(",memory,") != std::string::npos) {
      *controller = {"/sys/fs/cgroup/memory", group + 1, "memory.limit_in_bytes",
                     "memory.usage_in_bytes", true};
      return true;
    }
    if (names.empty()) {
      unifiedGroup = group + 1;
    }
  }
  if (unifiedGroup.empty()) {
    return false;
  }
  *controller = {"/sys/fs/cgroup", unifiedGroup, "memory.max", "memory.current", false};
  return true;
}

// What the tightest limit of the process's group and the groups above it
// still allows; kUnlimited without a limit.
uint64_t ControlGroupAvailable() {
  MemoryController controller;
  if (!FindMemoryController(&controller)) {
    return kUnlimited;
  }
  uint64_t available = kUnlimited;
  std::string group = controller.group;
  for (;;) {
    std::string folder = controller.root + (group == "/" ? "" : group) + "/";
    uint64_t limit = NumberFile(folder + controller.limit);
    if (limit != kUnlimited) {
      uint64_t usage = NumberFile(folder + controller.usage);
      char stat[8192];
      uint64_t reclaimable = ReadSmallFile(folder + "memory.stat", stat, sizeof stat)
                                 ? ReclaimableFileCache(stat, controller.versionOne)
                                 : 0;
      if (usage != kUnlimited) {
        uint64_t used = usage > reclaimable ? usage - reclaimable : 0;
        available = std::min(available, limit > used ? limit - used : 0);
      }
    }
    if (group == "/" || group.empty()) {
      return available;
    }
    size_t slash = group.find_last_of('/');
    group = slash == 0 || slash == std::string::npos ? "/" : group.substr(0, slash);
  }
}

// The address space left under RLIMIT_AS, against what the process has
// mapped now.
void AddressSpace(uint64_t *total, uint64_t *available) {
  struct rlimit limit;
  *total = kUserAddressSpace;
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    *total = std::min<uint64_t>(limit.rlim_cur, kUserAddressSpace);
  }
  char statm[256];
  uint64_t mapped = 0;
  if (ReadSmallFile("/proc/self/statm", statm, sizeof statm)) {
    mapped = std::strtoull(statm, nullptr, 10) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
  }
  *available = *total > mapped ? *total - mapped : 0;
}

} // namespace

// Both lists of file pages count: the kernel reclaims active pages too (it
// moves them to the inactive list first) before a group is out of memory, so
// a group whose cache is busy is not short of memory for that.
uint64_t ReclaimableFileCache(const char *memoryStat, bool versionOne) {
  return FieldValue(memoryStat, versionOne ? "total_inactive_file " : "inactive_file ", 1) +
         FieldValue(memoryStat, versionOne ? "total_active_file " : "active_file ", 1);
}

} // namespace platform

BOOL WINAPI GlobalMemoryStatusEx(LPMEMORYSTATUSEX status) {
  if (platform::CallFails("GlobalMemoryStatusEx", platform::CallArguments(status))) {
    return FALSE;
  }
  char meminfo[8192];
  if (!status || status->dwLength != sizeof(MEMORYSTATUSEX) ||
      !platform::ReadSmallFile("/proc/meminfo", meminfo, sizeof meminfo)) {
    return FALSE;
  }
  uint64_t total = platform::FieldValue(meminfo, "MemTotal:", 1024);
  uint64_t available = platform::FieldValue(meminfo, "MemAvailable:", 1024);
  uint64_t swapTotal = platform::FieldValue(meminfo, "SwapTotal:", 1024);
  uint64_t swapFree = platform::FieldValue(meminfo, "SwapFree:", 1024);
  available = std::min(available, platform::ControlGroupAvailable());
  platform::FillMemoryStatus(status, total, available, swapTotal, swapFree);
  platform::AddressSpace(&status->ullTotalVirtual, &status->ullAvailVirtual);
  return TRUE;
}

#endif
