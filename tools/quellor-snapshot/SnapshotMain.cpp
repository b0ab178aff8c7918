// quellor-snapshot: renders the scene offscreen and writes frames as PNG files.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "PngWriter.h"
#include "SnapshotOptions.h"
#include "SnapshotScene.h"

namespace {

const int kBadCommandLine = 2;
const int kFailed = 1;

int Report(const std::string &message, int status) {
  std::fprintf(stderr, "quellor-snapshot: %s\n", message.c_str());
  return status;
}

int RenderAndWrite(const snapshot::SnapshotOptions &options) {
  std::string error;
  if (!snapshot::StartSnapshotScene(&error))
    return Report(error + "\n  (looked in " + std::filesystem::current_path().string() + ")",
                  kFailed);

  const bool written =
      snapshot::RenderSnapshotFrames(options, [&](int frame, const snapshot::Picture &picture) {
        return snapshot::WritePicturePng(snapshot::SnapshotFileName(options, frame), picture,
                                         &error);
      });
  snapshot::StopSnapshotScene();
  return written ? 0 : Report(error, kFailed);
}

} // namespace

int main(int argc, char **argv) {
  snapshot::SnapshotOptions options;
  std::string error;
  if (!snapshot::ParseSnapshotOptions(std::vector<std::string>(argv + 1, argv + argc), &options,
                                      &error))
    return Report(error + "\nTry 'quellor-snapshot --help'.", kBadCommandLine);
  if (options.help) {
    std::fputs(snapshot::SnapshotUsage().c_str(), stdout);
    return 0;
  }

  // The pictures go where the user said, relative to where the tool started,
  // even when the textures are read from elsewhere.
  options.outPath = std::filesystem::absolute(options.outPath).string();
  if (!options.texturesDir.empty()) {
    std::error_code failure;
    std::filesystem::current_path(options.texturesDir, failure);
    if (failure)
      return Report("cannot read textures from " + options.texturesDir + ": " + failure.message(),
                    kFailed);
  }
  return RenderAndWrite(options);
}
