// One fuzz input is one whole run of the program: WinMain on the headless
// backend, fed the decoded sequence (ProgramSequence.h) through the platform's
// controls and the native events a backend reports. After the run the target
// checks what any run must end with: a status the shell sees as given, no display
// mode and no hidden cursor left behind, and nothing held (window, contexts,
// class, files, mappings, views, memory, GDI objects) unless the run ended in a
// failed window creation, which leaves the window system's objects to the
// process exit, or a release that was made to fail kept its own object. Any
// other outcome aborts with the sequence and what was found.
#include "ProgramFuzzTarget.h"
#include "ProgramSequence.h"

#include <windows.h>

#include <Backend.h>
#include <ExitStatus.h>
#include <PlatformControl.h>

#include "AppState.h"
#include "ScratchDirectory.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

namespace core = platform::core;

// The status of a run stopped by the platform's frame-pass limit.
const int kFramePassLimitStatus = 0xDEAD;

const ProgramSequence *running = nullptr;
size_t nextEvent = 0;
std::string lastRun;

void *WindowSurface() { return control::SurfaceOf(appState.windowHandle); }

void Apply(const ProgramEvent &event) {
  switch (event.kind) {
  case EventKind::KeyDown:
  case EventKind::KeyUp:
    core::OnKey(event.toFocusedWindow ? nullptr : WindowSurface(), event.kind == EventKind::KeyDown,
                event.key, event.repeat, event.extended, event.modifiers, 0);
    break;
  case EventKind::FocusGained:
  case EventKind::FocusLost:
    core::OnFocus(WindowSurface(), event.kind == EventKind::FocusGained, 0);
    break;
  case EventKind::Minimise:
    core::OnMinimised(WindowSurface(), 0);
    break;
  case EventKind::Restore:
    core::OnRestored(WindowSurface(), 0);
    break;
  case EventKind::Resize:
    core::OnResized(WindowSurface(), event.width, event.height, 0);
    break;
  case EventKind::Close:
    core::OnClose(WindowSurface(), 0);
    break;
  case EventKind::QuitRequest:
    core::OnQuitRequest(0);
    break;
  case EventKind::SentMessage:
    // The system sends these: they reach the window procedure at once,
    // inside PeekMessageA, and never the loop's message record.
    control::SendToWindow(event.message, event.wParam, 0);
    break;
  case EventKind::Answer:
    control::QueueMessageBoxAnswer(event.answer);
    break;
  case EventKind::DisplayModes:
    control::SetDisplayModeAvailable(event.modesOffered);
    break;
  case EventKind::FailCall:
    control::FailCall(event.call, event.nth);
    break;
  }
}

// The frame-pass hook: everything due up to this pass, once.
void ApplyDue(int pass) {
  while (nextEvent < running->events.size() && running->events[nextEvent].pass <= pass)
    Apply(running->events[nextEvent++]);
}

struct Outcome {
  int status;
  bool creationFailed; // a window handle is still set: creation failed last
  control::LiveResources live;
  bool displayChanged;
  int cursorCounter;
  std::set<std::string> failed; // the calls made to fail
  bool restoreFailed;           // ChangeDisplaySettingsA(NULL, 0) made to fail
};

std::string OutcomeText(const Outcome &outcome) {
  const control::LiveResources &live = outcome.live;
  std::string text =
      "status " + std::to_string(outcome.status) +
      (outcome.creationFailed ? ", creation failed" : "") + "\nheld: windows " +
      std::to_string(live.windows) + ", DCs " + std::to_string(live.deviceContexts) +
      ", GL contexts " + std::to_string(live.renderingContexts) + ", classes " +
      std::to_string(live.registeredClasses) + ", files " + std::to_string(live.fileHandles) +
      ", mappings " + std::to_string(live.mappings) + ", views " + std::to_string(live.views) +
      ", local blocks " + std::to_string(live.localBlocks) + ", memory DCs " +
      std::to_string(live.memoryDCs) + ", sections " + std::to_string(live.sections) +
      "\ndisplay mode " + (outcome.displayChanged ? "changed" : "restored") + ", cursor counter " +
      std::to_string(outcome.cursorCounter) + "\nmade to fail:";
  for (const std::string &name : outcome.failed)
    text += " " + name;
  text += "\nboxes:";
  for (const control::MessageBoxShown &box : control::MessageBoxesShown())
    text += "\n  " + box.title + ": " + box.text;
  return text;
}

