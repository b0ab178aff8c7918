#include "SnapshotCommandLine.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace snapshot {

SnapshotStart StartFromCommandLine(int argc, char **argv, SnapshotOptions *options,
                                   std::string *error) {
  if (!ParseSnapshotOptions(std::vector<std::string>(argv + 1, argv + argc), options, error))
    return SnapshotStart::kBadCommandLine;
  if (options->help) {
    std::fputs(SnapshotUsage().c_str(), stdout);
    return SnapshotStart::kHelpShown;
  }
  options->outPath = std::filesystem::absolute(options->outPath).string();
  if (!options->texturesDir.empty()) {
    std::error_code failure;
    std::filesystem::current_path(options->texturesDir, failure);
    if (failure) {
      *error = "cannot read textures from " + options->texturesDir + ": " + failure.message();
      return SnapshotStart::kNoTexturesDir;
    }
  }
  return SnapshotStart::kRender;
}

} // namespace snapshot
