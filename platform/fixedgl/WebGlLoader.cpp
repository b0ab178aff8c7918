// Fills the ES 2.0 table with emscripten's WebGL calls. They are reached by
// their emscripten_gl names: the plain gl names are the library's own OpenGL
// 1.1 calls, and emscripten's legacy OpenGL emulation is not linked.
#include "WebGlLoader.h"

extern "C" {
void emscripten_glAttachShader(GLuint program, GLuint shader);
void emscripten_glBindAttribLocation(GLuint program, GLuint index, const GLchar *name);
void emscripten_glBindBuffer(GLenum target, GLuint buffer);
void emscripten_glBindFramebuffer(GLenum target, GLuint framebuffer);
void emscripten_glBindRenderbuffer(GLenum target, GLuint renderbuffer);
void emscripten_glBindTexture(GLenum target, GLuint texture);
void emscripten_glBufferData(GLenum target, GLsizeiptr size, const void *data, GLenum usage);
GLenum emscripten_glCheckFramebufferStatus(GLenum target);
void emscripten_glClear(GLbitfield mask);
void emscripten_glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void emscripten_glClearDepthf(GLfloat depth);
void emscripten_glCompileShader(GLuint shader);
GLuint emscripten_glCreateProgram();
GLuint emscripten_glCreateShader(GLenum type);
void emscripten_glDeleteBuffers(GLsizei n, const GLuint *buffers);
void emscripten_glDeleteFramebuffers(GLsizei n, const GLuint *framebuffers);
void emscripten_glDeleteProgram(GLuint program);
void emscripten_glDeleteRenderbuffers(GLsizei n, const GLuint *renderbuffers);
void emscripten_glDeleteShader(GLuint shader);
void emscripten_glDeleteTextures(GLsizei n, const GLuint *textures);
void emscripten_glDepthFunc(GLenum func);
void emscripten_glDisable(GLenum cap);
void emscripten_glDisableVertexAttribArray(GLuint index);
void emscripten_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void emscripten_glEnable(GLenum cap);
void emscripten_glEnableVertexAttribArray(GLuint index);
void emscripten_glFinish();
void emscripten_glFlush();
void emscripten_glFramebufferRenderbuffer(GLenum target, GLenum attachment,
                                          GLenum renderbuffertarget, GLuint renderbuffer);
void emscripten_glFramebufferTexture2D(GLenum target, GLenum attachment, GLenum textarget,
                                       GLuint texture, GLint level);
void emscripten_glGenBuffers(GLsizei n, GLuint *buffers);
void emscripten_glGenFramebuffers(GLsizei n, GLuint *framebuffers);
void emscripten_glGenRenderbuffers(GLsizei n, GLuint *renderbuffers);
void emscripten_glGenTextures(GLsizei n, GLuint *textures);
GLenum emscripten_glGetError();
void emscripten_glGetIntegerv(GLenum pname, GLint *data);
void emscripten_glGetProgramInfoLog(GLuint program, GLsizei bufSize, GLsizei *length,
                                    GLchar *infoLog);
void emscripten_glGetProgramiv(GLuint program, GLenum pname, GLint *params);
void emscripten_glGetShaderInfoLog(GLuint shader, GLsizei bufSize, GLsizei *length,
                                   GLchar *infoLog);
void emscripten_glGetShaderiv(GLuint shader, GLenum pname, GLint *params);
GLint emscripten_glGetUniformLocation(GLuint program, const GLchar *name);
void emscripten_glLinkProgram(GLuint program);
void emscripten_glPixelStorei(GLenum pname, GLint param);
void emscripten_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                             GLenum type, void *pixels);
void emscripten_glRenderbufferStorage(GLenum target, GLenum internalformat, GLsizei width,
                                      GLsizei height);
void emscripten_glShaderSource(GLuint shader, GLsizei count, const GLchar *const *string,
                               const GLint *length);
void emscripten_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type,
                             const void *pixels);
void emscripten_glTexParameteri(GLenum target, GLenum pname, GLint param);
void emscripten_glUniform1i(GLint location, GLint v0);
void emscripten_glUniform3fv(GLint location, GLsizei count, const GLfloat *value);
void emscripten_glUniform4fv(GLint location, GLsizei count, const GLfloat *value);
void emscripten_glUniformMatrix3fv(GLint location, GLsizei count, GLboolean transpose,
                                   const GLfloat *value);
