// The kernel objects behind file and mapping handles: each handle points to a
// record holding its POSIX file descriptor. Only handles that are still open
// are found, so a closed or made-up handle is refused instead of used.
#ifndef QUELLOR_OS_KERNEL_OBJECTS_H
#define QUELLOR_OS_KERNEL_OBJECTS_H

#include <windows.h>

#include <cstdint>

namespace platform {

enum class KernelObjectKind { file, mapping };

struct KernelObject {
  KernelObjectKind kind;
  int descriptor;
  uint64_t size; // for a mapping: the bytes it covers (0 for a file)
};

// Takes ownership of the descriptor and returns the new handle, counted as
// live until CloseHandle.
HANDLE NewKernelObject(KernelObjectKind kind, int descriptor, uint64_t size);

// The open object of that kind behind the handle, or null.
KernelObject *FindKernelObject(HANDLE handle, KernelObjectKind kind);

} // namespace platform

#endif
