#include "ProcessUsage.h"

#include <dirent.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

size_t ResidentBytes() {
  malloc_trim(0);
  FILE *statm = std::fopen("/proc/self/statm", "r");
  if (!statm)
    return 0;
  unsigned long size = 0, resident = 0;
  int fields = std::fscanf(statm, "%lu %lu", &size, &resident);
  std::fclose(statm);
  return fields == 2 ? resident * static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

#if defined(__SANITIZE_ADDRESS__)
// Freed memory goes straight back to AddressSanitizer's allocator instead of
// waiting in its quarantine, so that resident memory shows what is in use.
extern "C" const char *__asan_default_options() { return "quarantine_size_mb=0"; }
#endif

int OpenDescriptors() {
  DIR *directory = opendir("/proc/self/fd");
  if (!directory)
    return -1;
  int count = 0;
  while (readdir(directory))
    ++count;
  closedir(directory);
  // ".", ".." and the descriptor of the listing itself.
  return count - 3;
}

int CountFromEnvironment(const char *name, int defaultCount) {
  const char *text = std::getenv(name);
  if (!text)
    return defaultCount;
  int count = std::atoi(text);
  return count > 0 ? count : defaultCount;
}
