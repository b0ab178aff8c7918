// Many frames in a row without the frame pause: no OpenGL error in any frame
// and resident memory flat. QUELLOR_SOAK_FRAMES sets the count: by default
// 100000 in an optimised build, and 5000 under the sanitizers, which make each
// frame many times slower.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <windows.h>

#include "AppState.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "ProcessUsage.h"
#include "RenderFrame.h"
#include "SceneWindow.h"
#include "ScratchDirectory.h"

namespace {

const size_t kAllowedGrowth = size_t(4) << 20;
// The call log records every frame's calls; it is dropped this often so that
// it does not count as the program's memory.
const int kFramesPerLogClear = 1000;
#if defined(__SANITIZE_ADDRESS__)
const int kDefaultFrames = 5000;
#else
const int kDefaultFrames = 100000;
#endif

class FrameSoakTest : public PlatformTest {};

TEST_F(FrameSoakTest, ManyFramesRaiseNoErrorAndKeepMemoryFlat) {
  ScratchDirectory directory(64);
  ASSERT_TRUE(directory.ok());
  const int frames = CountFromEnvironment("QUELLOR_SOAK_FRAMES", kDefaultFrames);
  appState.isFullscreen = 0;
  ASSERT_EQ(CreateSceneWindow(), 1);
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // Memory is measured from a tenth of the run on, once caches have settled.
  const int settled = frames / 10;
  size_t residentSettled = 0;
  int erroneousFrames = 0;
  GLenum firstError = GL_NO_ERROR;
  for (int frame = 1; frame <= frames; ++frame) {
    ASSERT_EQ(RenderFrame(), 1);
    ASSERT_TRUE(SwapBuffers(appState.deviceContext));
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
      ++erroneousFrames;
      if (firstError == GL_NO_ERROR)
        firstError = error;
    }
    if (frame % kFramesPerLogClear == 0)
      control::ClearCallLog();
    if (frame == settled) {
      control::ClearCallLog();
      residentSettled = ResidentBytes();
    }
  }
  control::ClearCallLog();
  const size_t residentEnd = ResidentBytes();
  EXPECT_EQ(erroneousFrames, 0) << "first error 0x" << std::hex << firstError;
  EXPECT_LT(residentEnd, residentSettled + kAllowedGrowth)
      << "resident memory grew from " << residentSettled / 1024 << " KiB to " << residentEnd / 1024
      << " KiB over " << frames - settled << " frames";
  DestroySceneWindow();
}

} // namespace
