#include "HeapCounter.h"

#include <Sanitizers.h>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The caller of each allocation counted, up to the first kMaxCallers.
const long kMaxCallers = 1 << 20;
void *callers[kMaxCallers];
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

// Inlined into each allocation function, so that the return address is the
// allocating code's.
#define COUNT_ALLOCATION()                                                                         \
  do {                                                                                             \
    if (counting.load(std::memory_order_relaxed)) {                                                \
      const long index = allocations.fetch_add(1, std::memory_order_relaxed);                      \
      if (index < kMaxCallers)                                                                     \
        callers[index] = __builtin_return_address(0);                                              \
    }                                                                                              \
  } while (false)

// Mesa's drivers and the LLVM they compile shaders with.
bool InGraphicsDriver(const void *address) {
  Dl_info info;
  if (!dladdr(address, &info) || !info.dli_fname)
    return false;
  const char *module = std::strrchr(info.dli_fname, '/');
  module = module ? module + 1 : info.dli_fname;
  return std::strstr(module, "_dri.so") || std::strncmp(module, "libLLVM", 7) == 0 ||
         std::strncmp(module, "libgallium", 10) == 0 || std::strncmp(module, "libglapi", 8) == 0 ||
         std::strstr(module, "_mesa.so");
}

} // namespace

void StartCountingAllocations() {
  allocations = 0;
  counting = true;
}

AllocationCount StopCountingAllocations() {
  counting = false;
  AllocationCount count = {allocations, 0};
  for (long i = 0; i < std::min(count.total, kMaxCallers); ++i) {
    if (InGraphicsDriver(callers[i]))
      ++count.byDriver;
  }
  return count;
}

#ifdef QUELLOR_ADDRESS_SANITIZER

bool AllocationsCounted() { return false; }

#else

bool AllocationsCounted() { return true; }

// The C library's functions, found once; until then (dlsym may itself
// allocate) requests are served from a small static block that is never
// freed.
namespace {

using Malloc = void *(*)(size_t);
using Calloc = void *(*)(size_t, size_t);
using Realloc = void *(*)(void *, size_t);
using Free = void (*)(void *);

Malloc realMalloc;
Calloc realCalloc;
Realloc realRealloc;
Free realFree;
bool resolving = false;
alignas(16) char bootstrap[16384];
size_t bootstrapUsed = 0;

void *FromBootstrap(size_t bytes) {
  bytes = (bytes + 15) & ~size_t{15};
  if (bootstrapUsed + bytes > sizeof bootstrap)
    std::abort();
  void *block = bootstrap + bootstrapUsed;
  bootstrapUsed += bytes;
  return block;
}

bool InBootstrap(const void *block) {
  return block >= bootstrap && block < bootstrap + sizeof bootstrap;
}

bool Resolve() {
  if (realMalloc)
    return true;
  if (resolving)
    return false;
  resolving = true;
  realCalloc = reinterpret_cast<Calloc>(dlsym(RTLD_NEXT, "calloc"));
  realRealloc = reinterpret_cast<Realloc>(dlsym(RTLD_NEXT, "realloc"));
  realFree = reinterpret_cast<Free>(dlsym(RTLD_NEXT, "free"));
  realMalloc = reinterpret_cast<Malloc>(dlsym(RTLD_NEXT, "malloc"));
  resolving = false;
  return true;
}

} // namespace

void *AllocateUncounted(size_t bytes) {
  return Resolve() ? realMalloc(bytes) : FromBootstrap(bytes);
}

extern "C" void *malloc(size_t bytes) {
  COUNT_ALLOCATION();
  return AllocateUncounted(bytes);
}

extern "C" void *calloc(size_t count, size_t size) {
  COUNT_ALLOCATION();
  return Resolve() ? realCalloc(count, size) : FromBootstrap(count * size);
}

extern "C" void *realloc(void *block, size_t bytes) {
  COUNT_ALLOCATION();
  if (InBootstrap(block) || !Resolve()) {
    void *moved = AllocateUncounted(bytes);
    if (block)
      std::memcpy(
          moved, block,
          std::min<size_t>(bytes, bootstrap + sizeof bootstrap - static_cast<char *>(block)));
    return moved;
  }
  return realRealloc(block, bytes);
}

extern "C" void free(void *block) {
  if (block && !InBootstrap(block) && Resolve())
    realFree(block);
}

void *operator new(size_t bytes) {
  COUNT_ALLOCATION();
  if (void *block = AllocateUncounted(bytes ? bytes : 1))
    return block;
  throw std::bad_alloc();
}

void *operator new[](size_t bytes) { return operator new(bytes); }

void operator delete(void *block) noexcept { std::free(block); }

void operator delete[](void *block) noexcept { std::free(block); }

void operator delete(void *block, size_t) noexcept { std::free(block); }

void operator delete[](void *block, size_t) noexcept { std::free(block); }

#endif
