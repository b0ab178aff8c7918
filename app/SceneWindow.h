// Creation and tear-down of the window, its display mode and its OpenGL
// rendering context.
#ifndef QUELLOR_SCENE_WINDOW_H
#define QUELLOR_SCENE_WINDOW_H

// Creates the window in the mode that appState.isFullscreen asks for, makes its
// rendering context current and sets up the scene. Returns 1 on success, 0 on
// failure (after the failure's message, where it has one).
int CreateSceneWindow();

// Releases whatever CreateSceneWindow obtained; safe after a partial creation
// and when called more than once.
void DestroySceneWindow();

#endif
