// The OpenGL ES 2.0 calls the library draws with, as one table of function
// pointers. The library defines the OpenGL 1.1 names (glClear, ...) itself, so
// it never calls the ES entry points by name: a loader fills this table, on
// Linux from eglGetProcAddress (EglLoader.h). Only calls that WebGL 1 also has
// are listed. The constants below are the ES 2.0 ones that <GL/gl.h> lacks.
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
  void (*AttachShader)(GLuint program, GLuint shader);
  void (*BindAttribLocation)(GLuint program, GLuint index, const GLchar *name);
  void (*BindBuffer)(GLenum target, GLuint buffer);
  void (*BindFramebuffer)(GLenum target, GLuint framebuffer);
  void (*BindRenderbuffer)(GLenum target, GLuint renderbuffer);
  void (*BindTexture)(GLenum target, GLuint texture);
  void (*BufferData)(GLenum target, GLsizeiptr size, const void *data, GLenum usage);
  GLenum (*CheckFramebufferStatus)(GLenum target);
  void (*Clear)(GLbitfield mask);
  void (*ClearColor)(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
  void (*ClearDepthf)(GLfloat depth);
  void (*CompileShader)(GLuint shader);
  GLuint (*CreateProgram)();
  GLuint (*CreateShader)(GLenum type);
  void (*DeleteBuffers)(GLsizei n, const GLuint *buffers);
  void (*DeleteFramebuffers)(GLsizei n, const GLuint *framebuffers);
  void (*DeleteProgram)(GLuint program);
  void (*DeleteRenderbuffers)(GLsizei n, const GLuint *renderbuffers);
  void (*DeleteShader)(GLuint shader);
  void (*DeleteTextures)(GLsizei n, const GLuint *textures);
  void (*DepthFunc)(GLenum func);
  void (*Disable)(GLenum cap);
  void (*DisableVertexAttribArray)(GLuint index);
  void (*DrawArrays)(GLenum mode, GLint first, GLsizei count);
  void (*Enable)(GLenum cap);
  void (*EnableVertexAttribArray)(GLuint index);
  void (*Finish)();
  void (*Flush)();
  void (*FramebufferRenderbuffer)(GLenum target, GLenum attachment, GLenum renderbuffertarget,
                                  GLuint renderbuffer);
  void (*FramebufferTexture2D)(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                               GLint level);
  void (*GenBuffers)(GLsizei n, GLuint *buffers);
  void (*GenFramebuffers)(GLsizei n, GLuint *framebuffers);
  void (*GenRenderbuffers)(GLsizei n, GLuint *renderbuffers);
  void (*GenTextures)(GLsizei n, GLuint *textures);
  GLenum (*GetError)();
  void (*GetIntegerv)(GLenum pname, GLint *data);
  void (*GetProgramInfoLog)(GLuint program, GLsizei bufSize, GLsizei *length, GLchar *infoLog);
  void (*GetProgramiv)(GLuint program, GLenum pname, GLint *params);
  void (*GetShaderInfoLog)(GLuint shader, GLsizei bufSize, GLsizei *length, GLchar *infoLog);
  void (*GetShaderiv)(GLuint shader, GLenum pname, GLint *params);
  GLint (*GetUniformLocation)(GLuint program, const GLchar *name);
  void (*LinkProgram)(GLuint program);
  void (*PixelStorei)(GLenum pname, GLint param);
  void (*ReadPixels)(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                     void *pixels);
  void (*RenderbufferStorage)(GLenum target, GLenum internalformat, GLsizei width, GLsizei height);
  void (*ShaderSource)(GLuint shader, GLsizei count, const GLchar *const *string,
                       const GLint *length);
  void (*TexImage2D)(GLenum target, GLint level, GLint internalformat, GLsizei width,
                     GLsizei height, GLint border, GLenum format, GLenum type, const void *pixels);
  void (*TexParameteri)(GLenum target, GLenum pname, GLint param);
  void (*Uniform1i)(GLint location, GLint v0);
  void (*Uniform3fv)(GLint location, GLsizei count, const GLfloat *value);
  void (*Uniform4fv)(GLint location, GLsizei count, const GLfloat *value);
  void (*UniformMatrix3fv)(GLint location, GLsizei count, GLboolean transpose,
                           const GLfloat *value);
  void (*UniformMatrix4fv)(GLint location, GLsizei count, GLboolean transpose,
                           const GLfloat *value);
  void (*UseProgram)(GLuint program);
  void (*VertexAttribPointer)(GLuint index, GLint size, GLenum type, GLboolean normalized,
                              GLsizei stride, const void *pointer);
  void (*Viewport)(GLint x, GLint y, GLsizei width, GLsizei height);
};

#endif
