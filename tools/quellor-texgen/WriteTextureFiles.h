// Draws the three default textures and writes them into a directory.
#ifndef QUELLOR_TEXGEN_WRITE_TEXTURE_FILES_H
#define QUELLOR_TEXGEN_WRITE_TEXTURE_FILES_H

#include <string>

// Creates `outDir` if needed and writes "tex1.bmp", "tex2.bmp" and "tex3.bmp"
// into it. Returns 1 on success; on a failure names the problem on standard
// error and returns 0.
int WriteTextureFiles(const std::string &outDir);

#endif
