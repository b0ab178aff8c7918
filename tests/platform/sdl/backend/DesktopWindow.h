// Helpers for the desktop backend's tests: a window procedure that records
// what it receives, a window made the way the program makes its own, and
// waiting for the display's own events to settle.
#ifndef QUELLOR_TESTS_DESKTOP_WINDOW_H
#define QUELLOR_TESTS_DESKTOP_WINDOW_H

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

struct ReceivedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Every message the recording procedure received, in order.
extern std::vector<ReceivedMessage> receivedMessages;
// Whether the procedure hands messages on to DefWindowProcA (default true).
extern bool forwardToDefault;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// How long a test waits for what the display does (a message, a mode, a
// focus), generous for a busy machine: waits end as soon as it happens.
const unsigned kDeadlineMs = 60000;

// Base for tests that need windows: registers the class "DesktopTestWnd" with
// RecordingProc, and afterwards destroys what the test left open, restores
// the display mode and unregisters the class.
class DesktopTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A window with the program's styles, whose outer size is grown from a
  // 640x480 client area by AdjustWindowRectEx.
  HWND CreateProgramWindow(DWORD style, DWORD exStyle);
  // Takes (and dispatches) messages until the window FOCUSED has the input
  // focus and then none has come for a while, so that the display's own
  // reactions to showing a window are out of the way.
  void Settle(HWND focused);
  // Takes the next message (up to kDeadlineMs); false when none came.
  bool NextMessage(MSG *msg, UINT filterMin = 0, UINT filterMax = 0);

  HWND window = nullptr;
};

#endif
