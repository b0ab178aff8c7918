#include "os/SpareBlock.h"

#include "os/Sanitizers.h"

#include <cstdint>
#include <cstdlib>

namespace platform {

#ifdef QUELLOR_ADDRESS_SANITIZER
// Each block is exactly as large as its request, so the sanitizer catches an
// access past the end (see Sanitizers.h); none is kept.
void *TakeBlock(SpareBlock *, size_t bytes) { return std::malloc(bytes > 0 ? bytes : 1); }

void GiveBackBlock(SpareBlock *, void *memory, size_t) { std::free(memory); }

const size_t kSmallestMapping = SIZE_MAX;
#else
const size_t kSmallestMapping = 128 << 10;

void *TakeBlock(SpareBlock *spare, size_t bytes) {
  if (spare->memory && spare->bytes >= bytes) {
    void *memory = spare->memory;
    spare->memory = nullptr;
    return memory;
  }
  return std::malloc(bytes > 0 ? bytes : 1);
}

void GiveBackBlock(SpareBlock *spare, void *memory, size_t bytes) {
  if (spare->memory && spare->bytes >= bytes) {
    std::free(memory);
    return;
  }
  std::free(spare->memory);
  spare->memory = memory;
  spare->bytes = bytes;
}
#endif

} // namespace platform
