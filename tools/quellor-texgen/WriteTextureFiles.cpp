#include "WriteTextureFiles.h"

#include "BmpWriter.h"
#include "TexturePictures.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

static int WriteOneFile(const std::filesystem::path &outDir, const char *name,
                        const Picture &picture) {
  std::string path = (outDir / name).string();
  if (!WriteBmpFile(path, picture)) {
    std::fprintf(stderr, "quellor-texgen: cannot write %s\n", path.c_str());
    return 0;
  }
  return 1;
}

int WriteTextureFiles(const std::string &outDir) {
  std::filesystem::path dir(outDir);
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error || !std::filesystem::is_directory(dir)) {
    std::fprintf(stderr, "quellor-texgen: cannot create directory %s\n", outDir.c_str());
    return 0;
  }
  return WriteOneFile(dir, "tex1.bmp", DrawCratePicture()) &&
         WriteOneFile(dir, "tex2.bmp", DrawFloorPicture()) &&
         WriteOneFile(dir, "tex3.bmp", DrawBrickPicture());
}
