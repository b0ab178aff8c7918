// The probe's input on Windows: PostMessageA and SendInput, which queues the
// key as hardware input for the foreground window.
#include "ProbeInput.h"

void ProbePost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageA(window, message, wParam, lParam);
}

void ProbeKey(HWND, int virtualKey, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtualKey);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(virtualKey), 0));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

void ProbeFocus(HWND window) {
  SetForegroundWindow(window);
  SetFocus(window);
}
