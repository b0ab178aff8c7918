// The two GLU calls Quellor uses, provided by quellor_fixedgl. Both multiply
// the current matrix, as GLU's own do. No other GLU call (quadrics,
// tessellation, mipmap building, gluOrtho2D, gluProject, ...) is provided.
#ifndef QUELLOR_FIXEDGL_GLU_H
#define QUELLOR_FIXEDGL_GLU_H

#include <GL/gl.h>

#ifdef __cplusplus
extern "C" {
#endif

void APIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void APIENTRY gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                        GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY,
                        GLdouble upZ);

#ifdef __cplusplus
}
#endif

#endif
