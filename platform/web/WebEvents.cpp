// The page's events reported to the core, which turns them into window
// messages. The browser delivers them while the program waits (in SwapBuffers
// or Sleep); they are kept until the program next looks at its queue, so that
// no window procedure runs in the middle of a frame.
//
// Implements: pumpEvents (keys, the page's focus as activation, a hidden page
// as minimised and a shown one as restored, the page's close control, its
// key controls for touch screens, and the loss of fullscreen). Once the
// program has ended the page's keys are the page's own again.
#include "web/WebBackend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <deque>
#include <vector>

namespace platform::web {

namespace {

enum class Kind { Key, Focus, Hidden, Shown, Close, ModeLost };

struct PageEvent {
  Kind kind;
  bool down; // a key went down; the page gained focus
  int virtualKey;
  bool repeat;
  bool extended;
  unsigned modifiers;
  bool fromControl; // pressed with one of the page's key controls
  DWORD time;
};

std::deque<PageEvent> pending;
std::vector<int> heldByControls; // keys a control pressed, let go after a frame
bool listening = false;

PageEvent Event(Kind kind, bool down = false) {
  return {kind, down, 0, false, false, 0, false, static_cast<DWORD>(emscripten_get_now())};
}

PageEvent ControlKey(int virtualKey, bool down) {
  PageEvent event = Event(Kind::Key, down);
  event.virtualKey = virtualKey;
  event.fromControl = true;
  return event;
}

EM_JS(void, TellPageModeLost, (), {
  if (Module.onQuellorFullscreenLost)
    Module.onQuellorFullscreenLost();
});

// The browser keeps these keys whatever the page does with them.
bool BrowserKeepsKey(const EmscriptenKeyboardEvent &key) {
  return key.ctrlKey || key.metaKey || key.keyCode == 116 /* F5 */ ||
         key.keyCode == 122 /* F11 */ || key.keyCode == 123 /* F12 */;
}

EM_BOOL OnKeyEvent(int type, const EmscriptenKeyboardEvent *key, void *) {
  // A message box has the keys while it is shown, as on the desktop.
  if (BoxShown())
    return EM_FALSE;
  const int virtualKey = VirtualKeyOf(key->keyCode, key->code);
  if (virtualKey == 0)
    return EM_FALSE;
  PageEvent event = Event(Kind::Key, type == EMSCRIPTEN_EVENT_KEYDOWN);
  event.virtualKey = virtualKey;
  event.repeat = key->repeat != 0;
  event.extended = IsExtendedKey(key->code);
  event.modifiers = (key->shiftKey ? core::kShift : 0u) | (key->ctrlKey ? core::kControl : 0u) |
                    (key->altKey ? core::kAlt : 0u);
  pending.push_back(event);
  // Space would scroll the page and F1 open the browser's help.
  return BrowserKeepsKey(*key) ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnFocusEvent(int type, const EmscriptenFocusEvent *, void *) {
  pending.push_back(Event(Kind::Focus, type == EMSCRIPTEN_EVENT_FOCUS));
  return EM_FALSE;
}

EM_BOOL OnVisibilityChange(int, const EmscriptenVisibilityChangeEvent *visibility, void *) {
  pending.push_back(Event(visibility->hidden ? Kind::Hidden : Kind::Shown));
  return EM_FALSE;
}

void Report(const PageEvent &event, void *surface) {
  switch (event.kind) {
  case Kind::Key:
    core::OnKey(surface, event.down, event.virtualKey, event.repeat, event.extended,
                event.modifiers, event.time);
    break;
  case Kind::Focus:
    core::OnFocus(surface, event.down, event.time);
    break;
  case Kind::Hidden:
    core::OnMinimised(surface, event.time);
    break;
  case Kind::Shown:
    core::OnRestored(surface, event.time);
    break;
  case Kind::Close:
    core::OnClose(surface, event.time);
    break;
  case Kind::ModeLost:
    // F1 is the program's way out of fullscreen: taking it brings the
    // program's window, cursor and mode flag to the windowed state the
    // browser has already put the page in.
    core::OnKey(surface, true, VK_F1, false, false, 0, event.time);
    TellPageModeLost();
    break;
  }
}

// The page's listeners, each set with its callback or, given false, removed:
// one list, so that what is removed is what was set.
const char *const kWindow = EMSCRIPTEN_EVENT_TARGET_WINDOW;
void (*const kListeners[])(bool) = {
    [](bool on) {
      emscripten_set_keydown_callback(kWindow, nullptr, EM_TRUE, on ? OnKeyEvent : nullptr);
    },
    [](bool on) {
      emscripten_set_keyup_callback(kWindow, nullptr, EM_TRUE, on ? OnKeyEvent : nullptr);
    },
    [](bool on) {
      emscripten_set_focus_callback(kWindow, nullptr, EM_TRUE, on ? OnFocusEvent : nullptr);
    },
    [](bool on) {
      emscripten_set_blur_callback(kWindow, nullptr, EM_TRUE, on ? OnFocusEvent : nullptr);
    },
    [](bool on) {
      emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, on ? OnVisibilityChange : nullptr);
    },
};

void SetListeners(bool on) {
  for (auto listen : kListeners)
    listen(on);
}

} // namespace

void ListenForEvents() {
  if (listening)
    return;
  listening = true;
  SetListeners(true);
  ListenForDisplayChanges();
}

// The listeners are removed: the page's keys (Tab, Space, the arrows) are no
// longer taken from it, and nothing is kept for a program that has ended.
void StopListening() {
  if (!listening)
    return;
  listening = false;
  SetListeners(false);
  pending.clear();
  heldByControls.clear();
}

// Events that come while no window has the canvas have nobody to go to.
void PumpEvents() {
  while (!pending.empty()) {
    const PageEvent event = pending.front();
    pending.pop_front();
    void *surface = CanvasSurface();
    if (!surface)
      continue;
    Report(event, surface);
    if (event.fromControl && event.down)
      heldByControls.push_back(event.virtualKey);
  }
}

void ReportModeLost() { pending.push_back(Event(Kind::ModeLost)); }

// A key that went down and up before the program's next frame would not be
// seen at all, as on the desktop: a control's key goes up after the frame.
void ReleaseControlKeys() {
  for (int virtualKey : heldByControls)
    pending.push_back(ControlKey(virtualKey, false));
  heldByControls.clear();
}

} // namespace platform::web

// The page's close control, like a window's close button.
extern "C" EMSCRIPTEN_KEEPALIVE void quellor_close() {
  platform::web::pending.push_back(platform::web::Event(platform::web::Kind::Close));
}

// The page's key controls (for touch screens): the key goes down, and up
// once the program has drawn a frame with it.
extern "C" EMSCRIPTEN_KEEPALIVE void quellor_press_key(int virtualKey) {
  if (platform::web::listening)
    platform::web::pending.push_back(platform::web::ControlKey(virtualKey, true));
}
