#include "hook/CallArguments.h"

#include "hook/Handles.h"
#include "hook/Utf16.h"

#include <cstdio>

namespace platform {

namespace {

std::string Braced(std::initializer_list<std::string> parts) {
  std::string text = "{";
  for (const std::string &part : parts)
    text += (text.size() > 1 ? ", " : "") + part;
  return text + "}";
}

} // namespace

std::string FormatArgument(const char *text) {
  if (!text)
    return "NULL";
  // Resource and class names may be small integers in place of a string.
  const uintptr_t value = reinterpret_cast<uintptr_t>(text);
  if (value <= 0xFFFF)
    return "#" + std::to_string(value);
  std::string quoted = "\"";
  for (const char *c = text; *c; ++c) {
    if (*c == '\n')
      quoted += "\\n";
    else if (*c == '"' || *c == '\\')
      quoted += std::string("\\") + *c;
    else
      quoted += *c;
  }
  return quoted + "\"";
}

std::string FormatArgument(const WCHAR *text) {
  return text ? "L\"" + Utf16ToUtf8(text, nullptr) + "\"" : "NULL";
}

std::string FormatArgument(const void *pointer) {
  if (!pointer)
    return "NULL";
  std::string name = core::HandleName(pointer);
  if (!name.empty())
    return name;
  char text[2 + 2 * sizeof(void *) + 1];
  std::snprintf(text, sizeof text, "0x%jx",
                static_cast<uintmax_t>(reinterpret_cast<uintptr_t>(pointer)));
  return text;
}

std::string FormatArgument(Hex number) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", number.value);
  return text;
}

std::string FormatArgument(const MSG *msg) {
  if (!msg)
    return "NULL";
  return Braced({FormatArgument(static_cast<const void *>(msg->hwnd)),
                 FormatArgument(Hex{msg->message}), FormatArgument(Hex{msg->wParam}),
                 FormatArgument(Hex{static_cast<ULONG_PTR>(msg->lParam)})});
}

std::string FormatArgument(const RECT *rect) {
  if (!rect)
    return "NULL";
  return Braced({std::to_string(rect->left), std::to_string(rect->top), std::to_string(rect->right),
                 std::to_string(rect->bottom)});
}

std::string FormatArgument(const WNDCLASSA *windowClass) {
  if (!windowClass)
    return "NULL";
  return Braced({FormatArgument(windowClass->lpszClassName),
                 FormatArgument(Hex{windowClass->style}),
                 windowClass->lpfnWndProc ? "non-null" : "NULL",
                 FormatArgument(static_cast<const void *>(windowClass->hInstance)),
                 FormatArgument(static_cast<const void *>(windowClass->hIcon)),
                 FormatArgument(static_cast<const void *>(windowClass->hCursor)),
                 FormatArgument(static_cast<const void *>(windowClass->hbrBackground)),
                 FormatArgument(windowClass->lpszMenuName)});
}

std::string FormatArgument(const DEVMODEA *mode) {
  if (!mode)
    return "NULL";
  return Braced({std::to_string(mode->dmSize), FormatArgument(Hex{mode->dmFields}),
                 std::to_string(mode->dmPelsWidth), std::to_string(mode->dmPelsHeight),
                 std::to_string(mode->dmBitsPerPel)});
}

std::string FormatArgument(const PIXELFORMATDESCRIPTOR *format) {
  if (!format)
    return "NULL";
  return Braced({FormatArgument(Hex{format->dwFlags}), std::to_string(format->iPixelType),
                 std::to_string(format->cColorBits), std::to_string(format->cDepthBits)});
}

} // namespace platform
