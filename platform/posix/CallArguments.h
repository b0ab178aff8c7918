// The arguments a platform function hands to platform::CallFails, and the
// text the call log shows for them: strings quoted, pointers and handles in
// hex, null pointers as NULL, numbers in decimal, separated by ", ".
//
// CallArguments only keeps the values. CallFails turns them into text, and
// passes them on to the backend, only while the backend watches platform
// calls: the desktop backend never does, so there a platform call costs no
// text and no allocation.
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
