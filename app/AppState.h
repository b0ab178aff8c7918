// The program-wide state: one record with static lifetime, shared by the shell,
// the scene and the texture set-up.
#ifndef QUELLOR_APP_STATE_H
#define QUELLOR_APP_STATE_H

#include <windows.h>

#include <GL/gl.h>

struct AppState {
  int isActive = 1;     // 1 while the window is not minimised
  int isFullscreen = 1; // the mode requested for, or in force in, the window

  HINSTANCE instanceHandle = nullptr;
  HWND windowHandle = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;

  // Key flags indexed by virtual-key code: 1 from key-down until key-up, or
  // until a reader consumes the key.
  int KeyState[256] = {};

  int viewportWidth = 0;
  int viewportHeight = 0;

  GLuint cubeTexture = 0;
  GLuint floorTexture = 0;
  GLuint blockTexture = 0;

  // Animation, advanced one fixed step per rendered frame.
  int followCamera = 0;
  float wanderX = 20.0f;
  float wanderZ = 20.0f;
  float wanderAngle = 0.0f;
  int wanderPhase = 1;
  float wanderCounter = 0.0f;
  float shuttleX = 90.0f;
  int shuttleDirection = 1;
  float shuttleCounter = 0.0f;
  float shuttleAngle = 0.0f;
};

extern AppState appState;

// Virtual-key codes the program reads.
const int kEscapeKey = 27;
const int kSpaceKey = 32;
const int kF1Key = 112;

#endif
