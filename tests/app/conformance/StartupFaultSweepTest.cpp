// Makes each platform call of a whole run fail in turn: start-up, the frame
// loop, an F1 recreation in the other mode and the final tear-down, starting
// once windowed and once fullscreen. The calls come from a clean run's call
// log, so a call the program starts to make is swept without editing this
// file. For each failure the run must end with the right message (or none)
// and status, and hold nothing it should not.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "ProgramRun.h"
#include "ScratchDirectory.h"

namespace {

enum class Phase { StartCreate, Loop, ToggleDestroy, ToggleCreate, FinalDestroy };

const char *PhaseName(Phase phase) {
  switch (phase) {
  case Phase::StartCreate:
    return "start-up";
  case Phase::Loop:
    return "loop";
  case Phase::ToggleDestroy:
    return "F1 tear-down";
  case Phase::ToggleCreate:
    return "F1 re-creation";
  case Phase::FinalDestroy:
    return "final tear-down";
  }
  return "?";
}

// One call of the clean run, with where it happened.
struct SweepPoint {
  std::string name;
  int nth; // its occurrence among the calls of that name, from 1
  Phase phase;
  bool fullscreen; // the mode of the window being made or torn down
  int texture;     // while the scene loads: which file (0..2), else -1
  int closeInLoad; // CloseHandle within one load: 1 the mapping, 2 the file
  std::string arguments;
};

const std::set<std::string> kTearDownCalls = {
    "ChangeDisplaySettingsA", "ShowCursor",      "wglMakeCurrent", "wglDeleteContext", "ReleaseDC",
    "DestroyWindow",          "UnregisterClassA"};

std::vector<SweepPoint> SweepPoints(const RunOutcome &clean, bool startFullscreen) {
  const std::vector<control::PlatformCall> &calls = clean.calls;
  int firstPeek = -1, lastPeek = -1, toggleCreate = -1;
  for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
    if (calls[i].name == "PeekMessageA") {
      if (firstPeek < 0)
        firstPeek = i;
      lastPeek = i;
    }
    if (calls[i].name == "GetModuleHandleA" && firstPeek >= 0 && toggleCreate < 0)
      toggleCreate = i;
  }
  std::vector<SweepPoint> points;
  std::map<std::string, int> seen;
  Phase phase = Phase::StartCreate;
  int texture = -1, closes = 0;
  for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
    const std::string &name = calls[i].name;
    if (i == firstPeek || (phase == Phase::ToggleCreate && name == "PeekMessageA"))
      phase = Phase::Loop;
    if (phase == Phase::Loop && toggleCreate > i && kTearDownCalls.count(name))
      phase = Phase::ToggleDestroy;
    if (i == toggleCreate)
      phase = Phase::ToggleCreate;
    if (i > lastPeek)
      phase = Phase::FinalDestroy;
    if (phase == Phase::Loop || phase == Phase::ToggleDestroy || phase == Phase::FinalDestroy ||
        i == toggleCreate)
      texture = -1;
    if (name == "CreateFileA") {
      ++texture;
      closes = 0;
    }
    if (name == "CloseHandle")
      ++closes;
    bool early = phase == Phase::StartCreate || phase == Phase::ToggleDestroy;
    points.push_back({name, ++seen[name], phase, early ? startFullscreen : !startFullscreen,
                      texture, name == "CloseHandle" ? closes : 0, calls[i].arguments});
  }
  return points;
}

struct Box {
  std::string text;
  std::string title;
  UINT style;
  bool ownedByWindow; // owned by the program's window rather than by none
};

// What a run must end with.
struct Expected {
  int status = 0;
  std::vector<Box> boxes;
  control::LiveResources live = {};
  bool displayChanged = false;
  int cursorCounter = 0;
};

const UINT kShellError = MB_OK | MB_ICONEXCLAMATION;

