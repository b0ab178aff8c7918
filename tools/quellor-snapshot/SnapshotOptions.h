// The command line of quellor-snapshot, and the page's snapshot mode, which
// takes its frame options (platform/web/main/WebMain.cpp).
#ifndef QUELLOR_SNAPSHOT_OPTIONS_H
#define QUELLOR_SNAPSHOT_OPTIONS_H

#include <string>
#include <vector>

namespace snapshot {

struct SnapshotOptions {
  bool help = false;
  std::string outPath;      // FILE.png
  int frames = 1;           // frames 1 to frames are rendered
  std::vector<int> spaceAt; // a space key-down before each of these frames
  int every = 0;            // 0: write only the last frame; K: frames K, 2K, ...
  std::string texturesDir;  // empty: the working directory
};

// Largest frame count: frame numbers in file names have five digits.
const int kMaxFrames = 99999;

// The page's snapshot: frames 1 to frames rendered, Space pressed before each
// frame in spaceAt.
struct SnapshotFrames {
  int frames = 0; // 0: not a snapshot
  std::vector<int> spaceAt;
};

// Reads the page's arguments, which are only --frames N and --space-at F, as
// quellor-snapshot reads them. Returns false with a message in *error when
// they are not valid.
bool ParseSnapshotFrames(const std::vector<std::string> &arguments, SnapshotFrames *snapshot,
                         std::string *error);

// Reads the arguments after the program name. Returns false with a message in
// *error when they are not a valid command line.
bool ParseSnapshotOptions(const std::vector<std::string> &arguments, SnapshotOptions *options,
                          std::string *error);

// The usage text printed by --help.
std::string SnapshotUsage();

// The file that frame `frame` goes to: the --out path itself, or with --every
// the path without ".png", a dash, the frame number in five digits and ".png".
std::string SnapshotFileName(const SnapshotOptions &options, int frame);

// Whether frame `frame` is written.
bool IsSnapshotFrame(const SnapshotOptions &options, int frame);

} // namespace snapshot

#endif
