#include "SceneResources.h"

#include <windows.h>

#include <GL/gl.h>

#include "AppState.h"
#include "TextureCreation.h"

namespace {

struct Light {
  GLenum id;
  GLfloat ambient[4];
  GLfloat diffuse[4];
  GLfloat position[4];
};

// Positions are given once, under the identity modelview matrix; since the
// camera lives on the projection matrix they stay put in world coordinates.
// Light 2 sits at the camera's eye.
const Light kBlueLight = {
    GL_LIGHT1, {0.6f, 0.6f, 1.0f, 0.8f}, {0.8f, 0.8f, 1.0f, 0.0f}, {0.0f, 50.0f, 50.0f, 1.0f}};
const Light kCameraLight = {
    GL_LIGHT2, {1.0f, 0.8f, 0.8f, 1.0f}, {1.0f, 0.8f, 0.8f, 50.0f}, {50.0f, 100.0f, -60.0f, 1.0f}};
// Light 3 is a positional lamp (w = 1) low over the floor's near corner at
// (10, 5, 10), so its constant attenuation of 2 halves it as intended. As a
// directional light (w = 0) it would shine from that direction on the whole
// scene at full strength and the attenuation would be ignored.
const Light kCornerLight = {
    GL_LIGHT3, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 0.8f, 0.8f, 10.0f}, {10.0f, 5.0f, 10.0f, 1.0f}};
const GLfloat kCornerLightAttenuation = 2.0f;

void SetLight(const Light &light) {
  glLightfv(light.id, GL_AMBIENT, light.ambient);
  glLightfv(light.id, GL_DIFFUSE, light.diffuse);
  glLightfv(light.id, GL_POSITION, light.position);
}

} // namespace

int LoadSceneResources() {
  if (!LoadTexture("tex1.bmp", &appState.cubeTexture))
    return 0;
  if (!LoadTexture("tex2.bmp", &appState.floorTexture))
    return 0;
  if (!LoadTexture("tex3.bmp", &appState.blockTexture))
    return 0;

  SetLight(kBlueLight);
  glEnable(GL_LIGHT1);

  SetLight(kCameraLight);
  glEnable(GL_LIGHT2);

  SetLight(kCornerLight);
  glLightf(GL_LIGHT3, GL_CONSTANT_ATTENUATION, kCornerLightAttenuation);
  glEnable(GL_LIGHT3);

  glEnable(GL_LIGHTING);
  return 1;
}
