// Device contexts, the pixel format and WGL over Mesa's surfaceless EGL
// platform. Each window's device context draws into a 640x480 pbuffer of the
// one 16-bit format (5/6/5 colour, 16-bit depth); each rendering context is a
// fresh compatibility-profile OpenGL context.
#include "ArgText.h"
#include "Backend.h"
#include "Handles.h"
#include "HeadlessControl.h"

#include <PlatformCalls.h>

#include <EGL/eglext.h>
#include <GL/gl.h>

#include <vector>

namespace {

const int kSurfaceWidth = 640;
const int kSurfaceHeight = 480;
// The only pixel format offered.
const int kPixelFormat = 1;

struct DeviceContext {
  HDC handle;
  HWND window;
};

struct RenderingContext {
  HGLRC handle;
  EGLContext context;
};

// The display is set up once per process and kept: setting it up again for
// every test or every window would be slow.
struct Egl {
  bool tried = false;
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLConfig config = nullptr;
};
Egl egl;

std::vector<DeviceContext> deviceContexts;
std::vector<RenderingContext> renderingContexts;
HGLRC current = nullptr;
unsigned nextDeviceContextId = 1;
unsigned nextRenderingContextId = 1;
int framesPresented = 0;

EGLDisplay OpenDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplay"));
  if (!getPlatformDisplay) {
    getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
  }
  if (!getPlatformDisplay) {
    return EGL_NO_DISPLAY;
  }
  EGLDisplay display =
      getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
    return EGL_NO_DISPLAY;
  }
  return display;
}

