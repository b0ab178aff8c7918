// Drives the scene offscreen on the headless backend through the same code the
// program runs: window creation, the window procedure and RenderFrame.
#ifndef QUELLOR_SNAPSHOT_SCENE_H
#define QUELLOR_SNAPSHOT_SCENE_H

#include <functional>
#include <string>
#include <vector>

#include "SnapshotOptions.h"

namespace snapshot {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels; // RGB, bottom row first
};

// Starts the animation afresh and creates the windowed 640x480 scene with its
// textures read from the working directory, as the program does at start-up.
// Returns false with a message in *error when that fails.
bool StartSnapshotScene(std::string *error);

// Renders frames 1 to options.frames as the main loop does: the queued
// messages first, then the frame (its pause only recorded), then the swap.
// Space is pressed before the frames the options name; each frame the options
// write is read back and handed to `write`. Stops and returns false as soon
// as `write` does.
bool RenderSnapshotFrames(const SnapshotOptions &options,
                          const std::function<bool(int frame, const Picture &picture)> &write);

// Tears the window and its rendering context down.
void StopSnapshotScene();

} // namespace snapshot

#endif
