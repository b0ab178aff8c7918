// WGL's rendering contexts over the backend's: creation leaves the current
// binding as it was, a context is current on one window at a time, and a
// failed wglMakeCurrent leaves the context current before still current.
#include "core/Core.h"
#include "core/PlatformControl.h"
#include "hook/CallArguments.h"
#include "hook/Handles.h"

namespace platform::core {

namespace {

RenderingContext *LookUpRenderingContext(HGLRC handle) {
  for (RenderingContext &rc : state.contexts.renderingContexts) {
    if (rc.handle == handle)
      return &rc;
  }
  return nullptr;
}

void ReleaseCurrent() {
  if (state.contexts.current)
    activeBackend.makeCurrent(nullptr, nullptr);
  state.contexts.current = nullptr;
  state.contexts.currentWindow = nullptr;
}

// The window's surface once its pixel format is set, or null.
void *DrawableSurface(HDC dc) {
  const Window *window = WindowOfDC(dc);
  return window && window->pixelFormat ? window->surface : nullptr;
}

} // namespace

// The context stays current as WGL sees it; natively it is let go before
// its surface goes.
void UnbindWindow(const Window &window) {
  if (state.contexts.current && state.contexts.currentWindow == window.handle)
    activeBackend.makeCurrent(nullptr, nullptr);
  if (state.contexts.currentWindow == window.handle)
    state.contexts.currentWindow = nullptr;
}

const Window *CurrentContextWindow() {
  return state.contexts.current ? LookUpWindow(state.contexts.currentWindow) : nullptr;
}

int LiveRenderingContextCount() {
  return static_cast<int>(state.contexts.renderingContexts.size());
}

void DeleteRenderingContexts() {
  ReleaseCurrent();
  for (const RenderingContext &rc : state.contexts.renderingContexts)
    activeBackend.deleteContext(rc.native);
}

} // namespace platform::core

int platform::control::FramesPresented() { return core::state.contexts.framesPresented; }

using namespace platform::core;

BOOL WINAPI SwapBuffers(HDC dc) {
  if (platform::CallFails("SwapBuffers", platform::CallArguments(dc)))
    return FALSE;
  void *surface = DrawableSurface(dc);
  if (!surface)
    return FALSE;
  activeBackend.swap(surface);
  ++state.contexts.framesPresented;
  return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc) {
  if (platform::CallFails("wglCreateContext", platform::CallArguments(dc)))
    return nullptr;
  void *surface = DrawableSurface(dc);
  void *native = surface ? activeBackend.createContext(surface) : nullptr;
  if (!native)
    return nullptr;
  // A new context is not current: the previous binding comes back.
  const Window *bound = CurrentContextWindow();
  if (bound)
    activeBackend.makeCurrent(bound->surface,
                              LookUpRenderingContext(state.contexts.current)->native);
  else
    activeBackend.makeCurrent(nullptr, nullptr);
  HGLRC handle = static_cast<HGLRC>(
      MakeHandle(HandleKind::RenderingContext, state.contexts.nextRenderingContextId++));
  state.contexts.renderingContexts.push_back({handle, native});
  return handle;
}

// A failed wglMakeCurrent changes nothing: the context current before stays
// current (its documentation says otherwise; Windows does not do that).
// Releasing when no context is current fails with ERROR_INVALID_HANDLE.
BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
  if (platform::CallFails("wglMakeCurrent", platform::CallArguments(dc, context)))
    return FALSE;
  if (!context) {
    if (!state.contexts.current) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    ReleaseCurrent();
    return TRUE;
  }
  const RenderingContext *rc = LookUpRenderingContext(context);
  void *surface = DrawableSurface(dc);
  if (!rc || !surface) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!activeBackend.makeCurrent(surface, rc->native)) {
    // Back to the binding before, natively too.
    const Window *bound = CurrentContextWindow();
    activeBackend.makeCurrent(bound ? bound->surface : nullptr,
                              bound ? LookUpRenderingContext(state.contexts.current)->native
                                    : nullptr);
    return FALSE;
  }
  state.contexts.current = context;
  state.contexts.currentWindow = WindowOfSurface(surface)->handle;
  return TRUE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
  if (platform::CallFails("wglDeleteContext", platform::CallArguments(context)))
    return FALSE;
  RenderingContext *rc = LookUpRenderingContext(context);
  if (!rc)
    return FALSE;
  if (state.contexts.current == context)
    ReleaseCurrent();
  activeBackend.deleteContext(rc->native);
  state.contexts.renderingContexts.erase(state.contexts.renderingContexts.begin() +
                                         (rc - state.contexts.renderingContexts.data()));
  return TRUE;
}

// A question that cannot fail: it does not pass the call hook.
HGLRC WINAPI wglGetCurrentContext(void) { return state.contexts.current; }
