#include "ProgramRun.h"

#include "AppState.h"

namespace {

control::LiveResources Difference(const control::LiveResources &now,
                                  const control::LiveResources &before) {
  control::LiveResources result = now;
  result.fileHandles -= before.fileHandles;
  result.mappings -= before.mappings;
  result.views -= before.views;
  result.localBlocks -= before.localBlocks;
  result.memoryDCs -= before.memoryDCs;
  result.sections -= before.sections;
  return result;
}

} // namespace

RunOutcome RunProgram(const RunScript &script, const std::string &failingCall, int nth) {
  control::Reset();
  appState = AppState();
  // The loader's objects are not the window system's: a run that fails to
  // release one keeps it for good, so each run is measured from its start.
  control::LiveResources before = control::Live();

  control::SetFramePassLimit(kSweepFramePassLimit);
  control::QueueMessageBoxAnswer(script.startFullscreen ? IDYES : IDNO);
  if (script.toggleOnce)
    control::PostBeforeFrame(2, WM_KEYDOWN, VK_F1, 0);
  control::PostBeforeFrame(3, WM_CLOSE, 0, 0);
  control::PostBeforeFrame(5, WM_CLOSE, 0, 0);
  if (!failingCall.empty())
    control::FailCall(failingCall, nth);

  RunOutcome outcome;
  outcome.status = WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
  const std::vector<control::MessageBoxShown> &boxes = control::MessageBoxesShown();
  // The start question is the first box unless that very call failed.
  size_t first = (failingCall == "MessageBoxA" && nth == 1) ? 0 : 1;
  if (boxes.size() > first)
    outcome.boxes.assign(boxes.begin() + first, boxes.end());
  outcome.live = Difference(control::Live(), before);
  outcome.displayChanged = control::DisplayModeChanged();
  outcome.cursorCounter = control::CursorCounter();
  outcome.window = appState.windowHandle;
  outcome.calls = control::CallLog();
  return outcome;
}
