// quellor-snapshot: renders the scene offscreen and writes frames as PNG files.
#include <cstdio>
#include <filesystem>
#include <string>

#include "PngWriter.h"
#include "SnapshotCommandLine.h"
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
  switch (snapshot::StartFromCommandLine(argc, argv, &options, &error)) {
  case snapshot::SnapshotStart::kRender:
    return RenderAndWrite(options);
  case snapshot::SnapshotStart::kHelpShown:
    return 0;
  case snapshot::SnapshotStart::kBadCommandLine:
    return Report(error + "\nTry 'quellor-snapshot --help'.", kBadCommandLine);
  case snapshot::SnapshotStart::kNoTexturesDir:
    break;
  }
  return Report(error, kFailed);
}
