// The page's entry: hands over to WinMain, then gives the page its keys back
// and tells it that the program has ended and with which status (main's own
// return value is lost to the page: the program's first pause already
// returned to the browser).
//
// With arguments "--frames N" and any number of "--space-at F" (read by
// quellor-snapshot's own rules, SnapshotOptions.h), the page runs in snapshot
// mode, as quellor-snapshot does: windowed without asking, frames 1 to N
// rendered one after the other with Space pressed before each frame F, and the
// window closed before frame N+1 would be, leaving frame N on the canvas.
//
// Implements: main. Not part of the backend's table.
#include "web/WebBackend.h"

#include "core/PlatformControl.h"
#include <SnapshotOptions.h>

#include <emscripten.h>

#include <cstdio>
#include <string>
#include <vector>

namespace platform::web {

namespace {

// The keyboard's scan code for Space, sent with the key's message.
const WORD kSpaceScanCode = 0x39;

// The script of a snapshot: no question asked, no pause taken, and no call
// recorded; the keys and the close come before the frames they are due at.
void ScriptSnapshot(const snapshot::SnapshotFrames &frames) {
  control::Reset();
  control::SetCallLogging(false);
  control::SetFramePassLimit(0);
  control::QueueMessageBoxAnswer(IDNO);
  for (int frame : frames.spaceAt)
    control::PostBeforeFrame(frame, WM_KEYDOWN, VK_SPACE, MAKELPARAM(1, kSpaceScanCode));
  control::PostBeforeFrame(frames.frames + 1, WM_CLOSE, 0, 0);
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
  snapshot::SnapshotFrames frames;
  std::string error;
  if (!snapshot::ParseSnapshotFrames(std::vector<std::string>(argv + 1, argv + argc), &frames,
                                     &error)) {
    std::fprintf(stderr, "quellor: %s\n", error.c_str());
    ReportEnd(2, error.c_str());
    return 2;
  }
  SetSnapshotMode(frames.frames > 0);
  if (SnapshotMode())
    ScriptSnapshot(frames);
  char commandLine[] = "";
  const int status = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  StopListening();
  ReportEnd(status, SnapshotMode() ? AnsweredBoxes().c_str() : "");
  return status;
}
