// A platform function's arguments as the text that platform::CallFails
// records in the call log: strings quoted, pointers and handles in hex, null
// pointers as NULL, numbers in decimal, separated by ", ".
//
// CallArguments keeps the values and formats nothing. CallFails formats them,
// and consults the backend at all, only while the backend watches platform
// calls: the desktop program never does, and its every platform call then
// costs no text and no allocation.
#ifndef QUELLOR_POSIX_CALL_ARGUMENTS_H
#define QUELLOR_POSIX_CALL_ARGUMENTS_H

#include <PlatformCalls.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <type_traits>

namespace platform {

std::string FormatArgument(const char *text);
std::string FormatArgument(const WCHAR *text);
std::string FormatArgument(const void *pointer);

template <typename T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
std::string FormatArgument(T value) {
  return std::to_string(value);
}

// The arguments of one call, by value: pointers and numbers. A string is kept
// as its pointer, which stays valid while the call runs.
template <typename... Args> struct CallArgumentList { std::tuple<Args...> values; };

template <typename... Args>
CallArgumentList<std::decay_t<Args>...> CallArguments(const Args &...args) {
  return {{args...}};
}

template <typename... Args> std::string ArgumentText(const CallArgumentList<Args...> &arguments) {
  std::string text;
  std::apply(
      [&](const Args &...values) {
        ((text += (text.empty() ? "" : ", ") + FormatArgument(values)), ...);
      },
      arguments.values);
  return text;
}

// The entry hook for the functions of this layer: true when the call must
// fail. The arguments become text only for a backend that watches.
template <typename... Args>
bool CallFails(const char *name, const CallArgumentList<Args...> &arguments) {
  return CallsWatched() && CallFails(name, ArgumentText(arguments));
}

} // namespace platform

#endif
