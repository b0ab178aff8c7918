#include "RenderFrame.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "AppState.h"
#include "Geometry.h"
#include "RenderState.h"

namespace {

// The camera never moves; it looks either at the floor's centre or at the
// wandering cube.
const GLdouble kEyeX = 50.0, kEyeY = 100.0, kEyeZ = -60.0;
const GLdouble kCentreX = 50.0, kCentreZ = 50.0;

// Phase changes, in frames since the wandering cycle began.
const float kSecondPhaseAfter = 500.0f;
const float kThirdPhaseAfter = 1000.0f;
const float kCycleEndsAfter = 1500.0f;
// Frames the shuttle cube travels before it turns back.
const float kShuttleLegFrames = 700.0f;
const DWORD kShuttlePauseMs = 2;

void StepWanderingCube() {
  switch (appState.wanderPhase) {
  case 1:
    appState.wanderX += 0.1f;
    appState.wanderZ += 0.1f;
    appState.wanderAngle += 0.8f;
    break;
  case 2:
    appState.wanderX -= 0.1f;
    appState.wanderAngle -= 0.4f;
    break;
  case 3:
    appState.wanderZ -= 0.1f;
    appState.wanderAngle += 0.3f;
    break;
  }
  appState.wanderCounter += 1.0f;
  // Later tests override earlier ones: a counter of 1200 ends in phase 3.
  if (appState.wanderCounter > kSecondPhaseAfter)
    appState.wanderPhase = 2;
  if (appState.wanderCounter > kThirdPhaseAfter)
    appState.wanderPhase = 3;
  if (appState.wanderCounter > kCycleEndsAfter) {
    appState.wanderPhase = 1;
    appState.wanderCounter = 0.0f;
  }
}

void StepShuttleCube() {
  if (appState.shuttleDirection == 1)
    appState.shuttleX -= 0.1f;
  else
    appState.shuttleX += 0.1f;
  appState.shuttleCounter += 1.0f;
  Sleep(kShuttlePauseMs);
  if (appState.shuttleCounter >= kShuttleLegFrames) {
    appState.shuttleCounter = 0.0f;
    appState.shuttleDirection = appState.shuttleDirection == 1 ? 0 : 1;
  }
  appState.shuttleAngle += 0.2f;
}

void DrawBlock(GLfloat x, GLfloat z, GLfloat scaleX, GLfloat scaleY, GLfloat scaleZ) {
  glLoadIdentity();
  glTranslatef(x, 0.0f, z);
  glScalef(scaleX, scaleY, scaleZ);
  glBindTexture(GL_TEXTURE_2D, appState.blockTexture);
  DrawCube();
}

} // namespace

int RenderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // Projection and camera both live on the projection matrix, so the
  // modelview matrix holds only each object's own transform and lighting is
  // computed in world coordinates.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, ViewportAspect(appState.viewportWidth, appState.viewportHeight), 1.0,
                 1000.0);

  if (appState.KeyState[kSpaceKey] == 1) {
    appState.KeyState[kSpaceKey] = 0;
    appState.followCamera = appState.followCamera == 1 ? 0 : 1;
  }

  if (appState.followCamera)
    gluLookAt(kEyeX, kEyeY, kEyeZ, appState.wanderX, 0.0, appState.wanderZ, 0.0, 1.0, 0.0);
  else
    gluLookAt(kEyeX, kEyeY, kEyeZ, kCentreX, 0.0, kCentreZ, 0.0, 1.0, 0.0);

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glBindTexture(GL_TEXTURE_2D, appState.floorTexture);
  DrawFloor();

  StepWanderingCube();
  glLoadIdentity();
  glTranslatef(appState.wanderX, 0.0f, appState.wanderZ);
  glRotatef(appState.wanderAngle, 0.0f, 1.0f, 0.0f);
  glScalef(10.0f, 10.0f, 10.0f);
  glBindTexture(GL_TEXTURE_2D, appState.cubeTexture);
  DrawCube();

  StepShuttleCube();
  glLoadIdentity();
  glTranslatef(appState.shuttleX, 0.0f, 90.0f);
  glRotatef(appState.shuttleAngle, 0.0f, 1.0f, 0.0f);
  glScalef(5.0f, 5.0f, 5.0f);
  glBindTexture(GL_TEXTURE_2D, appState.cubeTexture);
  DrawCube();

  // The pillar, then the wall.
  DrawBlock(10.0f, 90.0f, 5.0f, 20.0f, 5.0f);
  DrawBlock(90.0f, 10.0f, 5.0f, 20.0f, 50.0f);

  return 1;
}
