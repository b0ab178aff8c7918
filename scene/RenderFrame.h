// One frame of the scene: camera, animation step and drawing.
#ifndef QUELLOR_RENDER_FRAME_H
#define QUELLOR_RENDER_FRAME_H

// Draws the frame into the current rendering context and advances the
// animation one step. Returns 1; the caller presents the frame.
int RenderFrame();

#endif
