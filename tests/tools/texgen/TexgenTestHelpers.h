// Helpers shared by the texture generator's tests: scratch directories, file
// bytes, running the tool, and reading pictures back through the program's
// own bitmap loader.
#ifndef QUELLOR_TESTS_TEXGEN_HELPERS_H
#define QUELLOR_TESTS_TEXGEN_HELPERS_H

#include "Picture.h"

#include <cstdint>
#include <string>
#include <vector>

// A fresh empty directory under the system's temporary directory, removed
// with its contents when the object goes. Throws when it cannot be made.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  const std::string &path() const { return path_; }
  std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

std::vector<unsigned char> ReadFileBytes(const std::string &path);
std::uint32_t ReadLe32(const std::vector<unsigned char> &bytes, std::size_t offset);

// Runs the built quellor-texgen with the given argument text (already quoted
// as the shell needs) and returns its exit status, or -1 if it did not exit.
int RunTexgen(const std::string &arguments);

// Loads the file with LoadBitmapAsRgb and turns the result back into a
// picture, top row first. Sets *loaded to false when the loader refuses it.
Picture LoadWithProgramLoader(const std::string &path, bool *loaded);

#endif
