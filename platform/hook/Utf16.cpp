#include "hook/Utf16.h"

namespace platform {

namespace {

void AppendUtf8(std::string *out, char32_t code) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code >> 18));
    *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

std::string Utf16ToUtf8(const WCHAR *text, bool *valid) {
  std::string out;
  bool allPaired = true;
  for (size_t i = 0; text[i] != 0; ++i) {
    char32_t unit = text[i];
    if (IsHighSurrogate(unit) && IsLowSurrogate(text[i + 1])) {
      char32_t low = text[++i];
      AppendUtf8(&out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      out += '?';
      allPaired = false;
    } else {
      AppendUtf8(&out, unit);
    }
  }
  if (valid) {
    *valid = allPaired;
  }
  return out;
}

} // namespace platform
