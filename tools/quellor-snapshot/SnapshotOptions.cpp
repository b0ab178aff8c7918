#include "SnapshotOptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace snapshot {

namespace {

const char kPngSuffix[] = ".png";
const size_t kPngSuffixLength = sizeof kPngSuffix - 1;

bool EndsWithPng(const std::string &path) {
  return path.size() > kPngSuffixLength &&
         path.compare(path.size() - kPngSuffixLength, kPngSuffixLength, kPngSuffix) == 0;
}

// A whole decimal number from 1 to kMaxFrames, nothing else.
bool ParseFrameNumber(const std::string &text, int *value) {
  if (text.empty() || text[0] < '0' || text[0] > '9')
    return false;
  errno = 0;
  char *end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < 1 || parsed > kMaxFrames)
    return false;
  *value = static_cast<int>(parsed);
  return true;
}

bool Fail(std::string *error, const std::string &message) {
  *error = message;
  return false;
}

bool IsFrameOption(const std::string &option) {
  return option == "--frames" || option == "--space-at";
}

// The frame number given to option, or false with a message.
bool ReadFrameNumber(const std::string &option, const std::string &value, int *number,
                     std::string *error) {
  if (!ParseFrameNumber(value, number))
    return Fail(error, option + " needs a whole number from 1 to " + std::to_string(kMaxFrames) +
                           ", not '" + value + "'");
  return true;
}

// An option given once at most (*setting is 0 until it is).
bool ReadOnce(const std::string &option, const std::string &value, int *setting,
              std::string *error) {
  int number = 0;
  if (!ReadFrameNumber(option, value, &number, error))
    return false;
  if (*setting != 0)
    return Fail(error, option + " given twice");
  *setting = number;
  return true;
}

// Reads --frames or --space-at with its value.
bool ReadFrameOption(const std::string &option, const std::string &value, SnapshotFrames *snapshot,
                     std::string *error) {
  if (option == "--frames")
    return ReadOnce(option, value, &snapshot->frames, error);
  int frame = 0;
  if (!ReadFrameNumber(option, value, &frame, error))
    return false;
  snapshot->spaceAt.push_back(frame);
  return true;
}

bool CheckSpaceAt(const std::vector<int> &spaceAt, int frames, std::string *error) {
  for (int frame : spaceAt) {
    if (frame > frames)
      return Fail(error, "--space-at " + std::to_string(frame) + " is after the last frame (" +
                             std::to_string(frames) + ")");
  }
  return true;
}

} // namespace

bool ParseSnapshotOptions(const std::vector<std::string> &arguments, SnapshotOptions *options,
                          std::string *error) {
  *options = SnapshotOptions();
  SnapshotFrames snapshot;
  bool texturesGiven = false;

  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string &option = arguments[i];
    if (option == "--help" || option == "-h") {
      options->help = true;
      return true;
    }
    if (option != "--out" && option != "--textures" && option != "--every" &&
        !IsFrameOption(option))
      return Fail(error, "unknown option '" + option + "'");
    if (i + 1 == arguments.size())
      return Fail(error, option + " needs a value");
    const std::string &value = arguments[++i];

    if (option == "--out") {
      if (!options->outPath.empty())
        return Fail(error, "--out given twice");
      if (!EndsWithPng(value))
        return Fail(error, "--out needs a file name ending in .png, not '" + value + "'");
      options->outPath = value;
    } else if (option == "--textures") {
      if (texturesGiven)
        return Fail(error, "--textures given twice");
      if (value.empty())
        return Fail(error, "--textures needs a directory");
      texturesGiven = true;
      options->texturesDir = value;
    } else if (option == "--every") {
      if (!ReadOnce(option, value, &options->every, error))
        return false;
    } else if (!ReadFrameOption(option, value, &snapshot, error)) {
      return false;
    }
  }

  if (options->outPath.empty())
    return Fail(error, "--out FILE.png is required");
  if (snapshot.frames != 0)
    options->frames = snapshot.frames;
  options->spaceAt = snapshot.spaceAt;
  if (!CheckSpaceAt(options->spaceAt, options->frames, error))
    return false;
  if (options->every > options->frames)
    return Fail(error, "--every " + std::to_string(options->every) +
                           " writes nothing: it is more than --frames " +
                           std::to_string(options->frames));
  return true;
}

bool ParseSnapshotFrames(const std::vector<std::string> &arguments, SnapshotFrames *snapshot,
                         std::string *error) {
  *snapshot = SnapshotFrames();
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string &option = arguments[i];
    if (!IsFrameOption(option))
      return Fail(error, "unknown option '" + option + "'");
    if (i + 1 == arguments.size())
      return Fail(error, option + " needs a value");
    if (!ReadFrameOption(option, arguments[++i], snapshot, error))
      return false;
  }
  if (!snapshot->spaceAt.empty() && snapshot->frames == 0)
    return Fail(error, "--space-at needs --frames");
  return CheckSpaceAt(snapshot->spaceAt, snapshot->frames, error);
}

std::string SnapshotUsage() {
  return "Usage: quellor-snapshot --out FILE.png [--frames N] [--space-at F]... [--every K]\n"
         "                        [--textures DIR]\n"
         "\n"
         "Renders the Quellor scene offscreen (windowed, 640x480, without the 2 ms frame\n"
         "pause) and writes frames as PNG pictures.\n"
         "\n"
         "  --out FILE.png    where the picture goes (required)\n"
         "  --frames N        render frames 1 to N and write frame N (default 1)\n"
         "  --space-at F      press space before frame F is rendered; repeatable\n"
         "  --every K         write frames K, 2K, ... instead, as FILE-NNNNN.png\n"
         "                    (the frame number in five digits)\n"
         "  --textures DIR    read tex1.bmp, tex2.bmp and tex3.bmp from DIR\n"
         "                    (default: the working directory)\n"
         "  --help            show this text\n"
         "\n"
         "Frame numbers run from 1 to " +
         std::to_string(kMaxFrames) +
         ".\n"
         "Exit status: 0 on success, 1 when the scene cannot be set up or a picture\n"
         "cannot be written, 2 for a bad command line.\n";
}

std::string SnapshotFileName(const SnapshotOptions &options, int frame) {
  if (options.every == 0)
    return options.outPath;
  char number[16];
  std::snprintf(number, sizeof number, "-%05d", frame);
  return options.outPath.substr(0, options.outPath.size() - kPngSuffixLength) + number + kPngSuffix;
}

bool IsSnapshotFrame(const SnapshotOptions &options, int frame) {
  if (options.every == 0)
    return frame == options.frames;
  return frame % options.every == 0;
}

} // namespace snapshot
