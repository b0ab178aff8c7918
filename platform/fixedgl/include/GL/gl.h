// The part of OpenGL 1.1 that Quellor draws with, provided by quellor_fixedgl
// over OpenGL ES 2.0 (natively through EGL, in the browser through WebGL 1).
// It declares only the calls and constants that library defines; anything
// else of OpenGL 1.1 (display lists, vertex arrays, glColor, materials, fog,
// blending, stencil, matrix push and pop, ...) is not here, so code that uses
// it does not compile against this header.
#ifndef QUELLOR_FIXEDGL_GL_H
#define QUELLOR_FIXEDGL_GL_H

#ifndef APIENTRY
#define APIENTRY
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef void GLvoid;
typedef signed char GLbyte;
typedef short GLshort;
typedef int GLint;
typedef int GLsizei;
typedef unsigned char GLubyte;
typedef unsigned short GLushort;
typedef unsigned int GLuint;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;
typedef double GLclampd;

#define GL_FALSE 0
#define GL_TRUE 1

// Errors
#define GL_NO_ERROR 0
#define GL_INVALID_ENUM 0x0500
#define GL_INVALID_VALUE 0x0501
#define GL_INVALID_OPERATION 0x0502
#define GL_OUT_OF_MEMORY 0x0505

// glClear
#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_ACCUM_BUFFER_BIT 0x00000200
#define GL_STENCIL_BUFFER_BIT 0x00000400
#define GL_COLOR_BUFFER_BIT 0x00004000

// glBegin
#define GL_QUADS 0x0007
#define GL_POLYGON 0x0009

// glDepthFunc
#define GL_NEVER 0x0200
#define GL_LESS 0x0201
#define GL_EQUAL 0x0202
#define GL_LEQUAL 0x0203
#define GL_GREATER 0x0204
#define GL_NOTEQUAL 0x0205
#define GL_GEQUAL 0x0206
#define GL_ALWAYS 0x0207

// glEnable and glDisable
#define GL_LIGHTING 0x0B50
#define GL_DEPTH_TEST 0x0B71
#define GL_TEXTURE_2D 0x0DE1
#define GL_LIGHT0 0x4000
#define GL_LIGHT1 0x4001
#define GL_LIGHT2 0x4002
#define GL_LIGHT3 0x4003
#define GL_LIGHT4 0x4004
#define GL_LIGHT5 0x4005
#define GL_LIGHT6 0x4006
#define GL_LIGHT7 0x4007

// glLightf and glLightfv
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_CONSTANT_ATTENUATION 0x1207
#define GL_LINEAR_ATTENUATION 0x1208
#define GL_QUADRATIC_ATTENUATION 0x1209

// glMatrixMode
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_TEXTURE 0x1702

// glShadeModel
#define GL_SMOOTH 0x1D01

// glHint
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50
#define GL_DONT_CARE 0x1100
#define GL_FASTEST 0x1101
#define GL_NICEST 0x1102

// glGetIntegerv and glGetFloatv
#define GL_MATRIX_MODE 0x0BA0
#define GL_VIEWPORT 0x0BA2
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7
#define GL_TEXTURE_MATRIX 0x0BA8
#define GL_MAX_TEXTURE_SIZE 0x0D33
#define GL_TEXTURE_BINDING_2D 0x8069

// glPixelStorei
#define GL_UNPACK_ALIGNMENT 0x0CF5
#define GL_PACK_ALIGNMENT 0x0D05

// Pixel formats and types
#define GL_UNSIGNED_BYTE 0x1401
#define GL_RGB 0x1907
#define GL_RGBA 0x1908

// glTexParameteri
#define GL_TEXTURE_MAG_FILTER 0x2800
#define GL_TEXTURE_MIN_FILTER 0x2801
#define GL_NEAREST 0x2600
#define GL_LINEAR 0x2601
#define GL_NEAREST_MIPMAP_NEAREST 0x2700
#define GL_LINEAR_MIPMAP_NEAREST 0x2701
#define GL_NEAREST_MIPMAP_LINEAR 0x2702
#define GL_LINEAR_MIPMAP_LINEAR 0x2703

// Errors
GLenum APIENTRY glGetError(void);

// Framebuffer
void APIENTRY glClear(GLbitfield mask);
void APIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void APIENTRY glClearDepth(GLclampd depth);
void APIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void APIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                           GLenum type, GLvoid *pixels);
void APIENTRY glFlush(void);
void APIENTRY glFinish(void);

// Capabilities and render state
void APIENTRY glEnable(GLenum cap);
void APIENTRY glDisable(GLenum cap);
void APIENTRY glDepthFunc(GLenum func);
void APIENTRY glShadeModel(GLenum mode);
void APIENTRY glHint(GLenum target, GLenum mode);

// State queries and pixel storage
void APIENTRY glGetIntegerv(GLenum pname, GLint *params);
void APIENTRY glGetFloatv(GLenum pname, GLfloat *params);
void APIENTRY glPixelStorei(GLenum pname, GLint param);

// Matrices
void APIENTRY glMatrixMode(GLenum mode);
void APIENTRY glLoadIdentity(void);
void APIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void APIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void APIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z);

// Immediate mode
void APIENTRY glBegin(GLenum mode);
void APIENTRY glEnd(void);
void APIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void APIENTRY glNormal3f(GLfloat nx, GLfloat ny, GLfloat nz);
void APIENTRY glTexCoord2f(GLfloat s, GLfloat t);

// Lights
void APIENTRY glLightf(GLenum light, GLenum pname, GLfloat param);
void APIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat *params);

// Textures
void APIENTRY glGenTextures(GLsizei n, GLuint *textures);
void APIENTRY glBindTexture(GLenum target, GLuint texture);
void APIENTRY glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width,
                           GLsizei height, GLint border, GLenum format, GLenum type,
                           const GLvoid *pixels);
void APIENTRY glTexParameteri(GLenum target, GLenum pname, GLint param);

#ifdef __cplusplus
}
#endif

#endif
