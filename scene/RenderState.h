// Viewport, projection and the base render state of a rendering context.
#ifndef QUELLOR_RENDER_STATE_H
#define QUELLOR_RENDER_STATE_H

// Stores the new client size and sets the viewport and a matching projection.
void ResizeViewport(int width, int height);

// Sets the render state every new rendering context starts with.
void InitRenderState();

// width / height in double precision, the aspect every projection uses.
double ViewportAspect(int width, int height);

#endif
