// A platform function's arguments as the text that platform::CallFails
// records in the call log: strings quoted (an integer resource name as
// "#32512"), the window system's handles by name ("hwnd1"), other pointers in
// hex, null pointers as NULL, numbers in decimal, flags in hex (Hex), the
// structures the program passes by their fields, separated by ", ".
//
// CallArguments keeps the values and formats nothing. CallFails formats them,
// and consults the hook at all, only while calls are watched: the desktop
// program never does, and its every platform call then costs no text and no
// allocation.
#ifndef QUELLOR_HOOK_CALL_ARGUMENTS_H
#define QUELLOR_HOOK_CALL_ARGUMENTS_H

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <string>
#include <tuple>
#include <type_traits>

namespace platform {

// A number logged in hex: flags, styles, messages.
struct Hex {
  unsigned long long value;
};

std::string FormatArgument(const char *text);
std::string FormatArgument(const WCHAR *text);
std::string FormatArgument(const void *pointer);
std::string FormatArgument(Hex number);
std::string FormatArgument(const MSG *msg);
std::string FormatArgument(const RECT *rect);
std::string FormatArgument(const WNDCLASSA *windowClass);
std::string FormatArgument(const DEVMODEA *mode);
std::string FormatArgument(const PIXELFORMATDESCRIPTOR *format);

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
// fail. The arguments become text only while calls are watched.
template <typename... Args>
bool CallFails(const char *name, const CallArgumentList<Args...> &arguments) {
  return CallsWatched() && CallFails(name, ArgumentText(arguments));
}

} // namespace platform

#endif
