// The headless backend: OpenGL on Mesa's surfaceless EGL platform, without any
// display. Tests and tools drive the program through the core's controls
// (PlatformControl.h).
//
// Implements: start (EGL), surfaces (a pbuffer of the client size in the one
// 16-bit format: 5/6/5 colour, 16-bit depth), compatibility-profile OpenGL
// contexts, swap (a flush: the pbuffer is single-buffered), the display's
// modes (its own 1024x768 at 32 bits and 640x480 at 16), message boxes (a box
// nobody sees is dismissed at once), skipped pauses.
// Does not implement: showing, raising and focusing surfaces, leaving
// fullscreen (nothing is seen), native events (none happen), the cursor,
// shutdown (the EGL display is kept until the process ends), switching the
// display mode at once (nothing is seen).
#include "core/Backend.h"
#include "core/WindowPixelFormat.h"
#include "egl/SurfacelessEgl.h"
#include "headless/EglErrors.h"

#include <EGL/egl.h>
#include <GL/gl.h>

namespace {

using platform::core::DisplayMode;
using platform::core::SetBackendFailure;
using platform::headless::EglFailure;

struct Surface {
  EGLSurface pbuffer;
  int width, height;
};

// The display is set up once per process and kept: setting it up again for
// every test or every window would be slow.
EGLDisplay display = EGL_NO_DISPLAY;
EGLConfig config = nullptr;
bool tried = false;

// A failed set-up is not retried.
bool Start() {
  if (!tried) {
    tried = true;
    display = platform::egl::SurfacelessDisplay();
    // Exactly the window's pixel format: 5/6/5 colour, no alpha, 16-bit depth
    // and no stencil.
    const platform::core::PixelFormatBits &bits = platform::core::kWindowPixelFormat;
    if (display != EGL_NO_DISPLAY && eglBindAPI(EGL_OPENGL_API))
      config = platform::egl::ChooseExactConfig(
          display, {bits.red, bits.green, bits.blue, bits.alpha, bits.depth, EGL_OPENGL_BIT});
    if (display == EGL_NO_DISPLAY)
      SetBackendFailure(EglFailure("no surfaceless EGL display").c_str());
    else if (!config)
      SetBackendFailure(EglFailure("no EGL config of 5/6/5 colour and 16-bit depth").c_str());
  }
  return display != EGL_NO_DISPLAY && config != nullptr;
}

void *CreateSurface(const platform::core::SurfaceRequest &request) {
  const EGLint size[] = {EGL_WIDTH, request.clientWidth, EGL_HEIGHT, request.clientHeight,
                         EGL_NONE};
  EGLSurface pbuffer = eglCreatePbufferSurface(display, config, size);
  if (pbuffer == EGL_NO_SURFACE) {
    SetBackendFailure(EglFailure("eglCreatePbufferSurface").c_str());
    return nullptr;
  }
  return new Surface{pbuffer, request.clientWidth, request.clientHeight};
}

// A surface still bound to the current context goes when it is unbound.
void DestroySurface(void *surface) {
  eglDestroySurface(display, static_cast<Surface *>(surface)->pbuffer);
  delete static_cast<Surface *>(surface);
}

void ClientSize(void *surface, int *width, int *height) {
  *width = static_cast<Surface *>(surface)->width;
  *height = static_cast<Surface *>(surface)->height;
}

// No version requested: Mesa gives its compatibility profile, in which the
// fixed-function pipeline and GLU work.
void *CreateContext(void *) {
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) {
    SetBackendFailure(EglFailure("eglCreateContext").c_str());
    return nullptr;
  }
  return context;
}

bool MakeCurrent(void *surface, void *context) {
  EGLSurface pbuffer = surface ? static_cast<Surface *>(surface)->pbuffer : EGL_NO_SURFACE;
  if (eglMakeCurrent(display, pbuffer, pbuffer, context ? context : EGL_NO_CONTEXT))
    return true;
  SetBackendFailure(EglFailure("eglMakeCurrent").c_str());
  return false;
}

void DeleteContext(void *context) { eglDestroyContext(display, context); }

// What was drawn is already the picture. Presenting flushes the current
// context's queued drawing, as SwapBuffers does on Windows; without it the
// driver keeps queueing every frame's commands and memory grows with each.
void Swap(void *) { glFlush(); }

const DisplayMode kDesktop = {1024, 768, 32, 60};

bool Desktop(DisplayMode *mode) {
  *mode = kDesktop;
  return true;
}

std::vector<DisplayMode> Modes() { return {kDesktop, {640, 480, 16, 60}}; }

int DismissBox(void *, const char *, const char *, UINT type) {
  return platform::core::DismissedAnswer(type);
}

} // namespace

// Entries left out are null: the core does without them.
const platform::core::Backend platform::core::activeBackend = {
    .name = "headless",
    .start = Start,
    .createSurface = CreateSurface,
    .destroySurface = DestroySurface,
    .clientSize = ClientSize,
    .createContext = CreateContext,
    .makeCurrent = MakeCurrent,
    .deleteContext = DeleteContext,
    .swap = Swap,
    .desktopMode = Desktop,
    .displayModes = Modes,
    .messageBox = DismissBox,
    .pausesSkipped = true,
};
