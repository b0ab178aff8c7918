// The OpenGL ES 2.0 calls the library draws with, one line each: return type,
// name without its "gl" prefix, parameters. Only calls that WebGL 1 also has
// are listed. Define ES2_FUNCTION(returnType, name, parameters) before
// including this file; it is expanded into the table of function pointers
// (Es2Functions.h) and into each loader that fills it, so a call is added in
// this one place.
ES2_FUNCTION(void, AttachShader, (GLuint program, GLuint shader))
ES2_FUNCTION(void, BindAttribLocation, (GLuint program, GLuint index, const GLchar *name))
ES2_FUNCTION(void, BindBuffer, (GLenum target, GLuint buffer))
ES2_FUNCTION(void, BindFramebuffer, (GLenum target, GLuint framebuffer))
ES2_FUNCTION(void, BindRenderbuffer, (GLenum target, GLuint renderbuffer))
ES2_FUNCTION(void, BindTexture, (GLenum target, GLuint texture))
ES2_FUNCTION(void, BufferData, (GLenum target, GLsizeiptr size, const void *data, GLenum usage))
ES2_FUNCTION(GLenum, CheckFramebufferStatus, (GLenum target))
ES2_FUNCTION(void, Clear, (GLbitfield mask))
ES2_FUNCTION(void, ClearColor, (GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha))
ES2_FUNCTION(void, ClearDepthf, (GLfloat depth))
ES2_FUNCTION(void, CompileShader, (GLuint shader))
ES2_FUNCTION(GLuint, CreateProgram, ())
ES2_FUNCTION(GLuint, CreateShader, (GLenum type))
ES2_FUNCTION(void, DeleteBuffers, (GLsizei n, const GLuint *buffers))
ES2_FUNCTION(void, DeleteFramebuffers, (GLsizei n, const GLuint *framebuffers))
ES2_FUNCTION(void, DeleteProgram, (GLuint program))
ES2_FUNCTION(void, DeleteRenderbuffers, (GLsizei n, const GLuint *renderbuffers))
ES2_FUNCTION(void, DeleteShader, (GLuint shader))
ES2_FUNCTION(void, DeleteTextures, (GLsizei n, const GLuint *textures))
ES2_FUNCTION(void, DepthFunc, (GLenum func))
ES2_FUNCTION(void, Disable, (GLenum cap))
ES2_FUNCTION(void, DisableVertexAttribArray, (GLuint index))
ES2_FUNCTION(void, DrawArrays, (GLenum mode, GLint first, GLsizei count))
ES2_FUNCTION(void, Enable, (GLenum cap))
ES2_FUNCTION(void, EnableVertexAttribArray, (GLuint index))
ES2_FUNCTION(void, Finish, ())
ES2_FUNCTION(void, Flush, ())
ES2_FUNCTION(void, FramebufferRenderbuffer,
             (GLenum target, GLenum attachment, GLenum renderbuffertarget, GLuint renderbuffer))
ES2_FUNCTION(void, FramebufferTexture2D,
             (GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level))
ES2_FUNCTION(void, GenBuffers, (GLsizei n, GLuint *buffers))
ES2_FUNCTION(void, GenFramebuffers, (GLsizei n, GLuint *framebuffers))
ES2_FUNCTION(void, GenRenderbuffers, (GLsizei n, GLuint *renderbuffers))
ES2_FUNCTION(void, GenTextures, (GLsizei n, GLuint *textures))
ES2_FUNCTION(GLenum, GetError, ())
ES2_FUNCTION(void, GetIntegerv, (GLenum pname, GLint *data))
ES2_FUNCTION(void, GetProgramInfoLog,
             (GLuint program, GLsizei bufSize, GLsizei *length, GLchar *infoLog))
ES2_FUNCTION(void, GetProgramiv, (GLuint program, GLenum pname, GLint *params))
ES2_FUNCTION(void, GetShaderInfoLog,
             (GLuint shader, GLsizei bufSize, GLsizei *length, GLchar *infoLog))
ES2_FUNCTION(void, GetShaderiv, (GLuint shader, GLenum pname, GLint *params))
ES2_FUNCTION(GLint, GetUniformLocation, (GLuint program, const GLchar *name))
ES2_FUNCTION(void, LinkProgram, (GLuint program))
ES2_FUNCTION(void, PixelStorei, (GLenum pname, GLint param))
ES2_FUNCTION(void, ReadPixels,
             (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
              void *pixels))
ES2_FUNCTION(void, RenderbufferStorage,
             (GLenum target, GLenum internalformat, GLsizei width, GLsizei height))
ES2_FUNCTION(void, ShaderSource,
             (GLuint shader, GLsizei count, const GLchar *const *string, const GLint *length))
ES2_FUNCTION(void, TexImage2D,
             (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
              GLint border, GLenum format, GLenum type, const void *pixels))
ES2_FUNCTION(void, TexParameteri, (GLenum target, GLenum pname, GLint param))
ES2_FUNCTION(void, Uniform1i, (GLint location, GLint v0))
ES2_FUNCTION(void, Uniform3fv, (GLint location, GLsizei count, const GLfloat *value))
ES2_FUNCTION(void, Uniform4fv, (GLint location, GLsizei count, const GLfloat *value))
ES2_FUNCTION(void, UniformMatrix3fv,
             (GLint location, GLsizei count, GLboolean transpose, const GLfloat *value))
ES2_FUNCTION(void, UniformMatrix4fv,
             (GLint location, GLsizei count, GLboolean transpose, const GLfloat *value))
ES2_FUNCTION(void, UseProgram, (GLuint program))
ES2_FUNCTION(void, VertexAttribPointer,
             (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
              const void *pointer))
ES2_FUNCTION(void, Viewport, (GLint x, GLint y, GLsizei width, GLsizei height))
