// The message queue, the timeline that feeds it frame by frame, and sending
// messages to window procedures.
#include "ArgText.h"
#include "Backend.h"
#include "Handles.h"
#include "HeadlessControl.h"

#include <PlatformCalls.h>

#include <deque>
#include <map>

namespace {

const int kDefaultFramePassLimit = 100000;
const WPARAM kFramePassLimitExitCode = 0xDEAD;

std::deque<MSG> queue;
// Messages waiting for a frame pass, by its number; equal numbers keep the
// order in which they were added.
std::multimap<int, MSG> timeline;
int framePasses = 0;
int framePassLimit = kDefaultFramePassLimit;

HWND CurrentWindowHandle() {
  headless::backend::Window *window = headless::backend::CurrentWindowRecord();
  return window ? window->handle : nullptr;
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg = {};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  return msg;
}

bool Matches(const MSG &msg, HWND window, UINT filterMin, UINT filterMax) {
  if (window && msg.hwnd != window) {
    return false;
  }
  if (filterMin == 0 && filterMax == 0) {
    return true;
  }
  return msg.message >= filterMin && msg.message <= filterMax;
}

std::deque<MSG>::iterator FindMatch(HWND window, UINT filterMin, UINT filterMax) {
  for (auto msg = queue.begin(); msg != queue.end(); ++msg) {
    if (Matches(*msg, window, filterMin, filterMax)) {
      return msg;
    }
  }
  return queue.end();
}

// Moves the timeline's messages due before the next frame pass to the queue,
// addressed to the window current at that moment.
void PostDueMessages() {
  auto due = timeline.upper_bound(framePasses + 1);
  for (auto entry = timeline.begin(); entry != due; ++entry) {
    queue.push_back(entry->second);
    queue.back().hwnd = CurrentWindowHandle();
  }
  timeline.erase(timeline.begin(), due);
}

// The character a key-down produces without modifiers, or 0.
WPARAM CharacterFor(WPARAM key) {
  if (key >= 'A' && key <= 'Z') {
    return key - 'A' + 'a';
  }
  if ((key >= '0' && key <= '9') || key == VK_SPACE || key == VK_RETURN || key == VK_ESCAPE ||
      key == VK_BACK) {
    return key;
  }
  return 0;
}

std::string MessageText(const MSG *msg) {
  if (!msg) {
    return "NULL";
  }
  return "{" +
         headless::backend::Join({headless::backend::HandleText(msg->hwnd),
                                  headless::backend::Hex(msg->message),
                                  headless::backend::Hex(msg->wParam),
                                  headless::backend::Hex(static_cast<ULONG_PTR>(msg->lParam))}) +
         "}";
}

} // namespace

namespace headless {

void PostMessageToQueue(UINT message, WPARAM wParam, LPARAM lParam) {
  queue.push_back(MakeMessage(CurrentWindowHandle(), message, wParam, lParam));
}

void PostBeforeFrame(int frame, UINT message, WPARAM wParam, LPARAM lParam) {
  timeline.emplace(frame, MakeMessage(nullptr, message, wParam, lParam));
}

int FramePasses() { return framePasses; }

void SetFramePassLimit(int limit) { framePassLimit = limit; }

LRESULT SendToWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  return backend::SendMessageTo(CurrentWindowHandle(), message, wParam, lParam);
}

namespace backend {

LRESULT SendMessageTo(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *window = LookUpWindow(handle);
  if (!window) {
    return 0;
  }
  return window->procedure(handle, message, wParam, lParam);
}

void ResetEvents() {
  queue.clear();
  timeline.clear();
  framePasses = 0;
  framePassLimit = kDefaultFramePassLimit;
}

} // namespace backend

} // namespace headless

using namespace headless::backend;

BOOL WINAPI PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (platform::CallFails("PeekMessageA",
                          Join({msg ? "non-null" : "NULL", HandleText(window), Hex(filterMin),
                                Hex(filterMax), Hex(removeFlags)}))) {
    return FALSE;
  }
  if (!msg) {
    return FALSE;
  }
  auto found = FindMatch(window, filterMin, filterMax);
  if (found == queue.end()) {
    PostDueMessages();
    found = FindMatch(window, filterMin, filterMax);
  }
  if (found == queue.end()) {
    ++framePasses;
    if (framePasses == framePassLimit) {
      queue.push_back(MakeMessage(nullptr, WM_QUIT, kFramePassLimitExitCode, 0));
    }
    return FALSE;
  }
  *msg = *found;
  if (removeFlags & PM_REMOVE) {
    queue.erase(found);
  }
  return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG *msg) {
  if (platform::CallFails("TranslateMessage", MessageText(msg))) {
    return FALSE;
  }
  if (!msg) {
    return FALSE;
  }
  switch (msg->message) {
  case WM_KEYDOWN: {
    // The character comes next, ahead of anything posted after the key.
    WPARAM character = CharacterFor(msg->wParam);
    if (character) {
      queue.push_front(MakeMessage(msg->hwnd, WM_CHAR, character, msg->lParam));
    }
    return TRUE;
  }
  case WM_KEYUP:
  case WM_SYSKEYDOWN:
  case WM_SYSKEYUP:
    return TRUE;
  default:
    return FALSE;
  }
}

LRESULT WINAPI DispatchMessageA(const MSG *msg) {
  if (platform::CallFails("DispatchMessageA", MessageText(msg))) {
    return 0;
  }
  if (!msg) {
    return 0;
  }
  HWND target = msg->hwnd ? msg->hwnd : CurrentWindowHandle();
  return SendMessageTo(target, msg->message, msg->wParam, msg->lParam);
}

void WINAPI PostQuitMessage(int exitCode) {
  if (platform::CallFails("PostQuitMessage", std::to_string(exitCode))) {
    return;
  }
  queue.push_back(MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0));
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (platform::CallFails("DefWindowProcA", Join({HandleText(window), Hex(message), Hex(wParam),
                                                  Hex(static_cast<ULONG_PTR>(lParam))}))) {
    return 0;
  }
  switch (message) {
  case WM_CLOSE:
    DestroyWindow(window);
    return 0;
  case WM_SYSCOMMAND:
    // The low four bits of a system command are used by the system.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
      SendMessageTo(window, WM_CLOSE, 0, 0);
    }
    return 0;
  case WM_SYSKEYDOWN:
    if (wParam == VK_F4) {
      SendMessageTo(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
  default:
    return 0;
  }
}
