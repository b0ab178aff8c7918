// Fullscreen on displays that cannot switch their mode (Wayland, XWayland):
// the window covers the whole output, while the program still sees the
// display mode it asked for. Its frames go to an offscreen framebuffer of the
// mode's size, which each buffer swap copies, scaled with the mode's aspect
// ratio and centred between black bars, onto the window.
//
// On such displays SDL would either stretch the mode over the output
// (Wayland) or leave the picture in one corner of an output-sized window
// whose size it reports only later (XWayland). The program's own OpenGL
// state is left as it was: the copy changes only framebuffer bindings, which
// the program never touches, and the state it saves and restores.
#include "sdl/SdlBackend.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

namespace platform::sdl {

namespace {

struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
  PFNGLBLITFRAMEBUFFERPROC blitFramebuffer;
};

struct Framebuffer {
  FramebufferCalls gl; // the context's own entry points
  GLuint name = 0;
  GLuint colour = 0;
  GLuint depth = 0;
  int width = 0;
  int height = 0;
};

bool scales = false;
// Fullscreen windows shown scaled, with the size of the mode they stand for.
std::map<SDL_Window *, SDL_Point> scaledWindows;
// The offscreen framebuffer of each context that draws into a scaled window;
// it goes with its context.
std::map<SDL_GLContext, Framebuffer> framebuffers;

template <typename Function> bool Load(Function *function, const char *name) {
  *function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
  return *function != nullptr;
}

// The current context's framebuffer functions (OpenGL 3.0, or the extension
// that brings them to older contexts), or false.
bool LoadCalls(FramebufferCalls *gl) {
  const char *version = reinterpret_cast<const char *>(glGetString(GL_VERSION));
  if (!(version && std::atoi(version) >= 3) &&
      !SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object"))
    return false;
  return Load(&gl->genFramebuffers, "glGenFramebuffers") &&
         Load(&gl->bindFramebuffer, "glBindFramebuffer") &&
         Load(&gl->genRenderbuffers, "glGenRenderbuffers") &&
         Load(&gl->bindRenderbuffer, "glBindRenderbuffer") &&
         Load(&gl->renderbufferStorage, "glRenderbufferStorage") &&
         Load(&gl->framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         Load(&gl->checkFramebufferStatus, "glCheckFramebufferStatus") &&
         Load(&gl->blitFramebuffer, "glBlitFramebuffer");
}

bool Create(int width, int height, Framebuffer *framebuffer) {
  const FramebufferCalls &gl = framebuffer->gl;
  framebuffer->width = width;
  framebuffer->height = height;
  gl.genFramebuffers(1, &framebuffer->name);
  gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer->name);
  gl.genRenderbuffers(1, &framebuffer->colour);
  gl.bindRenderbuffer(GL_RENDERBUFFER, framebuffer->colour);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                             framebuffer->colour);
  // The program's pixel format: a 16-bit depth buffer, no stencil.
  gl.genRenderbuffers(1, &framebuffer->depth);
  gl.bindRenderbuffer(GL_RENDERBUFFER, framebuffer->depth);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                             framebuffer->depth);
  gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
  if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
    return true;
  gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
  return false;
}

} // namespace

void DecideFullscreenScaling() {
  const char *driver = SDL_GetCurrentVideoDriver();
  const char *test = std::getenv("QUELLOR_SDL_FULLSCREEN");
  scales = (driver && std::strcmp(driver, "wayland") == 0) || X11IsXWayland() ||
           (test && std::strcmp(test, "desktop") == 0);
}

bool ScalesFullscreen() { return scales; }

void NoteScaledWindow(SDL_Window *window, int width, int height) {
  scaledWindows[window] = {width, height};
}

void ForgetScaledWindow(SDL_Window *window) { scaledWindows.erase(window); }

bool ScaledWindowSize(SDL_Window *window, int *width, int *height) {
  auto found = scaledWindows.find(window);
  if (found == scaledWindows.end())
    return false;
  *width = found->second.x;
  *height = found->second.y;
  return true;
}

void PrepareScaledDrawing(SDL_Window *window, SDL_GLContext context) {
  auto scaled = scaledWindows.find(window);
  if (scaled == scaledWindows.end() || framebuffers.count(context))
    return;
  Framebuffer framebuffer;
  // Without framebuffer objects the program draws into the window itself,
  // in its lower left corner.
  if (LoadCalls(&framebuffer.gl) && Create(scaled->second.x, scaled->second.y, &framebuffer))
    framebuffers[context] = framebuffer;
}

bool PresentScaled(SDL_Window *window) {
  auto found = framebuffers.find(SDL_GL_GetCurrentContext());
  if (found == framebuffers.end())
    return false;
  const Framebuffer &picture = found->second;
  const FramebufferCalls &gl = picture.gl;
  int width, height;
  SDL_GL_GetDrawableSize(window, &width, &height);
  // The largest picture of the mode's shape that fits, centred.
  const double scale = std::min(static_cast<double>(width) / picture.width,
                                static_cast<double>(height) / picture.height);
  const int shownWidth = static_cast<int>(picture.width * scale + 0.5);
  const int shownHeight = static_cast<int>(picture.height * scale + 0.5);
  const int left = (width - shownWidth) / 2;
  const int bottom = (height - shownHeight) / 2;

  GLfloat clearColour[4];
  GLboolean colourMask[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
  glGetBooleanv(GL_COLOR_WRITEMASK, colourMask);
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  gl.bindFramebuffer(GL_READ_FRAMEBUFFER, picture.name);
  gl.blitFramebuffer(0, 0, picture.width, picture.height, left, bottom, left + shownWidth,
                     bottom + shownHeight, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  SDL_GL_SwapWindow(window);
  gl.bindFramebuffer(GL_FRAMEBUFFER, picture.name);
  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  glColorMask(colourMask[0], colourMask[1], colourMask[2], colourMask[3]);
  if (scissor)
    glEnable(GL_SCISSOR_TEST);
  return true;
}

void ForgetContext(SDL_GLContext context) { framebuffers.erase(context); }

} // namespace platform::sdl
