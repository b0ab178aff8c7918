#include "RenderState.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "AppState.h"

double ViewportAspect(int width, int height) {
  return static_cast<double>(width) / static_cast<double>(height);
}

void ResizeViewport(int width, int height) {
  if (height == 0)
    height = 1;
  appState.viewportWidth = width;
  appState.viewportHeight = height;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, ViewportAspect(width, height), 0.1f, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void InitRenderState() {
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}
