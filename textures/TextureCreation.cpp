#include "TextureCreation.h"

#include <cstdio>
#include <cstdlib>

#include "BitmapLoader.h"

int LoadTexture(const char *fileName, GLuint *textureNameOut) {
  if (!fileName)
    return 0;

  // Only regular files are texture files: opening a named pipe would wait
  // for a writer, so a pipe, a device or a directory is taken as a file that
  // cannot be opened.
  DWORD attributes = GetFileAttributesA(fileName);
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
    return 0;

  // Only a test that the file can be opened; the loader reads it.
  FILE *file = fopen(fileName, "r");
  if (!file)
    return 0;
  fclose(file);

  RgbImage *image = LoadBitmapAsRgb(fileName, 0);
  if (!image)
    return 0;

  glGenTextures(1, textureNameOut);
  glBindTexture(GL_TEXTURE_2D, *textureNameOut);

  // Rows of pixels are packed without fill. With OpenGL's default unpack
  // alignment of 4 a width that is not a multiple of 4 would skew the rows
  // and read past the end of the buffer, so such images are read byte-aligned.
  GLint previousAlignment = 4;
  const bool packedRows = image->width % 4 != 0;
  if (packedRows) {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  }
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image->pixels);
  if (packedRows)
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);

  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

  if (image->pixels)
    free(image->pixels);
  free(image);
  return 1;
}
