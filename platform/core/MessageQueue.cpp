// The message queue: posting, PeekMessageA with its filters, TranslateMessage,
// DispatchMessageA, PostQuitMessage, and the timeline through which tests feed
// messages frame pass by frame pass.
#include "core/Core.h"
#include "core/KeyCharacters.h"
#include "core/PlatformControl.h"
#include "hook/CallArguments.h"

#include <deque>

namespace platform::core {

namespace {

const WPARAM kFramePassLimitExitCode = 0xDEAD;

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP;
}

bool Matches(const MSG &msg, HWND window, UINT filterMin, UINT filterMax) {
  if (window && msg.hwnd != window)
    return false;
  return (filterMin == 0 && filterMax == 0) ||
         (msg.message >= filterMin && msg.message <= filterMax);
}

std::deque<QueuedMessage>::iterator FindMatch(std::deque<QueuedMessage> &queue, HWND window,
                                              UINT filterMin, UINT filterMax) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (Matches(it->msg, window, filterMin, filterMax))
      return it;
  }
  return queue.end();
}

HWND NewestWindow() {
  const auto &windows = LiveWindows();
  return windows.empty() ? nullptr : windows.back()->handle;
}

// Moves the timeline's messages due before the next frame pass to the queue,
// addressed to the window newest at that moment.
void PostDueMessages() {
  if (state.queue.timeline.empty())
    return;
  auto due = state.queue.timeline.upper_bound(state.queue.framePasses + 1);
  for (auto entry = state.queue.timeline.begin(); entry != due; ++entry) {
    const MSG &msg = entry->second;
    Post(NewestWindow(), msg.message, msg.wParam, msg.lParam);
  }
  state.queue.timeline.erase(state.queue.timeline.begin(), due);
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time) {
  MSG msg = {};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = time;
  return msg;
}

} // namespace

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *window = LookUpWindow(handle);
  return window ? window->procedure(handle, message, wParam, lParam) : 0;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time) {
  state.queue.posted.push_back({MakeMessage(window, message, wParam, lParam, time), 0});
}

void PostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time,
               unsigned modifiers) {
  state.queue.input.push_back({MakeMessage(window, message, wParam, lParam, time), modifiers});
}

void PostQuit(WPARAM exitCode) {
  state.queue.quitPending = true;
  state.queue.quitCode = exitCode;
}

// Destroying a window flushes its messages from the queue; the quit stays.
void DiscardMessagesOf(HWND window) {
  for (std::deque<QueuedMessage> *queue : {&state.queue.posted, &state.queue.input}) {
    for (auto it = queue->begin(); it != queue->end();) {
      if (it->msg.hwnd == window)
        it = queue->erase(it);
      else
        ++it;
    }
  }
}

} // namespace platform::core

namespace platform::control {

void PostMessageToQueue(UINT message, WPARAM wParam, LPARAM lParam) {
  core::Post(core::NewestWindow(), message, wParam, lParam);
}

void PostBeforeFrame(int frame, UINT message, WPARAM wParam, LPARAM lParam) {
  core::state.queue.timeline.emplace(frame, core::MakeMessage(nullptr, message, wParam, lParam, 0));
}

int FramePasses() { return core::state.queue.framePasses; }

void SetFramePassLimit(int limit) { core::state.queue.framePassLimit = limit; }

void SetFramePassHook(void (*hook)(int frame)) { core::state.queue.framePassHook = hook; }

LRESULT SendToWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  return core::Send(core::NewestWindow(), message, wParam, lParam);
}

} // namespace platform::control

using namespace platform::core;
using platform::Hex;

namespace {

// The next message in Windows' order: posted messages, then the quit, then
// input. WM_QUIT belongs to no window and is taken whatever the filters.
bool TakeNext(MSG *msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
  auto found = FindMatch(state.queue.posted, window, filterMin, filterMax);
  std::deque<QueuedMessage> *queue = &state.queue.posted;
  if (found == state.queue.posted.end() && state.queue.quitPending) {
    *msg = MakeMessage(nullptr, WM_QUIT, state.queue.quitCode, 0, 0);
    if (remove)
      state.queue.quitPending = false;
    return true;
  }
  if (found == state.queue.posted.end()) {
    found = FindMatch(state.queue.input, window, filterMin, filterMax);
    queue = &state.queue.input;
  }
  if (found == queue->end())
    return false;
  *msg = found->msg;
  if (remove) {
    if (IsKeyMessage(msg->message))
      state.queue.currentModifiers = found->modifiers;
    queue->erase(found);
  }
  return true;
}

} // namespace

BOOL WINAPI PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (platform::CallFails("PeekMessageA", platform::CallArguments(
                                              static_cast<const void *>(msg), window,
                                              Hex{filterMin}, Hex{filterMax}, Hex{removeFlags})))
    return FALSE;
  if (!msg)
    return FALSE;
  if (activeBackend.pumpEvents)
    activeBackend.pumpEvents();
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  if (TakeNext(msg, window, filterMin, filterMax, remove))
    return TRUE;
  if (state.queue.framePassHook)
    state.queue.framePassHook(state.queue.framePasses + 1);
  PostDueMessages();
  if (TakeNext(msg, window, filterMin, filterMax, remove))
    return TRUE;
  if (++state.queue.framePasses == state.queue.framePassLimit)
    PostQuit(kFramePassLimitExitCode);
  return FALSE;
}

// Key-downs type characters: WM_CHAR, or WM_SYSCHAR for a system key (one
// typed with Alt). The character is posted: it comes after the messages
// already posted, and before any input, the key's release among it.
BOOL WINAPI TranslateMessage(const MSG *msg) {
  if (platform::CallFails("TranslateMessage", platform::CallArguments(msg)))
    return FALSE;
  if (!msg || !IsKeyMessage(msg->message))
    return FALSE;
  if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
    const int character = CharacterOf(static_cast<int>(msg->wParam), state.queue.currentModifiers);
    if (character != 0) {
      MSG charMsg = *msg;
      charMsg.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
      charMsg.wParam = static_cast<WPARAM>(character);
      state.queue.posted.push_back({charMsg, state.queue.currentModifiers});
    }
  }
  return TRUE;
}

// A message for no window is dispatched to none.
LRESULT WINAPI DispatchMessageA(const MSG *msg) {
  if (platform::CallFails("DispatchMessageA", platform::CallArguments(msg)))
    return 0;
  return msg ? Send(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

void WINAPI PostQuitMessage(int exitCode) {
  if (platform::CallFails("PostQuitMessage", platform::CallArguments(exitCode)))
    return;
  PostQuit(static_cast<WPARAM>(exitCode));
}
