// The page's entry: hands over to WinMain, then gives the page its keys back
// and tells it that the program has ended and with which status (main's own
// return value is lost to the page: the program's first pause already
// returned to the browser).
//
// With arguments "--frames N" and any number of "--space-at F", the page runs
// in snapshot mode, as quellor-snapshot does: windowed without asking, frames
// 1 to N rendered one after the other with Space pressed before each frame F,
// and the window closed before frame N+1 would be, leaving frame N on the
// canvas.
//
// Implements: main. Not part of the backend's table.
#include "WebBackend.h"

#include <PlatformControl.h>

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace platform::web {

namespace {

struct Snapshot {
  int frames = 0; // 0: not a snapshot
  std::vector<int> spaceAt;
};

// The most frames a snapshot renders, as quellor-snapshot allows.
const int kMaxFrames = 99999;
// The keyboard's scan code for Space, sent with the key's message.
const WORD kSpaceScanCode = 0x39;

bool ReadFrameNumber(const char *text, int *number) {
  char *end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > kMaxFrames)
    return false;
  *number = static_cast<int>(value);
  return true;
}

bool ParseArguments(int argc, char **argv, Snapshot *snapshot, std::string *error) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if ((option != "--frames" && option != "--space-at") || i + 1 == argc) {
      *error = "unknown argument " + option;
      return false;
    }
    int number = 0;
    if (!ReadFrameNumber(argv[++i], &number)) {
      *error = option + " needs a frame number from 1 to " + std::to_string(kMaxFrames);
      return false;
    }
    if (option == "--frames")
      snapshot->frames = number;
    else
      snapshot->spaceAt.push_back(number);
  }
  if (!snapshot->spaceAt.empty() && snapshot->frames == 0) {
    *error = "--space-at needs --frames";
    return false;
  }
  return true;
}

// The script of a snapshot: no question asked, no pause taken, and no call
// recorded; the keys and the close come before the frames they are due at.
void ScriptSnapshot(const Snapshot &snapshot) {
  control::Reset();
  control::SetCallLogging(false);
  control::SetFramePassLimit(0);
  control::QueueMessageBoxAnswer(IDNO);
  for (int frame : snapshot.spaceAt)
    control::PostBeforeFrame(frame, WM_KEYDOWN, VK_SPACE, MAKELPARAM(1, kSpaceScanCode));
  control::PostBeforeFrame(snapshot.frames + 1, WM_CLOSE, 0, 0);
}

// The boxes a snapshot answered without showing them after the start
// question, one per line, so that the page can say why it ended early.
std::string AnsweredBoxes() {
  const std::vector<control::MessageBoxShown> &boxes = control::MessageBoxesShown();
  std::string text;
  for (size_t i = 1; i < boxes.size(); ++i)
    text += boxes[i].title + ": " + boxes[i].text + "\n";
  return text;
}

EM_JS(void, ReportEnd, (int status, const char *messages), {
  if (Module.onQuellorEnded)
    Module.onQuellorEnded(status, UTF8ToString(messages));
});

} // namespace

} // namespace platform::web

int main(int argc, char **argv) {
  using namespace platform::web;
  Snapshot snapshot;
  std::string error;
  if (!ParseArguments(argc, argv, &snapshot, &error)) {
    std::fprintf(stderr, "quellor: %s\n", error.c_str());
    ReportEnd(2, error.c_str());
    return 2;
  }
  SetSnapshotMode(snapshot.frames > 0);
  if (SnapshotMode())
    ScriptSnapshot(snapshot);
  char commandLine[] = "";
  const int status = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  StopListening();
  ReportEnd(status, SnapshotMode() ? AnsweredBoxes().c_str() : "");
  return status;
}
