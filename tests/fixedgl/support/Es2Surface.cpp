#include "Es2Surface.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <vector>

#include "EglLoader.h"
#include "FixedGl.h"

namespace {

// The display is opened once per process and kept.
EGLDisplay display = EGL_NO_DISPLAY;
EGLSurface surface = EGL_NO_SURFACE;
EGLContext context = EGL_NO_CONTEXT;
fixedgl::State *started = nullptr;

EGLDisplay OpenDisplay() {
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay)
    return EGL_NO_DISPLAY;
  EGLDisplay opened =
      getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (opened == EGL_NO_DISPLAY || !eglInitialize(opened, nullptr, nullptr))
    return EGL_NO_DISPLAY;
  return opened;
}

// EGL also lists deeper configs as matches; only the exact one will do.
EGLConfig ChooseConfig(ColourBits bits) {
  const EGLint wanted[] = {
      EGL_RED_SIZE,     bits.red,        EGL_GREEN_SIZE,      bits.green,         EGL_BLUE_SIZE,
      bits.blue,        EGL_ALPHA_SIZE,  bits.alpha,          EGL_DEPTH_SIZE,     16,
      EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT, EGL_NONE};
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, nullptr, 0, &count) || count <= 0)
    return nullptr;
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
    if (red == bits.red && green == bits.green && blue == bits.blue && alpha == bits.alpha &&
        depth == 16 && stencil == 0)
      return config;
  }
  return nullptr;
}

} // namespace

bool OpenEs2Surface(int width, int height, ColourBits bits, std::string *error) {
  if (display == EGL_NO_DISPLAY)
    display = OpenDisplay();
  if (display == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_ES_API)) {
    *error = "no surfaceless EGL display with OpenGL ES";
    return false;
  }
  EGLConfig config = ChooseConfig(bits);
  if (!config) {
    *error = "no EGL config with the colour bits asked for, 16-bit depth and OpenGL ES 2.0";
    return false;
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  surface = eglCreatePbufferSurface(display, config, size);
  const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
  context = eglCreateContext(display, config, EGL_NO_CONTEXT, version);
  if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT ||
      !eglMakeCurrent(display, surface, surface, context)) {
    *error = "cannot make an OpenGL ES 2.0 context current on a pbuffer";
    CloseEs2Surface();
    return false;
  }
  Es2Functions functions;
  if (fixedgl::LoadEs2FunctionsFromEgl(&functions, error))
    started = fixedgl::StartContext(functions, width, height, error);
  if (!started)
    CloseEs2Surface();
  return started != nullptr;
}

void CloseEs2Surface() {
  if (started)
    fixedgl::EndContext(started);
  started = nullptr;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context != EGL_NO_CONTEXT)
    eglDestroyContext(display, context);
  if (surface != EGL_NO_SURFACE)
    eglDestroySurface(display, surface);
  context = EGL_NO_CONTEXT;
  surface = EGL_NO_SURFACE;
}