// The messages of the creation steps whose failure tears down and reports.
const std::map<std::string, std::string> kCreationStepTexts = {
    {"CreateWindowExA", "Chyba pri vytvareni okna."},
    {"GetDC", "Nelze ziskat kontext zarizeni."},
    {"ChoosePixelFormat", "Nelze najit vyhovujici pixel format."},
    {"SetPixelFormat", "Nelze nastavit pixel format."},
    {"wglCreateContext", "Nelze vytvorit GL kontext."},
    {"wglMakeCurrent", "Nelze aktivovat GL kontext."},
};

// The loader's calls whose failure fails the load, with its text ("" for
// the open-failure text, which names the file).
const std::map<std::string, std::string> kLoaderFailureTexts = {
    {"CreateFileA", ""},
    {"GetFileSizeEx", ""},
    {"ReadFile", ""},
    {"CreateFileMappingA", ""},
    {"MapViewOfFile", ""},
    {"LocalAlloc", "Out of memory."},
    {"CreateCompatibleDC", "Out of memory."},
    {"CreateDIBSection", "Out of memory."},
    {"SelectObject", "Out of memory."},
    {"SetDIBits", "Image file conversion error."},
};

bool Creating(Phase phase) { return phase == Phase::StartCreate || phase == Phase::ToggleCreate; }