void Check(bool condition, const char *what, const Outcome &outcome) {
  if (condition)
    return;
  std::fprintf(stderr, "program fault: %s\n%s\nsequence:\n%s", what, OutcomeText(outcome).c_str(),
               DescribeProgramSequence(*running).c_str());
  std::abort();
}

// The three texture files, small and valid, in a directory of the fuzzer's
// own for as long as it runs. The program runs in it; between runs the
// fuzzer works where it was started, where its inputs' paths lead.
const std::string &TextureDirectory() {
  static const std::string started = std::filesystem::current_path().string();
  static ScratchDirectory directory;
  if (!directory.ok() || chdir(started.c_str()) != 0) {
    std::fprintf(stderr, "cannot make the working directory with the textures\n");
    std::abort();
  }
  return directory.path();
}

Outcome Run(const ProgramSequence &sequence) {
  const std::string started = std::filesystem::current_path().string();
  if (chdir(TextureDirectory().c_str()) != 0)
    std::abort();
  control::Reset();
  control::SetRealSleep(false);
  // The record a fresh process starts with.
  appState = AppState();
  running = &sequence;
  nextEvent = 0;
  ApplyDue(0);
  control::SetFramePassHook(ApplyDue);
  // The ending's Escape needs one frame pass after its last event.
  control::SetFramePassLimit(sequence.lastPass + 2);

  Outcome outcome = {};
  outcome.status = WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
  control::SetFramePassHook(nullptr);
  if (chdir(started.c_str()) != 0)
    std::abort();
  outcome.creationFailed = appState.instanceHandle || appState.windowHandle ||
                           appState.deviceContext || appState.renderingContext;
  outcome.live = control::Live();
  outcome.displayChanged = control::DisplayModeChanged();
  outcome.cursorCounter = control::CursorCounter();
  for (const control::PlatformCall &call : control::CallLog()) {
    if (!call.failed)
      continue;
    outcome.failed.insert(call.name);
    if (call.name == "ChangeDisplaySettingsA" && call.arguments.rfind("NULL", 0) == 0)
      outcome.restoreFailed = true;
  }
  return outcome;
}

bool Failed(const Outcome &outcome, const char *name) { return outcome.failed.count(name) != 0; }

void CheckHeld(const Outcome &outcome) {
  const control::LiveResources &live = outcome.live;
  // A failed creation leaves what it made until the process ends; the
  // platform takes it back then, as Reset does here.
  if (!outcome.creationFailed) {
    Check(live.windows == 0 || Failed(outcome, "DestroyWindow"), "a window is left", outcome);
    Check(live.registeredClasses == 0 || Failed(outcome, "DestroyWindow") ||
              Failed(outcome, "UnregisterClassA"),
          "the window class is left", outcome);
    Check(live.deviceContexts == 0 || Failed(outcome, "ReleaseDC"), "a device context is left",
          outcome);
    Check(live.renderingContexts == 0 || Failed(outcome, "wglDeleteContext"),
          "a rendering context is left", outcome);
    Check(!outcome.displayChanged || outcome.restoreFailed, "the display mode is not restored",
          outcome);
    Check(outcome.cursorCounter == 0 || Failed(outcome, "ShowCursor"),
          "the cursor is left hidden or shown twice", outcome);
  }
  // The loader releases what it obtained whatever happens, except an object
  // whose own release failed (and a section still selected into a device
  // context that could not go).
  Check((live.fileHandles == 0 && live.mappings == 0) || Failed(outcome, "CloseHandle"),
        "a file or mapping handle is left", outcome);
  Check(live.views == 0 || Failed(outcome, "UnmapViewOfFile"), "a mapped view is left", outcome);
  Check(live.localBlocks == 0 || Failed(outcome, "LocalFree"), "a local block is left", outcome);
  Check(live.memoryDCs == 0 || Failed(outcome, "DeleteDC"), "a memory device context is left",
        outcome);
  Check(live.sections == 0 || Failed(outcome, "DeleteDC") || Failed(outcome, "DeleteObject"),
        "a DIB section is left", outcome);
}

