#include "CallArguments.h"

#include "Utf16.h"

#include <cstdio>

namespace platform {

std::string FormatArgument(const char *text) {
  return text ? "\"" + std::string(text) + "\"" : "NULL";
}

std::string FormatArgument(const WCHAR *text) {
  return text ? "L\"" + Utf16ToUtf8(text, nullptr) + "\"" : "NULL";
}

std::string FormatArgument(const void *pointer) {
  if (!pointer) {
    return "NULL";
  }
  char text[2 + 2 * sizeof(void *) + 1];
  std::snprintf(text, sizeof text, "0x%jx",
                static_cast<uintmax_t>(reinterpret_cast<uintptr_t>(pointer)));
  return text;
}

} // namespace platform
