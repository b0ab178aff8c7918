// Device contexts, pixel formats and rendering contexts on SDL's OpenGL
// support. Every window owns one device context (as with CS_OWNDC); its pixel
// format is the one the window was created with, so choosing and setting a
// format checks the request against it and records it.
#include "CallArguments.h"
#include "PlatformCalls.h"
#include "SdlBackend.h"

#include <memory>
#include <vector>

using sdlbackend::WindowRecord;

namespace {

// The only pixel format a window offers: RGBA, double-buffered, drawn to the
// window with OpenGL.
const int kWindowFormat = 1;

struct ContextRecord {
  SDL_GLContext context;
};

std::vector<std::unique_ptr<ContextRecord>> contexts;
HGLRC currentContext = nullptr;
SDL_Window *currentWindow = nullptr;

HGLRC HandleOf(const ContextRecord *record) {
  return reinterpret_cast<HGLRC>(const_cast<ContextRecord *>(record));
}

ContextRecord *ContextOf(HGLRC handle) {
  for (const auto &record : contexts) {
    if (HandleOf(record.get()) == handle)
      return record.get();
  }
  return nullptr;
}

bool RequestFitsWindow(const PIXELFORMATDESCRIPTOR *request) {
  const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  return request != nullptr && request->nSize == sizeof(PIXELFORMATDESCRIPTOR) &&
         request->nVersion == 1 && (request->dwFlags & needed) == needed &&
         request->iPixelType == PFD_TYPE_RGBA;
}

void ReleaseCurrent() {
  if (currentContext != nullptr)
    SDL_GL_MakeCurrent(currentWindow, nullptr);
  currentContext = nullptr;
  currentWindow = nullptr;
}

} // namespace

void sdlbackend::UnbindWindow(SDL_Window *sdlWindow) {
  if (currentWindow == sdlWindow)
    ReleaseCurrent();
}

HDC WINAPI GetDC(HWND window) {
  if (platform::CallFails("GetDC", platform::CallArguments(window)))
    return nullptr;
  WindowRecord *record = sdlbackend::RecordOf(window);
  return record ? reinterpret_cast<HDC>(&record->deviceContext) : nullptr;
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  if (platform::CallFails("ReleaseDC", platform::CallArguments(window, dc)))
    return 0;
  const WindowRecord *record = sdlbackend::RecordOfDC(dc);
  return record != nullptr && sdlbackend::HandleOf(record) == window ? 1 : 0;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *request) {
  if (platform::CallFails("ChoosePixelFormat", platform::CallArguments(dc)))
    return 0;
  if (sdlbackend::RecordOfDC(dc) == nullptr || !RequestFitsWindow(request))
    return 0;
  return kWindowFormat;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *request) {
  if (platform::CallFails("SetPixelFormat", platform::CallArguments(dc, format)))
    return FALSE;
  WindowRecord *record = sdlbackend::RecordOfDC(dc);
  // A window's pixel format is set once and for all.
  if (record == nullptr || format != kWindowFormat || record->pixelFormat != 0 ||
      !RequestFitsWindow(request))
    return FALSE;
  record->pixelFormat = format;
  return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
  if (platform::CallFails("SwapBuffers", platform::CallArguments(dc)))
    return FALSE;
  const WindowRecord *record = sdlbackend::RecordOfDC(dc);
  if (record == nullptr)
    return FALSE;
  SDL_GL_SwapWindow(record->sdlWindow);
  return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc) {
  if (platform::CallFails("wglCreateContext", platform::CallArguments(dc)))
    return nullptr;
  const WindowRecord *record = sdlbackend::RecordOfDC(dc);
  if (record == nullptr || record->pixelFormat == 0)
    return nullptr;
  SDL_GLContext context = SDL_GL_CreateContext(record->sdlWindow);
  if (context == nullptr)
    return nullptr;
  // SDL makes a new context current; a new WGL context is not, so the
  // previous binding comes back.
  if (currentContext != nullptr)
    SDL_GL_MakeCurrent(currentWindow, ContextOf(currentContext)->context);
  else
    SDL_GL_MakeCurrent(record->sdlWindow, nullptr);
  contexts.push_back(std::make_unique<ContextRecord>(ContextRecord{context}));
  return HandleOf(contexts.back().get());
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
  if (platform::CallFails("wglMakeCurrent", platform::CallArguments(dc, context)))
    return FALSE;
  if (context == nullptr) {
    ReleaseCurrent();
    return TRUE;
  }
  const WindowRecord *record = sdlbackend::RecordOfDC(dc);
  ContextRecord *target = ContextOf(context);
  if (record == nullptr || target == nullptr || record->pixelFormat == 0)
    return FALSE;
  if (SDL_GL_MakeCurrent(record->sdlWindow, target->context) != 0)
    return FALSE;
  currentContext = context;
  currentWindow = record->sdlWindow;
  return TRUE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
  if (platform::CallFails("wglDeleteContext", platform::CallArguments(context)))
    return FALSE;
  for (auto it = contexts.begin(); it != contexts.end(); ++it) {
    if (HandleOf(it->get()) != context)
      continue;
    if (currentContext == context)
      ReleaseCurrent();
    SDL_GL_DeleteContext((*it)->context);
    contexts.erase(it);
    return TRUE;
  }
  return FALSE;
}
