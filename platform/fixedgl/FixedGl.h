// Starting, switching and ending the library's OpenGL 1.1 contexts over OpenGL
// ES 2.0 contexts. The platform layer starts one when it makes a rendering
// context current for the first time, makes it current again whenever it
// makes that rendering context current, and ends it before the rendering
// context goes; the OpenGL 1.1 calls in <GL/gl.h> act on the current one.
// Several contexts may share one ES context (a browser's canvas has only one
// WebGL context): each keeps its own state and ES objects, and the one made
// current gives the ES context its state back.
#ifndef QUELLOR_FIXEDGL_FIXED_GL_H
#define QUELLOR_FIXEDGL_FIXED_GL_H

#include "Es2Functions.h"

#include <string>

namespace fixedgl {

// One OpenGL 1.1 context: everything its calls change (State.h).
struct State;

// Makes a context with OpenGL 1.1's default state, its own shader program
// and vertex buffer in the current ES 2.0 context, which it draws through
// `functions`, and makes it current. Its viewport starts as the surface's
// width and height. Returns null with the reason in *error when the shaders
// cannot be built; the current context is then as before.
State *StartContext(const Es2Functions &functions, int width, int height, std::string *error);

// Makes `context` current, or none when it is null, and sets the ES context's
// state from it. The ES context the context was started in must be current.
void MakeContextCurrent(State *context);

// The current context, or null.
State *CurrentContext();

// Deletes what the context created in the ES context it was started in,
// which must still be current, and the context itself. The current context,
// if it is another one, stays current and keeps its ES state; if it is this
// one, no context is current afterwards.
void EndContext(State *context);

// From now on, draws into an offscreen back buffer of the given size, with a
// 16-bit depth buffer, as a double-buffered window's context does, and reads
// pixels from it; the ES context's own framebuffer shows only what
// PresentBackBuffer copies there. For a framebuffer that is shown whenever the
// program waits (a browser shows a canvas whenever the page returns to it),
// so that a frame interrupted by a pause is not seen half drawn. Call after
// StartContext. Returns false with the reason in *error when the ES context
// cannot draw offscreen. Applies to the current context, whose back buffer it
// is; it replaces any the context had.
bool UseBackBuffer(int width, int height, std::string *error);

// Copies the back buffer to the ES context's own framebuffer, as SwapBuffers
// shows a frame; every OpenGL 1.1 state is as before. Does nothing without a
// current context or without a back buffer.
void PresentBackBuffer();

} // namespace fixedgl

#endif
