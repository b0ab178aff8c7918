// UTF-16 text (Win32 wide strings) in the system's 8-bit encoding, UTF-8.
#ifndef QUELLOR_HOOK_UTF16_H
#define QUELLOR_HOOK_UTF16_H

#include <windows.h>

#include <string>

namespace platform {

// Converts the zero-terminated UTF-16 text to UTF-8. A surrogate without its
// partner cannot be represented: it becomes '?' and *valid (when given) is set
// to false; otherwise *valid is set to true.
std::string Utf16ToUtf8(const WCHAR *text, bool *valid);

} // namespace platform

#endif
