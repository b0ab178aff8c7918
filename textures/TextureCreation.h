// Turning a bitmap file into an OpenGL texture.
#ifndef QUELLOR_TEXTURE_CREATION_H
#define QUELLOR_TEXTURE_CREATION_H

#include <windows.h>

#include <GL/gl.h>

// Loads the bitmap file and uploads it as a new 2D texture with linear
// filtering, whose name is written to *textureNameOut. Returns 1 on success;
// 0 when the file cannot be opened (silently) or cannot be loaded (after the
// loader's message), leaving *textureNameOut unchanged.
int LoadTexture(const char *fileName, GLuint *textureNameOut);

#endif
