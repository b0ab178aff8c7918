// Message boxes: nothing is shown; each box is recorded and answered from the
// script, or as a user dismissing it would.
#include "ArgText.h"
#include "Backend.h"
#include "Handles.h"
#include "HeadlessControl.h"

#include <PlatformCalls.h>

#include <deque>

namespace {

std::deque<int> answers;
std::vector<headless::MessageBoxShown> shown;

int DefaultAnswer(UINT style) {
  switch (style & MB_TYPEMASK) {
  case MB_YESNO:
    return IDNO;
  case MB_OKCANCEL:
    return IDCANCEL;
  default:
    return IDOK;
  }
}

} // namespace

namespace headless {

void QueueMessageBoxAnswer(int answer) { answers.push_back(answer); }

const std::vector<MessageBoxShown> &MessageBoxesShown() { return shown; }

namespace backend {

void ResetDialogs() {
  answers.clear();
  shown.clear();
}

} // namespace backend

} // namespace headless

using namespace headless::backend;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (platform::CallFails("MessageBoxA",
                          Join({HandleText(owner), Quoted(text), Quoted(caption), Hex(type)}))) {
    return 0;
  }
  // Windows titles a box without a caption "Error".
  shown.push_back({owner, text ? text : "", caption ? caption : "Error", type});
  if (answers.empty()) {
    return DefaultAnswer(type);
  }
  int answer = answers.front();
  answers.pop_front();
  return answer;
}
