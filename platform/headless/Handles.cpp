#include "Handles.h"

#include <cstdint>

namespace headless::backend {

namespace {

const int kKindShift = 24;
const uintptr_t kIdMask = (uintptr_t(1) << kKindShift) - 1;

const char *KindPrefix(uintptr_t kind) {
  switch (static_cast<HandleKind>(kind)) {
  case HandleKind::Window:
    return "hwnd";
  case HandleKind::DeviceContext:
    return "hdc";
  case HandleKind::RenderingContext:
    return "hglrc";
  case HandleKind::Icon:
    return "icon";
  case HandleKind::Cursor:
    return "cursor";
  }
  return nullptr;
}

} // namespace

void *MakeHandle(HandleKind kind, unsigned id) {
  uintptr_t value = (uintptr_t(kind) << kKindShift) | (id & kIdMask);
  return reinterpret_cast<void *>(value);
}

std::string HandleText(const void *handle) {
  if (!handle) {
    return "NULL";
  }
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  const char *prefix = KindPrefix(value >> kKindShift);
  if (!prefix) {
    return "non-null";
  }
  return prefix + std::to_string(value & kIdMask);
}

} // namespace headless::backend
