// Runs the program's fuzz target over saved inputs without libFuzzer: every
// file named on the command line, or found below a directory named there, in
// name order. Each input's name is printed before it runs, so that the one
// that aborts is known; with --describe, its decoded sequence and how the
// run ended too.
#include "ProgramFuzzTarget.h"
#include "ProgramSequence.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char **argv) {
  bool describe = false;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--describe") == 0) {
      describe = true;
      continue;
    }
    // Absolute, since the target works in a directory of its own.
    std::filesystem::path path = std::filesystem::absolute(argv[i]);
    if (!std::filesystem::exists(path)) {
      std::fprintf(stderr, "%s: not found\n", argv[i]);
      return 1;
    }
    if (!std::filesystem::is_directory(path)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::filesystem::path> found;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(path)) {
      if (entry.is_regular_file())
        found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
  }
  for (const std::filesystem::path &file : files) {
    std::ifstream stream(file, std::ios::binary);
    std::vector<uint8_t> input((std::istreambuf_iterator<char>(stream)),
                               std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s\n", file.c_str());
    if (describe)
      std::fprintf(
          stderr, "%s",
          DescribeProgramSequence(DecodeProgramSequence(input.data(), input.size())).c_str());
    LLVMFuzzerTestOneInput(input.data(), input.size());
    if (describe)
      std::fprintf(stderr, "%s\n", LastRunText().c_str());
  }
  std::printf("replayed %zu inputs\n", files.size());
  return files.empty() ? 1 : 0;
}