// The outcome the program's design gives a failure of this call; returns
// false for a call this table does not know.
bool ExpectedFor(const SweepPoint &point, Expected *expected) {
  const std::string &name = point.name;
  Expected &e = *expected;
  if (name == "MessageBoxA" && point.nth == 1) {
    // A start question that could not be shown counts as no: windowed, and
    // the run goes on.
    return true;
  }
  if (name == "GetModuleHandleA" || name == "RegisterClassA") {
    // Without the program's instance the class could not be unregistered
    // again, so it is not registered at all.
    e.status = 1;
    e.boxes = {{"Nepovedlo se zaregistrovat tridu okna.", "ERROR", kShellError, false}};
    return true;
  }
  if (name == "ChangeDisplaySettingsA" && Creating(point.phase)) {
    // The fall-back question gets the default answer, no.
    e.status = 1;
    e.boxes = {{"Nepodarilo se prejit do celoobrazovkoveho\nrezimu. Pouzit okenni mod?",
                "Okenni mod?", MB_YESNO | MB_ICONEXCLAMATION, false},
               {"Program bude nyni ukoncen.", "CHYBA", MB_OK | MB_ICONSTOP, false}};
    // The class stays registered: this failure returns before the window
    // exists and tears nothing down; the process exit reclaims it.
    e.live.registeredClasses = 1;
    return true;
  }
  if (name == "ChangeDisplaySettingsA") {
    // The restoring call itself failed: nothing else can restore the mode.
    e.displayChanged = true;
    return true;
  }
  if (name == "ShowCursor") {
    // Hiding failed: the later ShowCursor(TRUE) leaves the counter at 1, the
    // cursor shown. Showing failed: the cursor stays hidden.
    e.cursorCounter = Creating(point.phase) ? 1 : -1;
    return true;
  }
  // The default handling's answer to WM_NCCREATE lets the window be made;
  // failing it fails CreateWindowExA, as on Windows.
  const bool windowCreation =
      name == "DefWindowProcA" && point.arguments.find(", 0x81,") != std::string::npos;
  if ((kCreationStepTexts.count(name) || windowCreation) && Creating(point.phase)) {
    e.status = 1;
    e.boxes = {{kCreationStepTexts.at(windowCreation ? "CreateWindowExA" : name), "CHYBA",
                kShellError, false}};
    return true;
  }
  if (name == "wglMakeCurrent") {
    // Deleting the context makes it not current anyway.
    return true;
  }
  if (name == "wglDeleteContext") {
    e.live.renderingContexts = 1;
    return true;
  }
  if (name == "ReleaseDC") {
    // The device context goes with its window all the same.
    return true;
  }
  if (name == "DestroyWindow" || name == "UnregisterClassA") {
    // A class cannot go while a window of it exists; a class still
    // registered at F1 makes the re-creation fail its registration.
    e.live.registeredClasses = 1;
    e.live.windows = name == "DestroyWindow" ? 1 : 0;
    if (point.phase == Phase::ToggleDestroy) {
      e.status = 1;
      e.boxes = {{"Nepovedlo se zaregistrovat tridu okna.", "ERROR", kShellError, false}};
    }
    return true;
  }
  if (name == "GetFileAttributesA") {
    // A texture file that cannot be looked at is one that cannot be opened:
    // the scene's set-up fails silently, and the window stays until the
    // process ends.
    e.status = 1;
    e.live.windows = e.live.deviceContexts = e.live.renderingContexts = 1;
    e.live.registeredClasses = 1;
    e.displayChanged = point.fullscreen;
    e.cursorCounter = point.fullscreen ? -1 : 0;
    return true;
  }
  if (kLoaderFailureTexts.count(name) && point.texture >= 0) {
    // The scene's set-up fails after the loader's message; per design the
    // program then ends with 1 without tearing the window down.
    std::string text = kLoaderFailureTexts.at(name);
    if (text.empty())
      text = std::string("Failed to open DIB file ") + kTextureFileNames[point.texture] + ".\n";
    e.status = 1;
    e.boxes = {{text, "Error", MB_OK, true}};
    e.live.windows = e.live.deviceContexts = e.live.renderingContexts = 1;
    e.live.registeredClasses = 1;
    e.displayChanged = point.fullscreen;
    e.cursorCounter = point.fullscreen ? -1 : 0;
    return true;
  }
  // The loader's releases: only the object whose release failed stays. A
  // device context that cannot go keeps its section selected, and a selected
  // section cannot be deleted.
  if (name == "DeleteDC") {
    e.live.memoryDCs = e.live.sections = 1;
    return true;
  }
  if (name == "DeleteObject") {
    e.live.sections = 1;
    return true;
  }
  if (name == "LocalFree") {
    e.live.localBlocks = 1;
    return true;
  }
  if (name == "UnmapViewOfFile") {
    e.live.views = 1;
    return true;
  }
  if (name == "CloseHandle") {
    (point.closeInLoad == 1 ? e.live.mappings : e.live.fileHandles) = 1;
    return true;
  }
  // Calls whose failure the program rides over: the run ends as a clean one.
  static const std::set<std::string> kHarmless = {"LoadIconA",
                                                  "LoadCursorA",
                                                  "AdjustWindowRectEx",
                                                  "ShowWindow",
                                                  "SetForegroundWindow",
                                                  "SetFocus",
                                                  "GdiFlush",
                                                  "PeekMessageA",
                                                  "TranslateMessage",
                                                  "DispatchMessageA",
                                                  "PostQuitMessage",
                                                  "DefWindowProcA",
                                                  "Sleep",
                                                  "SwapBuffers"};
  return kHarmless.count(name) != 0;
}

std::string LiveText(const control::LiveResources &live) {
  std::ostringstream out;
  out << "windows " << live.windows << ", DCs " << live.deviceContexts << ", GL contexts "
      << live.renderingContexts << ", classes " << live.registeredClasses << ", files "
      << live.fileHandles << ", mappings " << live.mappings << ", views " << live.views
      << ", local blocks " << live.localBlocks << ", memory DCs " << live.memoryDCs << ", sections "
      << live.sections;
  return out.str();
}

