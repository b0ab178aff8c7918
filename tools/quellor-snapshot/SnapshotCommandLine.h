// The start of a tool that renders snapshots (quellor-snapshot, and the scene
// drawn through quellor_fixedgl in the tests): its command line read, --help
// answered, and the process moved to where the textures are.
#ifndef QUELLOR_SNAPSHOT_COMMAND_LINE_H
#define QUELLOR_SNAPSHOT_COMMAND_LINE_H

#include <string>

#include "SnapshotOptions.h"

namespace snapshot {

enum class SnapshotStart {
  kRender,         // *options say what to render
  kHelpShown,      // the usage text is printed: nothing more to do
  kBadCommandLine, // *error says what is wrong with the arguments
  kNoTexturesDir,  // *error says why the textures' folder cannot be entered
};

// Reads the arguments after the program name into *options. To render, the
// --out path is made absolute first (the pictures go where the user said,
// relative to where the tool started, even when the textures are read from
// elsewhere) and the working directory becomes the --textures folder.
SnapshotStart StartFromCommandLine(int argc, char **argv, SnapshotOptions *options,
                                   std::string *error);

} // namespace snapshot

#endif
