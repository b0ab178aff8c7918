// Starting and ending the library's OpenGL 1.1 context over the OpenGL ES 2.0
// context current at the time. The platform layer calls these when it makes a
// rendering context current for the first time and before it destroys it; the
// OpenGL 1.1 calls in <GL/gl.h> may be made in between.
#ifndef QUELLOR_FIXEDGL_FIXED_GL_H
#define QUELLOR_FIXEDGL_FIXED_GL_H

#include "Es2Functions.h"

#include <string>

namespace fixedgl {

// Sets up the OpenGL 1.1 default state, the shader program and the vertex
// buffer in the current ES 2.0 context, drawing through `functions` from now
// on. Any earlier context's state is forgotten. Returns false with the reason
// in *error when the shaders cannot be built.
bool StartContext(const Es2Functions &functions, std::string *error);

// Deletes what the context created in the ES 2.0 context, which must still be
// current.
void EndContext();

// From now on, draws into an offscreen back buffer of the given size, with a
// 16-bit depth buffer, as a double-buffered window's context does, and reads
// pixels from it; the ES context's own framebuffer shows only what
// PresentBackBuffer copies there. For a framebuffer that is shown whenever the
// program waits (a browser shows a canvas whenever the page returns to it),
// so that a frame interrupted by a pause is not seen half drawn. Call after
// StartContext. Returns false with the reason in *error when the ES context
// cannot draw offscreen.
bool UseBackBuffer(int width, int height, std::string *error);

// Copies the back buffer to the ES context's own framebuffer, as SwapBuffers
// shows a frame; every OpenGL 1.1 state is as before. Does nothing without a
// back buffer.
void PresentBackBuffer();

} // namespace fixedgl

#endif
