// The scene's textures and lights, set up once per rendering context.
#ifndef QUELLOR_SCENE_RESOURCES_H
#define QUELLOR_SCENE_RESOURCES_H

// Creates the cube, floor and block textures from "tex1.bmp", "tex2.bmp" and
// "tex3.bmp" and sets up the three lights. Returns 1, or 0 at the first
// texture that cannot be created.
int LoadSceneResources();

#endif
