#include "ProgramSequence.h"

#include <windows.h>

#include <Backend.h>

#include <algorithm>
#include <iterator>
#include <sstream>

namespace {

// The buttons a message box can give, and 0 for a box that could not be
// shown.
const int kAnswers[] = {IDNO, IDYES, IDCANCEL, IDOK, 0};

// Every platform function the program calls, window system and loader alike.
const char *const kCalls[] = {
    "MessageBoxA",
    "GetModuleHandleA",
    "LoadIconA",
    "LoadCursorA",
    "RegisterClassA",
    "ChangeDisplaySettingsA",
    "ShowCursor",
    "AdjustWindowRectEx",
    "CreateWindowExA",
    "GetDC",
    "ChoosePixelFormat",
    "DescribePixelFormat",
    "SetPixelFormat",
    "wglCreateContext",
    "wglMakeCurrent",
    "ShowWindow",
    "SetForegroundWindow",
    "SetFocus",
    "GetFocus",
    "wglDeleteContext",
    "ReleaseDC",
    "DestroyWindow",
    "UnregisterClassA",
    "PeekMessageA",
    "TranslateMessage",
    "DispatchMessageA",
    "DefWindowProcA",
    "PostQuitMessage",
    "SwapBuffers",
    "Sleep",
    "GetFileAttributesA",
    "CreateFileA",
    "GetFileSizeEx",
    "CreateFileMappingA",
    "MapViewOfFile",
    "UnmapViewOfFile",
    "CloseHandle",
    "GlobalMemoryStatusEx",
    "LocalAlloc",
    "LocalFree",
    "CreateCompatibleDC",
    "CreateDIBSection",
    "SelectObject",
    "SetDIBits",
    "GdiFlush",
    "DeleteObject",
    "DeleteDC",
    "wsprintfA",
};

// Messages the system sends the window besides the native events.
struct Message {
  UINT message;
  WPARAM wParam;
};
const Message kMessages[] = {
    {WM_SYSCOMMAND, SC_SCREENSAVE}, {WM_SYSCOMMAND, SC_MONITORPOWER},   {WM_SYSCOMMAND, SC_CLOSE},
    {WM_SYSCOMMAND, SC_CLOSE + 3},  {WM_SYSCOMMAND, SC_SCREENSAVE + 1}, {WM_KILLFOCUS, 0},
};

// The ending: closes, Escape and a quit request on consecutive passes, more
// of them than the failures that could swallow one.
const EventKind kEnding[] = {EventKind::Close,       EventKind::KeyDown, EventKind::QuitRequest,
                             EventKind::Close,       EventKind::KeyDown, EventKind::Close,
                             EventKind::QuitRequest, EventKind::Close};
static_assert(std::size(kEnding) > kMostFailures, "the ending must outlast the failures");

template <typename T, size_t N> const T &Pick(const T (&table)[N], uint8_t byte) {
  return table[byte % N];
}

// Reads the input byte by byte; past its end every byte is 0.
class Reader {
public:
  Reader(const uint8_t *data, size_t size) : data_(data), size_(size) {}
  bool done() const { return at_ >= size_; }
  uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

private:
  const uint8_t *data_;
  size_t size_;
  size_t at_ = 0;
};

// A key's byte: the low two bits choose Escape, space, F1 or any code (the
// next byte); the others carry the flags.
void DecodeKey(Reader *reader, ProgramEvent *event) {
  const uint8_t bits = reader->next();
  const int keys[] = {VK_ESCAPE, VK_SPACE, VK_F1};
  event->key = (bits & 3) < 3 ? keys[bits & 3] : reader->next();
  event->repeat = event->kind == EventKind::KeyDown && (bits & 4);
  event->modifiers = 0;
  if (bits & 8)
    event->modifiers |= platform::core::kAlt;
  if (bits & 16)
    event->modifiers |= platform::core::kControl;
  if (bits & 32)
    event->modifiers |= platform::core::kShift;
  event->extended = bits & 64;
  event->toFocusedWindow = bits & 128;
}

// The event kinds' names, in the kinds' order.
const char *const kKindNames[] = {
    "key down",          "key up",        "focus gained", "focus lost",   "minimise",
    "restore",           "resize",        "close",        "quit request", "message sent",
    "next box answered", "display modes", "fail"};
static_assert(sizeof kKindNames / sizeof *kKindNames ==
                  static_cast<size_t>(EventKind::FailCall) + 1,
              "a name for every event kind");

} // namespace

