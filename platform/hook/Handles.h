// Handles made by the window system: small tagged numbers that are never
// dereferenced, so a log can name them ("hwnd1", "hdc2") and a stale or
// foreign handle is recognised as such. They live beside the call hook,
// which names them in the log; the core makes them.
#ifndef QUELLOR_HOOK_HANDLES_H
#define QUELLOR_HOOK_HANDLES_H

#include <string>

namespace platform::core {

enum class HandleKind { Window = 1, DeviceContext, RenderingContext, Icon, Cursor };

void *MakeHandle(HandleKind kind, unsigned id);

// A window-system handle's name such as "hwnd3", or "" for any other value.
std::string HandleName(const void *handle);

} // namespace platform::core

#endif
