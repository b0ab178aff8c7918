#include "Es2Surface.h"

#include <EGL/egl.h>

#include "EglLoader.h"
#include "FixedGl.h"
#include "SurfacelessEgl.h"

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLSurface surface = EGL_NO_SURFACE;
EGLContext context = EGL_NO_CONTEXT;
fixedgl::State *started = nullptr;

} // namespace

bool OpenEs2Surface(int width, int height, ColourBits bits, std::string *error) {
  display = platform::egl::SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_ES_API)) {
    *error = "no surfaceless EGL display with OpenGL ES";
    return false;
  }
  EGLConfig config = platform::egl::ChooseExactConfig(
      display, {bits.red, bits.green, bits.blue, bits.alpha, 16, EGL_OPENGL_ES2_BIT});
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
