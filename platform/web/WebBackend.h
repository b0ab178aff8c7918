// What the browser backend's files share: the functions of its table
// (WebBackend.cpp), each file filling in one concern. The page has one canvas,
// id "canvas", which is the one native surface.
#ifndef QUELLOR_WEB_BACKEND_H
#define QUELLOR_WEB_BACKEND_H

#include "core/Backend.h"

#include <vector>

namespace platform::web {

using core::DisplayMode;

// The canvas surface, or null while no window has it.
void *CanvasSurface();

// Snapshot mode (WebMain.cpp) renders frames one after the other without
// waiting for the browser's animation frames, and keeps the last one on the
// canvas.
bool SnapshotMode();
void SetSnapshotMode(bool on);

// WebCanvas.cpp
bool Start();
void *CreateSurface(const core::SurfaceRequest &request);
void DestroySurface(void *surface);
void FocusSurface(void *surface);
void ClientSize(void *surface, int *width, int *height);
void *CreateContext(void *surface);
bool MakeCurrent(void *surface, void *context);
void DeleteContext(void *context);
void Swap(void *surface);
void ShowCursor(bool shown);

// WebDisplay.cpp
bool Desktop(DisplayMode *mode);
std::vector<DisplayMode> Modes();
bool EnterDisplayMode(const DisplayMode &mode);
void LeaveDisplayMode();
void ListenForDisplayChanges(); // the browser leaving fullscreen of its own
void UndoUnusedFullscreen();    // a click's fullscreen that no request took

// WebEvents.cpp
void ListenForEvents();
void StopListening(); // once the program has ended
void PumpEvents();
void ReportModeLost();     // the browser has left the program's fullscreen
void ReleaseControlKeys(); // once a frame has been drawn

// WebDialogs.cpp
int MessageBox(void *ownerSurface, const char *text, const char *caption, UINT type);
bool BoxShown();

// WebKeys.cpp: a browser key event as Windows reports the key.
int VirtualKeyOf(unsigned long keyCode, const char *code);
bool IsExtendedKey(const char *code);

} // namespace platform::web

#endif
