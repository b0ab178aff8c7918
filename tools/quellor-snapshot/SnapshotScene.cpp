#include "SnapshotScene.h"

#include <windows.h>

#include <PlatformControl.h>
#include <headless/FrameReadBack.h>

#include <climits>

#include "AppState.h"
#include "RenderFrame.h"
#include "SceneWindow.h"

namespace snapshot {

namespace {

// The keyboard's scan code for space, sent with the key's messages.
const WORD kSpaceScanCode = 0x39;

void HandleQueuedMessages() {
  MSG msg = {};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT)
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

} // namespace

bool StartSnapshotScene(std::string *error) {
  control::Reset();
  // Nothing reads the calls of a snapshot; logged, they would grow with every
  // frame. A failed set-up is told from the message boxes, kept either way.
  control::SetCallLogging(false);
  // Snapshots may run longer than the backend's safety net for runaway loops.
  control::SetFramePassLimit(INT_MAX);
  // The state a fresh process starts with, windowed.
  appState = AppState();
  appState.isFullscreen = 0;
  if (CreateSceneWindow())
    return true;

  *error = "cannot set up the scene: tex1.bmp, tex2.bmp and tex3.bmp must be readable bitmaps";
  for (const control::MessageBoxShown &box : control::MessageBoxesShown())
    *error += "\n  " + box.title + ": " + box.text;
  DestroySceneWindow();
  return false;
}

bool RenderSnapshotFrames(const SnapshotOptions &options,
                          const std::function<bool(int frame, const Picture &picture)> &write) {
  for (int frame = 1; frame <= options.frames; ++frame) {
    for (int pressAt : options.spaceAt) {
      if (pressAt == frame)
        control::PostMessageToQueue(WM_KEYDOWN, kSpaceKey, MAKELPARAM(1, kSpaceScanCode));
    }
    HandleQueuedMessages();
    RenderFrame();
    if (IsSnapshotFrame(options, frame)) {
      Picture picture;
      picture.pixels = control::ReadFramePixels(&picture.width, &picture.height);
      if (!write(frame, picture))
        return false;
    }
    SwapBuffers(appState.deviceContext);
  }
  return true;
}

void StopSnapshotScene() { DestroySceneWindow(); }

} // namespace snapshot
