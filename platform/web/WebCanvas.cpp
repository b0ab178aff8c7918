// The page's canvas as the one native surface, and its WebGL context as every
// rendering context, drawn through our OpenGL 1.1 library.
//
// Implements: start (the page must have the canvas), createSurface (the canvas
// at the client size, the page titled as the window), destroySurface,
// focusSurface, clientSize (the drawing buffer), createContext (one WebGL 1
// context per canvas, made on first use and kept: a canvas cannot have a
// second), makeCurrent, deleteContext, swap (waits for the browser's next
// animation frame), showCursor. Each context draws into a back buffer that
// swap copies to the canvas.
#include "web/WebBackend.h"

#include <FixedGl.h>
#include <WebGlLoader.h>

#include <emscripten.h>
#include <emscripten/html5.h>

#include <string>

namespace platform::web {

namespace {

const char kCanvas[] = "#canvas";

struct Surface {
  int width, height;
};

// A rendering context's record. They all draw on the canvas's one WebGL
// context, each with its own OpenGL 1.1 context of the library, started when
// it is first made current.
struct Context {
  Surface *surface;
  fixedgl::State *gl;
};

bool snapshotMode = false;
Surface *canvasSurface = nullptr;
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl = 0;

// Snapshot mode lets the browser breathe this often, so that the page stays
// responsive and shows the frames going by; nothing waits for the display.
const int kSnapshotFramesPerYield = 50;
int snapshotFrames = 0;

EM_JS(int, PageHasCanvas, (), { return document.getElementById('canvas') ? 1 : 0; });

EM_JS(void, SetPageTitle, (const char *title), { document.title = UTF8ToString(title); });

EM_JS(void, FocusCanvas, (), {
  var canvas = document.getElementById('canvas');
  if (canvas)
    canvas.focus();
});

EM_JS(void, SetCanvasCursor, (int shown), {
  var canvas = document.getElementById('canvas');
  if (canvas)
    canvas.style.cursor = shown ? "auto" : "none";
});

// The browser presents what was drawn when control returns to it; the next
// animation frame comes once it has.
EM_ASYNC_JS(void, WaitForAnimationFrame, (),
            { await new Promise(function(resolve) { requestAnimationFrame(resolve); }); });

// The browser may take the WebGL context away (a lost GPU, too many
// contexts): the reason is kept, and the frames drawn from then on show
// nothing.
EM_BOOL OnContextLost(int, const void *, void *) {
  core::SetBackendFailure("WebGL context lost");
  return EM_FALSE;
}

bool CreateWebGlContext() {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_TRUE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  // The frame on screen stays readable between frames: saving or copying the
  // canvas gives it, and a snapshot's last frame outlives the program.
  attributes.preserveDrawingBuffer = EM_TRUE;
  attributes.majorVersion = 1;
  attributes.minorVersion = 0;
  attributes.enableExtensionsByDefault = EM_FALSE;
  webgl = emscripten_webgl_create_context(kCanvas, &attributes);
  if (webgl <= 0) {
    const std::string reason =
        "no WebGL 1 context for the canvas (EMSCRIPTEN_RESULT " + std::to_string(webgl) + ")";
    core::SetBackendFailure(reason.c_str());
    webgl = 0;
    return false;
  }
  emscripten_set_webglcontextlost_callback(kCanvas, nullptr, EM_FALSE, OnContextLost);
  return true;
}

} // namespace

bool SnapshotMode() { return snapshotMode; }

void SetSnapshotMode(bool on) { snapshotMode = on; }

void *CanvasSurface() { return canvasSurface; }

bool Start() {
  if (!PageHasCanvas()) {
    core::SetBackendFailure("the page has no canvas");
    return false;
  }
  ListenForEvents();
  return true;
}

// The page has one canvas, so one window at a time.
void *CreateSurface(const core::SurfaceRequest &request) {
  if (canvasSurface)
    return nullptr;
  if (emscripten_set_canvas_element_size(kCanvas, request.clientWidth, request.clientHeight) !=
      EMSCRIPTEN_RESULT_SUCCESS)
    return nullptr;
  SetPageTitle(request.title);
  UndoUnusedFullscreen();
  canvasSurface = new Surface{request.clientWidth, request.clientHeight};
  return canvasSurface;
}

// The canvas keeps its last picture, as a still of the ended program.
void DestroySurface(void *surface) {
  if (surface == canvasSurface)
    canvasSurface = nullptr;
  delete static_cast<Surface *>(surface);
}

void FocusSurface(void *) { FocusCanvas(); }

void ClientSize(void *surface, int *width, int *height) {
  *width = static_cast<Surface *>(surface)->width;
  *height = static_cast<Surface *>(surface)->height;
}

void *CreateContext(void *surface) {
  if (!webgl && !CreateWebGlContext())
    return nullptr;
  return new Context{static_cast<Surface *>(surface), nullptr};
}

// Starts the library's context, with a back buffer of the surface's size, and
// makes it current. Returns null, with no context current, when WebGL cannot.
fixedgl::State *StartLibraryContext(const Surface &surface) {
  Es2Functions functions;
  fixedgl::LoadEs2FunctionsFromWebGl(&functions);
  std::string error;
  fixedgl::State *gl = fixedgl::StartContext(functions, surface.width, surface.height, &error);
  if (gl && !fixedgl::UseBackBuffer(surface.width, surface.height, &error)) {
    fixedgl::EndContext(gl);
    gl = nullptr;
  }
  if (!gl) {
    fixedgl::MakeContextCurrent(nullptr);
    core::SetBackendFailure(("cannot draw with WebGL: " + error).c_str());
  }
  return gl;
}

// The WebGL context stays current once made: releasing the OpenGL context
// only changes the core's record of it. A context made current for the first
// time gets OpenGL 1.1's default state; each keeps its own from then on, and
// making it current again gives WebGL its state back.
bool MakeCurrent(void *, void *context) {
  if (!context)
    return true;
  if (emscripten_webgl_make_context_current(webgl) != EMSCRIPTEN_RESULT_SUCCESS)
    return false;
  Context *record = static_cast<Context *>(context);
  if (!record->gl) {
    record->gl = StartLibraryContext(*record->surface);
    return record->gl != nullptr;
  }
  if (record->gl != fixedgl::CurrentContext())
    fixedgl::MakeContextCurrent(record->gl);
  return true;
}

// The context's textures, program, buffer and back buffer go with it; the
// current context, if it is another, keeps its state.
void DeleteContext(void *context) {
  Context *record = static_cast<Context *>(context);
  if (record->gl) {
    emscripten_webgl_make_context_current(webgl);
    fixedgl::EndContext(record->gl);
  }
  delete record;
}

// The frame goes from the back buffer to the canvas, which the browser shows
// once the program waits. Frames are drawn offscreen because the browser also
// shows the canvas during a Sleep in the middle of a frame.
void Swap(void *) {
  fixedgl::PresentBackBuffer();
  ReleaseControlKeys();
  if (!SnapshotMode()) {
    WaitForAnimationFrame();
    return;
  }
  if (++snapshotFrames % kSnapshotFramesPerYield == 0)
    emscripten_sleep(0);
}

void ShowCursor(bool shown) { SetCanvasCursor(shown ? 1 : 0); }

} // namespace platform::web
