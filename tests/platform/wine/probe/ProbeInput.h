// What the window probe does through each system's own means: posting a
// message to a window, pressing or releasing a key as the keyboard would,
// and giving a window the keyboard.
#ifndef QUELLOR_TESTS_WINE_PROBE_INPUT_H
#define QUELLOR_TESTS_WINE_PROBE_INPUT_H

#include <windows.h>

void ProbePost(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ProbeKey(HWND window, int virtualKey, bool down);
void ProbeFocus(HWND window);

#endif
