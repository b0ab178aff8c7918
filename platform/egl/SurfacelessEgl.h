// Mesa's surfaceless EGL platform: OpenGL or OpenGL ES drawing into pbuffers
// without any display, for the headless backend and fixedgl's checks.
#ifndef QUELLOR_PLATFORM_EGL_SURFACELESS_EGL_H
#define QUELLOR_PLATFORM_EGL_SURFACELESS_EGL_H

#include <EGL/egl.h>

namespace platform::egl {

// The surfaceless display, opened and initialised on the first call and kept
// until the process ends: opening it again for every test or every window
// would be slow. EGL_NO_DISPLAY when there is none; a failure is not retried.
EGLDisplay SurfacelessDisplay();

// What a config must have: exactly these sizes, no stencil, pbuffers, and the
// client API of `renderableType` (EGL_OPENGL_BIT, EGL_OPENGL_ES2_BIT).
struct ConfigSizes {
  EGLint red, green, blue, alpha, depth;
  EGLint renderableType;
};

// The first config with exactly those sizes, or null. EGL also lists deeper
// configs as matches; only an exact one will do.
EGLConfig ChooseExactConfig(EGLDisplay display, const ConfigSizes &wanted);

} // namespace platform::egl

#endif
