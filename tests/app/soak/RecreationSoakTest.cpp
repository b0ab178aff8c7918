// Many F1 recreations in a row: each one's context and textures must go with
// it, so memory, descriptors and OpenGL objects stay flat.
// QUELLOR_SOAK_RECREATIONS sets the count (default 1000).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <windows.h>

#include <set>

#include "AppState.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "ProcessUsage.h"
#include "SceneWindow.h"
#include "ScratchDirectory.h"

namespace {

// Textures large enough that keeping those of every context would show:
// three 128x128 images are some 200 KB per recreation.
const int kTextureSize = 128;
// Growth allowed for allocator and driver caches that settle late.
const size_t kAllowedGrowth = size_t(24) << 20;

// Runs the program windowed with an F1 before each of frames 2 to
// recreations + 1 and a close after them. Returns its status.
int RunWithRecreations(int recreations) {
  control::Reset();
  appState = AppState();
  control::SetFramePassLimit(recreations + 10);
  control::QueueMessageBoxAnswer(IDNO);
  for (int frame = 2; frame <= recreations + 1; ++frame)
    control::PostBeforeFrame(frame, WM_KEYDOWN, VK_F1, 0);
  control::PostBeforeFrame(recreations + 3, WM_CLOSE, 0, 0);
  return WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}

int CountCalls(const char *name) {
  int count = 0;
  for (const control::PlatformCall &call : control::CallLog())
    count += call.name == name;
  return count;
}

class RecreationSoakTest : public PlatformTest {};

TEST_F(RecreationSoakTest, ThousandRecreationsKeepMemoryDescriptorsAndObjectsFlat) {
  ScratchDirectory directory(kTextureSize);
  ASSERT_TRUE(directory.ok());
  const int recreations = CountFromEnvironment("QUELLOR_SOAK_RECREATIONS", 1000);

  // A short run first, so that the driver's one-time allocations are made.
  ASSERT_EQ(RunWithRecreations(20), 0);
  control::Reset();
  const size_t residentBefore = ResidentBytes();
  const int descriptorsBefore = OpenDescriptors();

  ASSERT_EQ(RunWithRecreations(recreations), 0);
  EXPECT_EQ(CountCalls("wglCreateContext"), recreations + 1);
  EXPECT_EQ(CountCalls("ChangeDisplaySettingsA"), recreations) << "every other window fullscreen";
  EXPECT_TRUE(control::MessageBoxesShown().size() == 1u) << "only the start question";
  control::LiveResources live = control::Live();
  EXPECT_EQ(live.windows + live.deviceContexts + live.renderingContexts + live.registeredClasses,
            0);
  EXPECT_EQ(live.fileHandles + live.mappings + live.views + live.localBlocks + live.memoryDCs +
                live.sections,
            0);
  EXPECT_FALSE(control::DisplayModeChanged());
  EXPECT_EQ(control::CursorCounter(), 0);

  control::Reset(); // drops the call log, which grows with the run
  const size_t residentAfter = ResidentBytes();
  EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
  EXPECT_LT(residentAfter, residentBefore + kAllowedGrowth)
      << "resident memory grew from " << residentBefore / 1024 << " KiB to " << residentAfter / 1024
      << " KiB over " << recreations << " recreations";
}

// The shell's own destroy-and-create pair, as F1 runs it: every new context
// holds exactly the three textures of its scene, never those of the
// contexts before it.
TEST_F(RecreationSoakTest, EveryNewContextHoldsOnlyItsOwnThreeTextures) {
  ScratchDirectory directory;
  ASSERT_TRUE(directory.ok());
  const GLuint kNamesProbed = 256;
  for (int round = 0; round < 100; ++round) {
    SCOPED_TRACE("recreation " + std::to_string(round));
    appState.isFullscreen = round % 2;
    ASSERT_EQ(CreateSceneWindow(), 1);
    std::set<GLuint> own = {appState.cubeTexture, appState.floorTexture, appState.blockTexture};
    ASSERT_EQ(own.size(), 3u);
    for (GLuint name = 1; name <= kNamesProbed; ++name)
      ASSERT_EQ(glIsTexture(name) == GL_TRUE, own.count(name) == 1) << "texture name " << name;
    DestroySceneWindow();
    ASSERT_EQ(control::Live().renderingContexts, 0);
  }
}

} // namespace
