#include "hook/Handles.h"

#include <cstdint>

namespace platform::core {

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

std::string HandleName(const void *handle) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  const char *prefix = KindPrefix(value >> kKindShift);
  return prefix ? prefix + std::to_string(value & kIdMask) : "";
}

} // namespace platform::core
