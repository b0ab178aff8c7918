// Opens Mesa's surfaceless EGL display once and picks configs from it.
#include "SurfacelessEgl.h"

#include <EGL/eglext.h>

#include <vector>

namespace platform::egl {

namespace {

// eglGetPlatformDisplay is EGL 1.5's; older libraries have the extension.
EGLDisplay OpenDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplay"));
  if (!getPlatformDisplay)
    getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay)
    return EGL_NO_DISPLAY;
  EGLDisplay opened =
      getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (opened == EGL_NO_DISPLAY || !eglInitialize(opened, nullptr, nullptr))
    return EGL_NO_DISPLAY;
  return opened;
}

bool HasExactSizes(EGLDisplay display, EGLConfig config, const ConfigSizes &wanted) {
  EGLint red, green, blue, alpha, depth, stencil;
  eglGetConfigAttrib(display, config, EGL_RED_SIZE, &red);
  eglGetConfigAttrib(display, config, EGL_GREEN_SIZE, &green);
  eglGetConfigAttrib(display, config, EGL_BLUE_SIZE, &blue);
  eglGetConfigAttrib(display, config, EGL_ALPHA_SIZE, &alpha);
  eglGetConfigAttrib(display, config, EGL_DEPTH_SIZE, &depth);
  eglGetConfigAttrib(display, config, EGL_STENCIL_SIZE, &stencil);
  return red == wanted.red && green == wanted.green && blue == wanted.blue &&
         alpha == wanted.alpha && depth == wanted.depth && stencil == 0;
}

} // namespace

EGLDisplay SurfacelessDisplay() {
  static const EGLDisplay display = OpenDisplay();
  return display;
}

EGLConfig ChooseExactConfig(EGLDisplay display, const ConfigSizes &wanted) {
  const EGLint attributes[] = {
      EGL_RED_SIZE,     wanted.red,      EGL_GREEN_SIZE,      wanted.green,          EGL_BLUE_SIZE,
      wanted.blue,      EGL_ALPHA_SIZE,  wanted.alpha,        EGL_DEPTH_SIZE,        wanted.depth,
      EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, wanted.renderableType, EGL_NONE};
  EGLint count = 0;
  if (!eglChooseConfig(display, attributes, nullptr, 0, &count) || count <= 0)
    return nullptr;
  std::vector<EGLConfig> configs(count);
  eglChooseConfig(display, attributes, configs.data(), count, &count);
  for (EGLConfig config : configs) {
    if (HasExactSizes(display, config, wanted))
      return config;
  }
  return nullptr;
}

} // namespace platform::egl
