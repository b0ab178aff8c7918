#include "ArgText.h"

#include <cstdint>
#include <cstdio>

namespace headless::backend {

std::string Quoted(const char *text) {
  if (!text) {
    return "NULL";
  }
  // Resource names may be small integers in place of a string.
  uintptr_t value = reinterpret_cast<uintptr_t>(text);
  if (value <= 0xFFFF) {
    return "#" + std::to_string(value);
  }
  std::string quoted = "\"";
  for (const char *c = text; *c; ++c) {
    switch (*c) {
    case '\n':
      quoted += "\\n";
      break;
    case '"':
      quoted += "\\\"";
      break;
    case '\\':
      quoted += "\\\\";
      break;
    default:
      quoted += *c;
    }
  }
  return quoted + "\"";
}

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", value);
  return text;
}

std::string Bool(int value) { return value ? "TRUE" : "FALSE"; }

std::string Join(std::initializer_list<std::string> parts) {
  std::string joined;
  for (const std::string &part : parts) {
    if (!joined.empty()) {
      joined += ", ";
    }
    joined += part;
  }
  return joined;
}

} // namespace headless::backend
