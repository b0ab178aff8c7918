#include "TexgenTestHelpers.h"

#include "BitmapLoader.h"

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quellor-texgen-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  // Without its directory a test would write elsewhere: stop it instead.
  if (mkdtemp(buffer.data()) == nullptr)
    throw std::runtime_error("cannot create a directory like " + pattern);
  path_ = buffer.data();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<unsigned char> ReadFileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

std::uint32_t ReadLe32(const std::vector<unsigned char> &bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes.at(offset)) |
         static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8 |
         static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16 |
         static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

int RunTexgen(const std::string &arguments) {
  std::string command =
      std::string("'") + QUELLOR_RUNTIME_DIR + "/quellor-texgen' " + arguments + " 2>/dev/null";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Picture LoadWithProgramLoader(const std::string &path, bool *loaded) {
  RgbImage *image = LoadBitmapAsRgb(path.c_str(), 0);
  *loaded = image != nullptr && image->width > 0 && image->height > 0;
  if (!*loaded) {
    if (image != nullptr) {
      std::free(image->pixels);
      std::free(image);
    }
    return MakePicture(0, 0);
  }
  Picture picture = MakePicture(image->width, image->height);
  std::size_t rowBytes = static_cast<std::size_t>(image->width) * 3;
  for (int row = 0; row < image->height; ++row)
    std::memcpy(&picture.pixels[static_cast<std::size_t>(image->height - 1 - row) * rowBytes],
                image->pixels + static_cast<std::size_t>(row) * rowBytes, rowBytes);
  std::free(image->pixels);
  std::free(image);
  return picture;
}
