// The window procedure: turns window messages into key flags, the activity
// flag and viewport sizes.
#ifndef QUELLOR_SCENE_WINDOW_PROC_H
#define QUELLOR_SCENE_WINDOW_PROC_H

#include <windows.h>

LRESULT CALLBACK SceneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
