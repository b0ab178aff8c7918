// The window system's state after control::Reset: every concern the core
// holds is back to its start, whatever a test left in it.
#include "AppState.h"
#include "PlatformFixture.h"

#include <PlatformControl.h>

using PlatformStateTest = PlatformTest;

namespace {

// Leaves something in each part of the state: a window of a registered
// class, its device and rendering contexts, a display mode, a hidden cursor,
// posted and timed messages, a quit, an unused box answer, a box shown, a
// frame pass and a frame presented.
void FillEveryConcern() {
  ASSERT_TRUE(MakeTestContext());
  DEVMODEA mode = ProgramDisplayMode();
  ASSERT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
  ShowCursor(FALSE);
  control::SetDisplayModeAvailable(false);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); // one frame pass
  control::PostMessageToQueue(WM_USER, 1, 2);
  control::PostBeforeFrame(5, WM_USER + 1, 0, 0);
  PostQuitMessage(3);
  MessageBoxA(nullptr, "shown", "box", MB_OK);
  control::QueueMessageBoxAnswer(IDYES);
  SwapBuffers(appState.deviceContext);
  control::SetFramePassLimit(2);
}

} // namespace

TEST_F(PlatformStateTest, ResetReturnsEveryConcernToItsStart) {
  FillEveryConcern();
  control::Reset();

  const control::LiveResources live = control::Live();
  EXPECT_EQ(0, live.windows);
  EXPECT_EQ(0, live.deviceContexts);
  EXPECT_EQ(0, live.renderingContexts);
  EXPECT_EQ(0, live.registeredClasses);
  EXPECT_EQ(nullptr, wglGetCurrentContext());
  EXPECT_FALSE(control::DisplayModeChanged());
  EXPECT_EQ(0, control::CursorCounter());
  EXPECT_EQ(0, control::FramesPresented());
  EXPECT_EQ(0, control::FramePasses());
  EXPECT_TRUE(control::MessageBoxesShown().empty());
  EXPECT_EQ(IDOK, MessageBoxA(nullptr, "dismissed", "box", MB_OK)) << "the answer queued is gone";

  // Neither the posted message, the quit nor the timed one comes back, and
  // the frame-pass limit is the default one, far beyond these passes.
  MSG msg;
  for (int pass = 0; pass < 10; ++pass)
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << pass;

  // Handles are numbered from the start again, and display modes are offered.
  control::ClearCallLog();
  ASSERT_TRUE(MakeTestContext());
  ASSERT_FALSE(control::CallLog().empty());
  EXPECT_EQ("wglMakeCurrent", control::CallLog().back().name);
  EXPECT_EQ("hdc1, hglrc1", control::CallLog().back().arguments);
  DEVMODEA mode = ProgramDisplayMode();
  EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, CDS_TEST));
  DestroyTestContext();
}
