// The two shapes the scene is built from, issued in immediate mode.
#ifndef QUELLOR_GEOMETRY_H
#define QUELLOR_GEOMETRY_H

// The 100x100 floor in the plane y = 0, its texture repeated 5x5.
void DrawFloor();

// The unit cube from (0, 0, 0) to (1, 1, 1), one normal per face.
void DrawCube();

#endif
