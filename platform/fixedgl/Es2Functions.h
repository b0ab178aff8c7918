// The OpenGL ES 2.0 calls the library draws with, as one table of function
// pointers, one for each call in Es2FunctionList.h. The library defines the
// OpenGL 1.1 names (glClear, ...) itself, so it never calls the ES entry
// points by name: a loader fills this table, on Linux from eglGetProcAddress
// (EglLoader.h), in the browser with emscripten's WebGL calls (WebGlLoader.h).
// The constants below are the ES 2.0 ones that <GL/gl.h> lacks.
#ifndef QUELLOR_FIXEDGL_ES2_FUNCTIONS_H
#define QUELLOR_FIXEDGL_ES2_FUNCTIONS_H

#include <GL/gl.h>

#include <cstddef>

#define GL_TRIANGLES 0x0004
#define GL_FLOAT 0x1406
#define GL_ARRAY_BUFFER 0x8892
#define GL_STREAM_DRAW 0x88E0
#define GL_FRAGMENT_SHADER 0x8B30
#define GL_VERTEX_SHADER 0x8B31
#define GL_COMPILE_STATUS 0x8B81
#define GL_LINK_STATUS 0x8B82
#define GL_STATIC_DRAW 0x88E4
#define GL_CLAMP_TO_EDGE 0x812F
#define GL_TEXTURE_WRAP_S 0x2802
#define GL_TEXTURE_WRAP_T 0x2803
#define GL_FRAMEBUFFER 0x8D40
#define GL_RENDERBUFFER 0x8D41
#define GL_COLOR_ATTACHMENT0 0x8CE0
#define GL_DEPTH_ATTACHMENT 0x8D00
#define GL_DEPTH_COMPONENT16 0x81A5
#define GL_FRAMEBUFFER_COMPLETE 0x8CD5
#define GL_INVALID_FRAMEBUFFER_OPERATION 0x0506

typedef char GLchar;
typedef std::ptrdiff_t GLsizeiptr;

struct Es2Functions {
#define ES2_FUNCTION(returnType, name, parameters) returnType(*name) parameters;
#include "Es2FunctionList.h"
#undef ES2_FUNCTION
};

#endif
