// Handles made by the headless backend: small tagged numbers that are never
// dereferenced, so a log can name them ("hwnd1", "hdc2") and a stale or
// foreign handle is recognised as such.
#ifndef QUELLOR_HEADLESS_HANDLES_H
#define QUELLOR_HEADLESS_HANDLES_H

#include <string>

namespace headless::backend {

enum class HandleKind { Window = 1, DeviceContext, RenderingContext, Icon, Cursor };

void *MakeHandle(HandleKind kind, unsigned id);

// "NULL", a backend handle's name such as "hwnd3", or "non-null" for a handle
// that the backend did not make.
std::string HandleText(const void *handle);

} // namespace headless::backend

#endif
