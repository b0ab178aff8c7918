// Modal message boxes: while tests watch, each box is recorded and answered
// from the script, or as a user dismissing it would; otherwise the backend
// shows it, and when it cannot, the message goes to standard error, so that
// no message is ever lost.
#include "core/Core.h"
#include "core/PlatformControl.h"
#include "hook/CallArguments.h"

#include <cstdio>
#include <deque>

namespace platform::core {

int DismissedAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
  case MB_YESNO:
    return IDNO;
  case MB_OKCANCEL:
    return IDCANCEL;
  default:
    return IDOK;
  }
}

} // namespace platform::core

namespace platform::control {

void QueueMessageBoxAnswer(int answer) { core::state.boxes.answers.push_back(answer); }

const std::vector<MessageBoxShown> &MessageBoxesShown() { return core::state.boxes.shown; }

} // namespace platform::control

using namespace platform::core;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (platform::CallFails("MessageBoxA",
                          platform::CallArguments(owner, text, caption, platform::Hex{type})))
    return 0;
  text = text ? text : "";
  // Windows titles a box without a caption "Error".
  caption = caption ? caption : "Error";
  if (state.boxes.scripted) {
    state.boxes.shown.push_back({owner, text, caption, type});
    if (state.boxes.answers.empty())
      return DismissedAnswer(type);
    const int answer = state.boxes.answers.front();
    state.boxes.answers.pop_front();
    return answer;
  }
  const Window *ownerWindow = LookUpWindow(owner);
  const int answer = BackendReady()
                         ? activeBackend.messageBox(ownerWindow ? ownerWindow->surface : nullptr,
                                                    text, caption, type)
                         : 0;
  if (answer == 0) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
  }
  return answer;
}
