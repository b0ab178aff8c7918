// Formats a platform function's arguments as the text that platform::CallFails
// records in the call log: strings quoted, pointers and handles in hex, null
// pointers as NULL, numbers in decimal, separated by ", ".
#ifndef QUELLOR_POSIX_CALL_ARGUMENTS_H
#define QUELLOR_POSIX_CALL_ARGUMENTS_H

#include <windows.h>

#include <string>
#include <type_traits>

namespace platform {

std::string FormatArgument(const char *text);
std::string FormatArgument(const WCHAR *text);
std::string FormatArgument(const void *pointer);

template <typename T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
std::string FormatArgument(T value) {
  return std::to_string(value);
}

template <typename... Args> std::string CallArguments(const Args &...args) {
  std::string text;
  ((text += (text.empty() ? "" : ", ") + FormatArgument(args)), ...);
  return text;
}

} // namespace platform

#endif