void emscripten_glUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose,
                                   const GLfloat *value);
void emscripten_glUseProgram(GLuint program);
void emscripten_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                      GLsizei stride, const void *pointer);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
}

namespace fixedgl {

void LoadEs2FunctionsFromWebGl(Es2Functions *f) {
  f->AttachShader = emscripten_glAttachShader;
  f->BindAttribLocation = emscripten_glBindAttribLocation;
  f->BindBuffer = emscripten_glBindBuffer;
  f->BindFramebuffer = emscripten_glBindFramebuffer;
  f->BindRenderbuffer = emscripten_glBindRenderbuffer;
  f->BindTexture = emscripten_glBindTexture;
  f->BufferData = emscripten_glBufferData;
  f->CheckFramebufferStatus = emscripten_glCheckFramebufferStatus;
  f->Clear = emscripten_glClear;
  f->ClearColor = emscripten_glClearColor;
  f->ClearDepthf = emscripten_glClearDepthf;
  f->CompileShader = emscripten_glCompileShader;
  f->CreateProgram = emscripten_glCreateProgram;
  f->CreateShader = emscripten_glCreateShader;
  f->DeleteBuffers = emscripten_glDeleteBuffers;
  f->DeleteFramebuffers = emscripten_glDeleteFramebuffers;
  f->DeleteProgram = emscripten_glDeleteProgram;
  f->DeleteRenderbuffers = emscripten_glDeleteRenderbuffers;
  f->DeleteShader = emscripten_glDeleteShader;
  f->DeleteTextures = emscripten_glDeleteTextures;
  f->DepthFunc = emscripten_glDepthFunc;
  f->Disable = emscripten_glDisable;
  f->DisableVertexAttribArray = emscripten_glDisableVertexAttribArray;
  f->DrawArrays = emscripten_glDrawArrays;
  f->Enable = emscripten_glEnable;
  f->EnableVertexAttribArray = emscripten_glEnableVertexAttribArray;
  f->Finish = emscripten_glFinish;
  f->Flush = emscripten_glFlush;
  f->FramebufferRenderbuffer = emscripten_glFramebufferRenderbuffer;
  f->FramebufferTexture2D = emscripten_glFramebufferTexture2D;
  f->GenBuffers = emscripten_glGenBuffers;
  f->GenFramebuffers = emscripten_glGenFramebuffers;
  f->GenRenderbuffers = emscripten_glGenRenderbuffers;
  f->GenTextures = emscripten_glGenTextures;
  f->GetError = emscripten_glGetError;
  f->GetIntegerv = emscripten_glGetIntegerv;
  f->GetProgramInfoLog = emscripten_glGetProgramInfoLog;
  f->GetProgramiv = emscripten_glGetProgramiv;
  f->GetShaderInfoLog = emscripten_glGetShaderInfoLog;
  f->GetShaderiv = emscripten_glGetShaderiv;
  f->GetUniformLocation = emscripten_glGetUniformLocation;
  f->LinkProgram = emscripten_glLinkProgram;
  f->PixelStorei = emscripten_glPixelStorei;
  f->ReadPixels = emscripten_glReadPixels;
  f->RenderbufferStorage = emscripten_glRenderbufferStorage;
  f->ShaderSource = emscripten_glShaderSource;
  f->TexImage2D = emscripten_glTexImage2D;
  f->TexParameteri = emscripten_glTexParameteri;
  f->Uniform1i = emscripten_glUniform1i;
  f->Uniform3fv = emscripten_glUniform3fv;
  f->Uniform4fv = emscripten_glUniform4fv;
  f->UniformMatrix3fv = emscripten_glUniformMatrix3fv;
  f->UniformMatrix4fv = emscripten_glUniformMatrix4fv;
  f->UseProgram = emscripten_glUseProgram;
  f->VertexAttribPointer = emscripten_glVertexAttribPointer;
  f->Viewport = emscripten_glViewport;
}

} // namespace fixedgl
