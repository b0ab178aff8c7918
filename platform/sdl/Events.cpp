// The message queue: SDL's events become the window messages a Win32 window
// procedure expects, in the order they happened.
#include "CallArguments.h"
#include "KeyCodes.h"
#include "PlatformCalls.h"
#include "SdlBackend.h"

#include <deque>

using sdlbackend::WindowRecord;

namespace {

const int kF10 = VK_F1 + 9;

struct QueuedMessage {
  MSG msg;
  Uint16 modifiers; // the keyboard modifiers when a key message happened
};

std::deque<QueuedMessage> queue;
// The modifiers of the key message taken last: TranslateMessage reads them,
// as Windows reads the keyboard state that goes with the messages taken.
Uint16 currentModifiers = 0;

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Uint32 time,
          Uint16 modifiers = 0) {
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = time;
  queue.push_back({msg, modifiers});
}

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP;
}

// lParam of a key message: repeat count 1, the extended-key flag (bit 24), the
// context code (bit 29, Alt held), the previous key state (bit 30) and the
// transition state (bit 31, set on release).
LPARAM KeyParameter(const SDL_KeyboardEvent &key, bool altHeld) {
  DWORD bits = 1;
  if (sdlbackend::IsExtendedKey(key.keysym.scancode))
    bits |= 1u << 24;
  if (altHeld)
    bits |= 1u << 29;
  if (key.type == SDL_KEYUP || key.repeat)
    bits |= 1u << 30;
  if (key.type == SDL_KEYUP)
    bits |= 1u << 31;
  return static_cast<LPARAM>(bits);
}

void PostKey(const SDL_KeyboardEvent &key) {
  // SDL names no window for keys that arrive before it has taken note of the
  // focus (X11 reports a new window's focus late); they belong to the window
  // that has the keyboard focus, as on Windows.
  const WindowRecord *record = sdlbackend::RecordOfSdlWindow(key.windowID);
  if (record == nullptr)
    record = sdlbackend::RecordOf(sdlbackend::FocusedWindow());
  if (record == nullptr)
    return;
  const Uint16 modifiers = key.keysym.mod;
  const int virtualKey = sdlbackend::VirtualKeyOf(key.keysym.sym, key.keysym.scancode, modifiers);
  if (virtualKey == 0)
    return;
  // Keys typed with Alt held (and Alt itself, and F10) are system keys, as
  // on Windows; Ctrl+Alt is AltGr and types ordinary keys.
  const bool altHeld = (modifiers & KMOD_ALT) != 0 && (modifiers & KMOD_CTRL) == 0;
  const bool system = altHeld || virtualKey == VK_MENU || virtualKey == kF10;
  UINT message;
  if (key.type == SDL_KEYDOWN)
    message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
  else
    message = system ? WM_SYSKEYUP : WM_KEYUP;
  Post(sdlbackend::HandleOf(record), message, static_cast<WPARAM>(virtualKey),
       KeyParameter(key, altHeld), key.timestamp, modifiers);
}

void PostActivation(HWND window, bool active, bool minimised, Uint32 time) {
  Post(window, WM_ACTIVATE, MAKEWPARAM(active ? WA_ACTIVE : WA_INACTIVE, minimised ? 1 : 0), 0,
       time);
}

