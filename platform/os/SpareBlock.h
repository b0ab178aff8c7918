// One block of heap memory kept back when it is released, for the next
// request of the same kind that fits in it. Small file views and DIB sections
// come from such blocks: a load takes its blocks and gives them back, and the
// next load finds them again, where malloc might have handed the pages back
// to the system when they were freed (it trims the top of the heap) and had
// each of them faulted in anew.
#ifndef QUELLOR_OS_SPARE_BLOCK_H
#define QUELLOR_OS_SPARE_BLOCK_H

#include <cstddef>

namespace platform {

struct SpareBlock {
  void *memory; // null when no block is kept
  size_t bytes; // what the kept block holds at least
};

// The kept block when it holds at least bytes, otherwise a new one; null
// when there is no memory. Its content is undefined.
void *TakeBlock(SpareBlock *spare, size_t bytes);

// Releases a block taken for bytes: it becomes the kept block, unless the
// block kept already holds more, in which case it is freed.
void GiveBackBlock(SpareBlock *spare, void *memory, size_t bytes);

// The size from which file views and DIB sections get a mapping of their own.
// Below it they are heap blocks as above: a mapping would cost more to make,
// fill and remove than their bytes cost to read or convert. Builds with
// AddressSanitizer keep every size on the heap (see Sanitizers.h).
extern const size_t kSmallestMapping;

// Whether memory of this many bytes is a heap block rather than a mapping,
// for the given smallest mapping (tests may choose another for views).
inline bool BelongsOnHeap(size_t bytes, size_t smallestMapping = kSmallestMapping) {
  return bytes < smallestMapping;
}

} // namespace platform

#endif
