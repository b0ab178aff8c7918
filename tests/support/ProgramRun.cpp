#include "ProgramRun.h"

#include "AppState.h"

namespace {

headless::LiveResources Difference(const headless::LiveResources &now,
                                   const headless::LiveResources &before) {
  headless::LiveResources result = now;
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
  headless::Reset();
  appState = AppState();
  // The loader's objects are not the window system's: a run that fails to
  // release one keeps it for good, so each run is measured from its start.
  headless::LiveResources before = headless::Live();

  headless::SetFramePassLimit(kSweepFramePassLimit);
  headless::QueueMessageBoxAnswer(script.startFullscreen ? IDYES : IDNO);
  if (script.toggleOnce)
    headless::PostBeforeFrame(2, WM_KEYDOWN, VK_F1, 0);
  headless::PostBeforeFrame(3, WM_CLOSE, 0, 0);
  headless::PostBeforeFrame(5, WM_CLOSE, 0, 0);
  if (!failingCall.empty())
    headless::FailCall(failingCall, nth);

  RunOutcome outcome;
  outcome.status = WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
  const std::vector<headless::MessageBoxShown> &boxes = headless::MessageBoxesShown();
  // The start question is the first box unless that very call failed.
  size_t first = (failingCall == "MessageBoxA" && nth == 1) ? 0 : 1;
  if (boxes.size() > first)
    outcome.boxes.assign(boxes.begin() + first, boxes.end());
  outcome.live = Difference(headless::Live(), before);
  outcome.displayChanged = headless::DisplayModeChanged();
  outcome.cursorCounter = headless::CursorCounter();
  outcome.window = appState.windowHandle;
  outcome.calls = headless::CallLog();
  return outcome;
}