// The config with exactly 5/6/5 colour, no alpha, 16-bit depth and no
// stencil; EGL also lists deeper configs as matches.
EGLConfig ChooseConfig(EGLDisplay display) {
  const EGLint wanted[] = {EGL_RED_SIZE,
                           5,
                           EGL_GREEN_SIZE,
                           6,
                           EGL_BLUE_SIZE,
                           5,
                           EGL_DEPTH_SIZE,
                           16,
                           EGL_SURFACE_TYPE,
                           EGL_PBUFFER_BIT,
                           EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,
                           EGL_NONE};
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, nullptr, 0, &count) || count <= 0) {
    return nullptr;
  }
  std::vector<EGLConfig> configs(count);
  eglChooseConfig(display, wanted, configs.data(), count, &count);
  for (EGLConfig config : configs) {
    EGLint red, green, blue, alpha, depth, stencil;
    eglGetConfigAttrib(display, config, EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display, config, EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(display, config, EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(display, config, EGL_ALPHA_SIZE, &alpha);
    eglGetConfigAttrib(display, config, EGL_DEPTH_SIZE, &depth);
    eglGetConfigAttrib(display, config, EGL_STENCIL_SIZE, &stencil);
    if (red == 5 && green == 6 && blue == 5 && alpha == 0 && depth == 16 && stencil == 0) {
      return config;
    }
  }
  return nullptr;
}

// True once EGL is usable; a failed set-up is not retried.
bool EglReady() {
  if (!egl.tried) {
    egl.tried = true;
    EGLDisplay display = OpenDisplay();
    if (display != EGL_NO_DISPLAY && eglBindAPI(EGL_OPENGL_API)) {
      egl.config = ChooseConfig(display);
      egl.display = display;
    }
  }
  return egl.display != EGL_NO_DISPLAY && egl.config != nullptr;
}

DeviceContext *LookUpDeviceContext(HDC handle) {
  for (DeviceContext &dc : deviceContexts) {
    if (dc.handle == handle) {
      return &dc;
    }
  }
  return nullptr;
}

// The live window of a device context.
headless::backend::Window *WindowOf(HDC handle) {
  DeviceContext *dc = LookUpDeviceContext(handle);
  return dc ? headless::backend::LookUpWindow(dc->window) : nullptr;
}

// The live window of a device context, once its pixel format has given it a
// drawing surface.
headless::backend::Window *DrawableWindowOf(HDC handle) {
  headless::backend::Window *window = WindowOf(handle);
  return window && window->surface != EGL_NO_SURFACE ? window : nullptr;
}

RenderingContext *LookUpRenderingContext(HGLRC handle) {
  for (RenderingContext &rc : renderingContexts) {
    if (rc.handle == handle) {
      return &rc;
    }
  }
  return nullptr;
}

void ReleaseCurrent() {
  if (current) {
    eglMakeCurrent(egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    current = nullptr;
  }
}

std::string FormatText(const PIXELFORMATDESCRIPTOR *request) {
  if (!request) {
    return "NULL";
  }
  return "{" +
         headless::backend::Join(
             {headless::backend::Hex(request->dwFlags), std::to_string(request->iPixelType),
              std::to_string(request->cColorBits), std::to_string(request->cDepthBits)}) +
         "}";
}

} // namespace

namespace headless {

std::vector<unsigned char> ReadFramePixels(int *width, int *height) {
  std::vector<unsigned char> pixels;
  int w = 0;
  int h = 0;
  if (current) {
    w = kSurfaceWidth;
    h = kSurfaceHeight;
    pixels.resize(static_cast<size_t>(w) * h * 3);
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  }
  if (width) {
    *width = w;
  }
  if (height) {
    *height = h;
  }
  return pixels;
}

int FramesPresented() { return framesPresented; }

namespace backend {

void ReleaseSurface(Window &window) {
  if (window.surface != EGL_NO_SURFACE) {
    // A surface still bound to the current context goes when it is unbound.
    eglDestroySurface(egl.display, window.surface);
    window.surface = EGL_NO_SURFACE;
  }
}

int LiveDeviceContextCount() { return static_cast<int>(deviceContexts.size()); }

int LiveRenderingContextCount() { return static_cast<int>(renderingContexts.size()); }

void ResetGraphics() {
  ReleaseCurrent();
  for (const RenderingContext &rc : renderingContexts) {
    eglDestroyContext(egl.display, rc.context);
  }
  renderingContexts.clear();
  deviceContexts.clear();
  nextDeviceContextId = 1;
  nextRenderingContextId = 1;
  framesPresented = 0;
}

} // namespace backend

} // namespace headless

using namespace headless::backend;

// The window class keeps its own device context, so a window has one at a
// time and asking again gives the same one.
HDC WINAPI GetDC(HWND window) {
  if (platform::CallFails("GetDC", HandleText(window))) {
    return nullptr;
  }
  if (!LookUpWindow(window)) {
    return nullptr;
  }
  for (const DeviceContext &dc : deviceContexts) {
    if (dc.window == window) {
      return dc.handle;
    }
  }
  HDC handle = static_cast<HDC>(MakeHandle(HandleKind::DeviceContext, nextDeviceContextId++));
  deviceContexts.push_back({handle, window});
  return handle;
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  if (platform::CallFails("ReleaseDC", Join({HandleText(window), HandleText(dc)}))) {
    return 0;
  }
  DeviceContext *record = LookUpDeviceContext(dc);
  if (!record || record->window != window) {
    return 0;
  }
  deviceContexts.erase(deviceContexts.begin() + (record - deviceContexts.data()));
  return 1;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR *request) {
  if (platform::CallFails("ChoosePixelFormat", Join({HandleText(dc), FormatText(request)}))) {
    return 0;
  }
  if (!request || !WindowOf(dc) || !EglReady()) {
    return 0;
  }
  return kPixelFormat;
}

// The drawing surface is made with the format; a window's format is set once.
BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR *request) {
  if (platform::CallFails("SetPixelFormat",
                          Join({HandleText(dc), std::to_string(format), FormatText(request)}))) {
    return FALSE;
  }
  Window *window = WindowOf(dc);
  if (!window || format != kPixelFormat || !EglReady()) {
    return FALSE;
  }
  if (window->pixelFormat) {
    return window->pixelFormat == format ? TRUE : FALSE;
  }
  const EGLint size[] = {EGL_WIDTH, kSurfaceWidth, EGL_HEIGHT, kSurfaceHeight, EGL_NONE};
  window->surface = eglCreatePbufferSurface(egl.display, egl.config, size);
  if (window->surface == EGL_NO_SURFACE) {
    return FALSE;
  }
  window->pixelFormat = format;
  return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
  if (platform::CallFails("SwapBuffers", HandleText(dc))) {
    return FALSE;
  }
  if (!DrawableWindowOf(dc)) {
    return FALSE;
  }
  // The pbuffer is single-buffered: what was drawn is already the picture.
  // Presenting flushes the current context's queued drawing, as SwapBuffers
  // does on Windows; without it the driver keeps queueing every frame's
  // commands and memory grows with each frame.
  if (current) {
    glFlush();
  }
  ++framesPresented;
  return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc) {
  if (platform::CallFails("wglCreateContext", HandleText(dc))) {
    return nullptr;
  }
  if (!DrawableWindowOf(dc)) {
    return nullptr;
  }
  // No version requested: Mesa gives its compatibility profile, in which the
  // fixed-function pipeline and GLU work.
  EGLContext context = eglCreateContext(egl.display, egl.config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) {
    return nullptr;
  }
  HGLRC handle =
      static_cast<HGLRC>(MakeHandle(HandleKind::RenderingContext, nextRenderingContextId++));
  renderingContexts.push_back({handle, context});
  return handle;
}

// As on Windows, a failed call leaves no context current.
BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
  if (platform::CallFails("wglMakeCurrent", Join({HandleText(dc), HandleText(context)}))) {
    return FALSE;
  }
  if (!context) {
    ReleaseCurrent();
    return TRUE;
  }
  RenderingContext *rc = LookUpRenderingContext(context);
  Window *window = DrawableWindowOf(dc);
  if (!rc || !window ||
      !eglMakeCurrent(egl.display, window->surface, window->surface, rc->context)) {
    ReleaseCurrent();
    return FALSE;
  }
  current = context;
  return TRUE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
  if (platform::CallFails("wglDeleteContext", HandleText(context))) {
    return FALSE;
  }
  RenderingContext *rc = LookUpRenderingContext(context);
  if (!rc) {
    return FALSE;
  }
  if (current == context) {
    ReleaseCurrent();
  }
  eglDestroyContext(egl.display, rc->context);
  renderingContexts.erase(renderingContexts.begin() + (rc - renderingContexts.data()));
  return TRUE;
}
