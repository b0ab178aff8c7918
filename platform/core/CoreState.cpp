// The window system's one record, and its one reset.
#include "core/CoreState.h"

#include "core/Core.h"
#include "hook/PlatformCalls.h"
#include "os/FileViews.h"

namespace platform::core {

CoreState state;

namespace {

const int kDefaultFramePassLimit = 100000;

// Until a test chooses (control::SetRealSleep), Sleep pauses as the backend
// says; the hook learns it here, before main.
[[maybe_unused]] const bool pausesHandedOver =
    (SetBackendSkipsPauses(activeBackend.pausesSkipped), true);

} // namespace

void ResetState(Teardown teardown) {
  if (teardown == Teardown::BetweenTests)
    DeleteRenderingContexts();
  state.contexts = ContextState{};
  DestroyAllWindows();
  RestoreDesktopMode();
  state.display = DisplayState{};
  ApplyCursor();
  if (teardown == Teardown::ProcessExit)
    return;
  state.windows = WindowState{};
  state.queue = QueueState{};
  state.queue.framePassLimit = kDefaultFramePassLimit;
  state.boxes = BoxState{};
  state.boxes.scripted = true;
  ResetCallHook();
  ResetFileViews();
}

} // namespace platform::core
