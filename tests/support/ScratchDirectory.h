// A temporary working directory for tests that run the whole program: it
// holds the three texture files the program loads at start-up, and is removed
// with everything in it when the test ends.
#ifndef QUELLOR_TESTS_SCRATCH_DIRECTORY_H
#define QUELLOR_TESTS_SCRATCH_DIRECTORY_H

#include <string>
#include <vector>

// The names the program loads its textures from, in the order it loads them.
extern const char *const kTextureFileNames[3];

// A 24-bit bitmap with a file header, an info header and rows padded to four
// bytes; the pixels follow a pattern that starts from `seed`.
std::vector<unsigned char> MakeBitmap24(int width, int height, unsigned char seed);

// Writes the bytes to the file, replacing it. Returns false on failure.
bool WriteBytes(const std::string &path, const std::vector<unsigned char> &bytes);

class ScratchDirectory {
public:
  // Creates the directory, makes it the working directory and writes three
  // distinct square texture files of the given size into it. Check ok()
  // afterwards.
  explicit ScratchDirectory(int textureSize = 8);
  // Returns to the original working directory and removes the scratch one.
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory &) = delete;
  ScratchDirectory &operator=(const ScratchDirectory &) = delete;

  bool ok() const { return ok_; }
  const std::string &path() const { return path_; }

private:
  bool ok_ = false;
  std::string original_;
  std::string path_;
};

#endif
