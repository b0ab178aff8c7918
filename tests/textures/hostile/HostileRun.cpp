#include "HostileRun.h"

#include <gtest/gtest.h>

#include <windows.h>

RunOutcome RunWithHostileTexture() {
  RunScript script;
  script.startFullscreen = true;
  script.toggleOnce = false;
  return RunProgram(script);
}

void ExpectCleanRun(const RunOutcome &outcome) {
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(outcome.boxes.empty());
  const control::LiveResources &live = outcome.live;
  EXPECT_EQ(live.windows + live.deviceContexts + live.renderingContexts + live.registeredClasses,
            0);
  EXPECT_EQ(live.fileHandles + live.mappings + live.views + live.localBlocks + live.memoryDCs +
                live.sections,
            0);
  EXPECT_FALSE(outcome.displayChanged);
  EXPECT_EQ(outcome.cursorCounter, 0);
}

void ExpectSceneSetUpFailure(const RunOutcome &outcome, const std::set<std::string> &texts) {
  EXPECT_EQ(outcome.status, 1);
  const control::LiveResources &live = outcome.live;
  EXPECT_EQ(live.windows, 1);
  EXPECT_EQ(live.deviceContexts, 1);
  EXPECT_EQ(live.renderingContexts, 1);
  EXPECT_EQ(live.registeredClasses, 1);
  EXPECT_EQ(live.fileHandles + live.mappings + live.views + live.localBlocks + live.memoryDCs +
                live.sections,
            0);
  EXPECT_TRUE(outcome.displayChanged);
  EXPECT_EQ(outcome.cursorCounter, -1);
  if (texts.empty()) {
    EXPECT_TRUE(outcome.boxes.empty());
    return;
  }
  ASSERT_EQ(outcome.boxes.size(), 1u);
  EXPECT_EQ(texts.count(outcome.boxes[0].text), 1u) << "unexpected text: " << outcome.boxes[0].text;
  EXPECT_EQ(outcome.boxes[0].title, "Error");
  EXPECT_EQ(outcome.boxes[0].style, static_cast<UINT>(MB_OK));
  EXPECT_NE(outcome.window, nullptr);
  EXPECT_EQ(outcome.boxes[0].owner, outcome.window) << "owned by the window that has the focus";
}

std::string OpenFailureText() {
  return std::string("Failed to open DIB file ") + kHostileTexture + ".\n";
}
