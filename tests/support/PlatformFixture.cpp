#include "PlatformFixture.h"

#include "AppState.h"

#include <PlatformControl.h>
#include <windows.h>

void PlatformTest::SetUp() {
  control::Reset();
  appState = AppState();
}

bool MakeTestContext() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "QuellorTestWnd";
  if (!RegisterClassA(&windowClass)) {
    return false;
  }
  appState.windowHandle = CreateWindowExA(0, "QuellorTestWnd", "Test", WS_POPUP, 0, 0, 640, 480,
                                          nullptr, nullptr, nullptr, nullptr);
  if (!appState.windowHandle) {
    return false;
  }
  appState.deviceContext = GetDC(appState.windowHandle);
  if (!appState.deviceContext) {
    return false;
  }
  PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
  int format = ChoosePixelFormat(appState.deviceContext, &request);
  if (!format || !SetPixelFormat(appState.deviceContext, format, &request)) {
    return false;
  }
  appState.renderingContext = wglCreateContext(appState.deviceContext);
  return appState.renderingContext &&
         wglMakeCurrent(appState.deviceContext, appState.renderingContext);
}

void DestroyTestContext() {
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(appState.renderingContext);
  ReleaseDC(appState.windowHandle, appState.deviceContext);
  DestroyWindow(appState.windowHandle);
  UnregisterClassA("QuellorTestWnd", nullptr);
  appState.renderingContext = nullptr;
  appState.deviceContext = nullptr;
  appState.windowHandle = nullptr;
}

DEVMODEA ProgramDisplayMode() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = 640;
  mode.dmPelsHeight = 480;
  mode.dmBitsPerPel = 16;
  return mode;
}