bool IsBox(const control::MessageBoxShown &box, const char *title, const char *text) {
  return box.title == title && box.text == text;
}

const char kFallBackQuestion[] =
    "Nepodarilo se prejit do celoobrazovkoveho\nrezimu. Pouzit okenni mod?";
const char kEndNotice[] = "Program bude nyni ukoncen.";

// Without a failed call the only boxes are the start question, the fall-back
// question and, after a refused fall-back, the notice that the program ends,
// which is the run's last box and its end, with status 1.
void CheckBoxes(const Outcome &outcome) {
  const std::vector<control::MessageBoxShown> &boxes = control::MessageBoxesShown();
  if (!outcome.failed.empty())
    return;
  Check(!boxes.empty() && IsBox(boxes[0], "Cela obrazovka?", "Prejete si celoobrazovkovy rezim?"),
        "the start question was not asked first", outcome);
  for (size_t i = 1; i < boxes.size(); ++i) {
    const bool question = IsBox(boxes[i], "Okenni mod?", kFallBackQuestion);
    const bool notice = IsBox(boxes[i], "CHYBA", kEndNotice) &&
                        IsBox(boxes[i - 1], "Okenni mod?", kFallBackQuestion) &&
                        i + 1 == boxes.size();
    Check(question || notice, "an unexpected message box", outcome);
  }
  const bool ended = boxes.size() > 1 && IsBox(boxes.back(), "CHYBA", kEndNotice);
  Check(outcome.creationFailed == ended, "a creation failed without its notice, or the reverse",
        outcome);
  Check(!ended || outcome.status == 1, "a refused fall-back did not end with 1", outcome);
}

// What the process exit would take back, taken back here so that the next run
// starts from nothing: the window system's objects through Reset, and each of
// the loader's objects whose release was made to fail by releasing it again
// (a section only goes with its device context).
void ReleaseEverything() {
  const std::vector<control::PlatformCall> calls = control::CallLog();
  // Failures still waiting must not hit the releases made here.
  control::Reset();
  for (const char *name :
       {"DeleteDC", "DeleteObject", "UnmapViewOfFile", "CloseHandle", "LocalFree"}) {
    for (const control::PlatformCall &call : calls) {
      if (call.name != name || (!call.failed && call.name != "DeleteObject"))
        continue;
      void *object = reinterpret_cast<void *>(std::strtoull(call.arguments.c_str(), nullptr, 16));
      if (call.name == "DeleteDC")
        DeleteDC(static_cast<HDC>(object));
      else if (call.name == "DeleteObject")
        DeleteObject(object);
      else if (call.name == "UnmapViewOfFile")
        UnmapViewOfFile(object);
      else if (call.name == "CloseHandle")
        CloseHandle(object);
      else
        LocalFree(object);
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const ProgramSequence sequence = DecodeProgramSequence(data, size);
  const Outcome outcome = Run(sequence);
  lastRun = OutcomeText(outcome);

  Check(outcome.status != kFramePassLimitStatus, "the run did not end", outcome);
  // The status as the desktop program's entry gives it to the process exit,
  // and as the shell then sees it: the program's own when it fits, and never
  // that of a closed window or a failed start when it does not.
  const int shellStatus = platform::ProcessExitStatus(outcome.status) & 0xFF;
  Check(outcome.status >= 0 && outcome.status <= 255 ? shellStatus == outcome.status
                                                     : shellStatus != 0 && shellStatus != 1,
        "the shell would see another status", outcome);
  Check(!outcome.creationFailed || outcome.status == 1,
        "a window is left after a run that did not fail", outcome);
  CheckHeld(outcome);
  CheckBoxes(outcome);

  ReleaseEverything();
  const control::LiveResources live = control::Live();
  Check(live.fileHandles + live.mappings + live.views + live.localBlocks + live.memoryDCs +
                live.sections ==
            0,
        "the loader's objects could not be taken back after the run", outcome);
  running = nullptr;
  return 0;
}

std::string LastRunText() { return lastRun; }
