// Counts the heap allocations of this whole process (operator new, malloc,
// calloc and realloc, by any code and any thread) while counting is on, and
// tells apart those that the graphics driver (Mesa and its LLVM) makes
// itself. The test program replaces the allocation functions, except under
// AddressSanitizer, whose allocator must stay in place: there nothing is
// counted.
#ifndef QUELLOR_TESTS_HEAP_COUNTER_H
#define QUELLOR_TESTS_HEAP_COUNTER_H

struct AllocationCount {
  long total;
  long byDriver; // called for directly from the graphics driver's libraries
};

void StartCountingAllocations();
// Stops counting and returns the allocations counted since the start.
AllocationCount StopCountingAllocations();
// Whether this build counts allocations at all.
bool AllocationsCounted();

#endif
