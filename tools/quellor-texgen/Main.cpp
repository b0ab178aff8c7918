// quellor-texgen OUTDIR: writes Quellor's default textures into OUTDIR.
#include "WriteTextureFiles.h"

#include <cstdio>

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quellor-texgen OUTDIR\n");
    return 2;
  }
  return WriteTextureFiles(argv[1]) ? 0 : 1;
}
