#include "LoaderContestants.h"

#include "MappedFile.h"

#include <BitmapLoader.h>

#include <SDL.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Keeps the compiler from dropping the writes to memory nothing reads.
void KeepWritten(const void *memory) { asm volatile("" : : "r"(memory) : "memory"); }

const char *DecodeWithLoader(const std::string &path, size_t) {
  RgbImage *image = LoadBitmapAsRgb(path.c_str(), 0);
  if (!image)
    return "the loader refused the file";
  KeepWritten(image->pixels);
  std::free(image->pixels);
  std::free(image);
  return nullptr;
}

const char *DecodeWithStb(const std::string &path, size_t) {
  MappedFile file = MapFile(path);
  int width, height, channels;
  unsigned char *pixels = file.data ? stbi_load_from_memory(file.data, static_cast<int>(file.size),
                                                            &width, &height, &channels, 3)
                                    : nullptr;
  UnmapFile(file);
  if (!pixels)
    return file.data ? stbi_failure_reason() : "the file could not be mapped";
  KeepWritten(pixels);
  stbi_image_free(pixels);
  return nullptr;
}

const char *DecodeWithSdl(const std::string &path, size_t) {
  SDL_Surface *surface = SDL_LoadBMP(path.c_str());
  SDL_Surface *rgb =
      surface ? SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0) : nullptr;
  SDL_FreeSurface(surface);
  if (!rgb)
    return SDL_GetError();
  KeepWritten(rgb->pixels);
  SDL_FreeSurface(rgb);
  return nullptr;
}

// The output's size copied from the mapping (again from its start when the
// file is smaller than the output).
const char *CopyWithMemcpy(const std::string &path, size_t outputSize) {
  MappedFile file = MapFile(path);
  unsigned char *pixels = static_cast<unsigned char *>(std::malloc(outputSize));
  const bool copied = file.data && file.size > 0 && pixels;
  for (size_t done = 0; copied && done < outputSize;) {
    size_t chunk = std::min(outputSize - done, file.size);
    std::memcpy(pixels + done, file.data, chunk);
    done += chunk;
  }
  UnmapFile(file);
  KeepWritten(pixels);
  std::free(pixels);
  return copied ? nullptr : "the file could not be mapped or the output allocated";
}

} // namespace

const LoaderContestant kLoaderContestants[4] = {{"loader", DecodeWithLoader},
                                                {"stb_image", DecodeWithStb},
                                                {"SDL2", DecodeWithSdl},
                                                {"memcpy", CopyWithMemcpy}};