void PostWindowEvent(const SDL_WindowEvent &event) {
  WindowRecord *record = sdlbackend::RecordOfSdlWindow(event.windowID);
  if (record == nullptr)
    return;
  const HWND window = sdlbackend::HandleOf(record);
  switch (event.event) {
  case SDL_WINDOWEVENT_MINIMIZED:
    record->minimised = true;
    PostActivation(window, false, true, event.timestamp);
    Post(window, WM_SIZE, SIZE_MINIMIZED, 0, event.timestamp);
    break;
  case SDL_WINDOWEVENT_RESTORED:
  case SDL_WINDOWEVENT_MAXIMIZED:
    if (record->minimised) {
      record->minimised = false;
      PostActivation(window, true, false, event.timestamp);
      int width = 0;
      int height = 0;
      SDL_GetWindowSize(record->sdlWindow, &width, &height);
      record->clientWidth = width;
      record->clientHeight = height;
      Post(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height), event.timestamp);
    }
    break;
  case SDL_WINDOWEVENT_FOCUS_GAINED:
    sdlbackend::NoteFocus(window, true);
    PostActivation(window, true, record->minimised, event.timestamp);
    break;
  case SDL_WINDOWEVENT_FOCUS_LOST:
    // Losing the focus without being minimised leaves the minimised flag 0.
    sdlbackend::NoteFocus(window, false);
    PostActivation(window, false, record->minimised, event.timestamp);
    break;
  case SDL_WINDOWEVENT_SIZE_CHANGED:
    if (record->minimised ||
        (event.data1 == record->clientWidth && event.data2 == record->clientHeight))
      break;
    record->clientWidth = event.data1;
    record->clientHeight = event.data2;
    Post(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(event.data1, event.data2), event.timestamp);
    break;
  case SDL_WINDOWEVENT_CLOSE:
    Post(window, WM_CLOSE, 0, 0, event.timestamp);
    break;
  default:
    break;
  }
}

// Moves every pending SDL event into the queue.
void PumpEvents() {
  if (!sdlbackend::VideoReady())
    return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      PostKey(event.key);
      break;
    case SDL_WINDOWEVENT:
      PostWindowEvent(event.window);
      break;
    case SDL_QUIT: {
      // SIGINT and SIGTERM arrive as SDL_QUIT: they ask the window to close,
      // like its close button; with no window left the program is told to quit.
      const HWND window = sdlbackend::AnyWindow();
      if (window != nullptr)
        Post(window, WM_CLOSE, 0, 0, event.quit.timestamp);
      else
        Post(nullptr, WM_QUIT, 0, 0, event.quit.timestamp);
      break;
    }
    default:
      break;
    }
  }
}

bool Matches(const MSG &msg, HWND window, UINT filterMin, UINT filterMax) {
  // WM_QUIT is taken whatever the filter, as on Windows.
  if (msg.message == WM_QUIT)
    return true;
  if (window != nullptr && msg.hwnd != window)
    return false;
  if (filterMin == 0 && filterMax == 0)
    return true;
  return msg.message >= filterMin && msg.message <= filterMax;
}

} // namespace

void sdlbackend::PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Post(window, message, wParam, lParam, SDL_GetTicks());
}

void sdlbackend::DiscardMessagesOf(HWND window) {
  for (auto it = queue.begin(); it != queue.end();) {
    if (it->msg.hwnd == window)
      it = queue.erase(it);
    else
      ++it;
  }
}

BOOL WINAPI PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (platform::CallFails("PeekMessageA",
                          platform::CallArguments(window, filterMin, filterMax, removeFlags)))
    return FALSE;
  if (msg == nullptr)
    return FALSE;
  PumpEvents();
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!Matches(it->msg, window, filterMin, filterMax))
      continue;
    *msg = it->msg;
    if (removeFlags & PM_REMOVE) {
      if (IsKeyMessage(msg->message))
        currentModifiers = it->modifiers;
      queue.erase(it);
    }
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG *msg) {
  if (platform::CallFails("TranslateMessage", platform::CallArguments(msg ? msg->message : 0u)))
    return FALSE;
  if (msg == nullptr || !IsKeyMessage(msg->message))
    return FALSE;
  if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
    const int character = sdlbackend::CharacterOf(static_cast<int>(msg->wParam), currentModifiers);
    if (character != 0) {
      // The character comes next, before any later key message.
      MSG charMsg = *msg;
      charMsg.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
      charMsg.wParam = static_cast<WPARAM>(character);
      queue.push_front({charMsg, currentModifiers});
    }
  }
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG *msg) {
  if (platform::CallFails("DispatchMessageA", platform::CallArguments(msg ? msg->hwnd : nullptr,
                                                                      msg ? msg->message : 0u)))
    return 0;
  if (msg == nullptr)
    return 0;
  return sdlbackend::SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void WINAPI PostQuitMessage(int exitCode) {
  if (platform::CallFails("PostQuitMessage", platform::CallArguments(exitCode)))
    return;
  Post(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, SDL_GetTicks());
}
