// The local heap: fixed blocks, optionally zero-filled, over malloc.
#include "hook/CallArguments.h"
#include "os/ResourceCounts.h"

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <cstdlib>

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  if (platform::CallFails("LocalAlloc", platform::CallArguments(flags, bytes))) {
    return nullptr;
  }
  // Movable blocks (handles that must be locked) are not provided.
  if ((flags & ~static_cast<UINT>(LMEM_ZEROINIT)) != LMEM_FIXED) {
    return nullptr;
  }
  // A block of 0 bytes is still a distinct, valid block, as in Win32.
  size_t size = bytes == 0 ? 1 : bytes;
  void *block = (flags & LMEM_ZEROINIT) ? std::calloc(1, size) : std::malloc(size);
  if (block) {
    ++platform::liveResources.localBlocks;
  }
  return block;
}

HLOCAL WINAPI LocalFree(HLOCAL memory) {
  if (platform::CallFails("LocalFree", platform::CallArguments(memory))) {
    return memory;
  }
  if (memory) {
    std::free(memory);
    --platform::liveResources.localBlocks;
  }
  return nullptr;
}