// The first byte answers the start question. Then each byte is an operation,
// followed by its arguments: wait 1 to 32 passes, key down, key up, focus
// gained, focus lost, minimise, restore, resize, close, quit request, message
// sent, answer for the next box, display modes offered or refused, a call
// made to fail. Native events before the first wait come before the first
// frame pass; answers, display modes and failures before it come before the
// program starts.
ProgramSequence DecodeProgramSequence(const uint8_t *data, size_t size) {
  Reader reader(data, size);
  ProgramSequence sequence;
  std::vector<ProgramEvent> &events = sequence.events;
  ProgramEvent start = {0, EventKind::Answer};
  start.answer = Pick(kAnswers, reader.next());
  events.push_back(start);

  int pass = 0;
  int failures = 0;
  while (!reader.done()) {
    const uint8_t operation = reader.next() % 14;
    if (operation == 0) {
      pass += 1 + reader.next() % 32;
      if (pass > kLastEventPass)
        break;
      continue;
    }
    // Operations 1 to 13 are the event kinds in their order.
    ProgramEvent event = {std::max(pass, 1), static_cast<EventKind>(operation - 1)};
    switch (event.kind) {
    case EventKind::KeyDown:
    case EventKind::KeyUp:
      DecodeKey(&reader, &event);
      break;
    case EventKind::Resize:
      event.width = reader.next() * 4;
      event.height = reader.next() * 4;
      break;
    case EventKind::SentMessage: {
      const Message &message = Pick(kMessages, reader.next());
      event.message = message.message;
      event.wParam = message.wParam;
      break;
    }
    case EventKind::Answer:
      event.pass = pass;
      event.answer = Pick(kAnswers, reader.next());
      break;
    case EventKind::DisplayModes:
      event.pass = pass;
      event.modesOffered = reader.next() & 1;
      break;
    case EventKind::FailCall:
      event.pass = pass;
      event.call = Pick(kCalls, reader.next());
      event.nth = 1 + reader.next() % 16;
      if (++failures > kMostFailures)
        continue;
      break;
    default:
      break;
    }
    events.push_back(event);
  }

  // Native events read before the first wait come at pass 1, after answers,
  // display modes and failures read later at pass 0.
  std::stable_sort(events.begin(), events.end(),
                   [](const ProgramEvent &a, const ProgramEvent &b) { return a.pass < b.pass; });

  int endPass = std::min(std::max(pass, 1), kLastEventPass);
  for (EventKind kind : kEnding) {
    ProgramEvent event = {++endPass, kind};
    event.key = VK_ESCAPE;
    events.push_back(event);
  }
  sequence.lastPass = endPass;
  return sequence;
}

std::string DescribeProgramSequence(const ProgramSequence &sequence) {
  std::ostringstream text;
  for (const ProgramEvent &event : sequence.events) {
    text << "pass " << event.pass << ": " << kKindNames[static_cast<int>(event.kind)];
    switch (event.kind) {
    case EventKind::KeyDown:
    case EventKind::KeyUp:
      text << " " << event.key << (event.repeat ? " repeat" : "")
           << (event.modifiers & platform::core::kAlt ? " alt" : "")
           << (event.modifiers & platform::core::kControl ? " ctrl" : "")
           << (event.modifiers & platform::core::kShift ? " shift" : "")
           << (event.extended ? " extended" : "")
           << (event.toFocusedWindow ? " (to the focused window)" : "");
      break;
    case EventKind::Resize:
      text << " " << event.width << "x" << event.height;
      break;
    case EventKind::SentMessage:
      text << " 0x" << std::hex << event.message << " 0x" << event.wParam << std::dec;
      break;
    case EventKind::Answer:
      text << " " << event.answer;
      break;
    case EventKind::DisplayModes:
      text << (event.modesOffered ? " offered" : " refused");
      break;
    case EventKind::FailCall:
      text << " " << event.call << " #" << event.nth;
      break;
    default:
      break;
    }
    text << "\n";
  }
  return text.str();
}