void ExpectOutcome(const Expected &expected, const RunOutcome &actual) {
  EXPECT_EQ(actual.status, expected.status);
  EXPECT_EQ(LiveText(actual.live), LiveText(expected.live));
  EXPECT_EQ(actual.displayChanged, expected.displayChanged);
  EXPECT_EQ(actual.cursorCounter, expected.cursorCounter);
  ASSERT_EQ(actual.boxes.size(), expected.boxes.size());
  for (size_t i = 0; i < expected.boxes.size(); ++i) {
    EXPECT_EQ(actual.boxes[i].text, expected.boxes[i].text);
    EXPECT_EQ(actual.boxes[i].title, expected.boxes[i].title);
    EXPECT_EQ(actual.boxes[i].style, expected.boxes[i].style);
    EXPECT_EQ(actual.boxes[i].owner, expected.boxes[i].ownedByWindow ? actual.window : nullptr);
    if (expected.boxes[i].ownedByWindow) {
      EXPECT_NE(actual.window, nullptr);
    }
  }
}

// What holds for any failure, known to the table or not: the run ends (no
// hang), with 0 and nothing to say or with 1 after at most its messages, and
// holds none of the loader's objects unless one of their releases failed.
void ExpectGeneralRules(const SweepPoint &point, const RunOutcome &actual) {
  EXPECT_TRUE(actual.status == 0 || actual.status == 1) << "status " << actual.status;
  if (actual.status == 0) {
    EXPECT_TRUE(actual.boxes.empty());
  }
  static const std::set<std::string> kLoaderReleases = {"DeleteDC", "DeleteObject", "LocalFree",
                                                        "UnmapViewOfFile", "CloseHandle"};
  if (!kLoaderReleases.count(point.name)) {
    EXPECT_EQ(actual.live.fileHandles + actual.live.mappings + actual.live.views +
                  actual.live.localBlocks + actual.live.memoryDCs + actual.live.sections,
              0);
  }
}

class StartupFaultSweepTest : public PlatformTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StartupFaultSweepTest, EveryCallFailingInTurnEndsAsDesigned) {
  ScratchDirectory directory;
  ASSERT_TRUE(directory.ok());
  const RunScript script = {GetParam()};

  RunOutcome clean = RunProgram(script);
  ASSERT_EQ(clean.status, 0);
  ASSERT_TRUE(clean.boxes.empty());
  ExpectOutcome(Expected(), clean);

  std::vector<SweepPoint> points = SweepPoints(clean, script.startFullscreen);
  // The sweep must reach every phase, or the script has stopped driving one.
  std::set<Phase> phases;
  for (const SweepPoint &point : points)
    phases.insert(point.phase);
  ASSERT_EQ(phases.size(), 5u) << "the clean run must create, loop, recreate and tear down";

  std::vector<std::string> unknown;
  for (const SweepPoint &point : points) {
    SCOPED_TRACE(point.name + " #" + std::to_string(point.nth) + " in the " +
                 PhaseName(point.phase) + (point.fullscreen ? " (fullscreen)" : " (windowed)"));
    RunOutcome failed = RunProgram(script, point.name, point.nth);
    bool injected = false;
    for (const control::PlatformCall &call : failed.calls)
      injected = injected || (call.failed && call.name == point.name);
    ASSERT_TRUE(injected) << "the failure was never made";

    ExpectGeneralRules(point, failed);
    Expected expected;
    if (ExpectedFor(point, &expected)) {
      ExpectOutcome(expected, failed);
    } else {
      // A call new to the program: its failure must either leave the run as
      // a clean one or end it with 1 after a message.
      unknown.push_back(point.name);
      if (failed.status == 0) {
        ExpectOutcome(Expected(), failed);
      } else {
        EXPECT_FALSE(failed.boxes.empty());
      }
    }
  }
  RecordProperty("swept_calls", static_cast<int>(points.size()));
  if (!unknown.empty())
    std::cout << "note: swept under the general rules only: " << ::testing::PrintToString(unknown)
              << "\n";
}

INSTANTIATE_TEST_SUITE_P(StartMode, StartupFaultSweepTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                           return info.param ? "StartingFullscreen" : "StartingWindowed";
                         });

} // namespace
