#include "SceneWindow.h"

#include <windows.h>

#include "AppState.h"
#include "PixelFormatRequest.h"
#include "RenderState.h"
#include "SceneResources.h"
#include "SceneWindowProc.h"

namespace {

const char kClassName[] = "QuellorWnd";
const char kTitle[] = "Quellor";
const int kWidth = 640;
const int kHeight = 480;
const int kFullscreenBitsPerPixel = 16;

int RegisterSceneWindowClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = SceneWindowProc;
  windowClass.hInstance = appState.instanceHandle;
  windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

// Switches to 640x480x16. When the display refuses, the user may go on
// windowed; returns 0 when the program must end instead.
int EnterFullscreenMode() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof(DEVMODEA);
  mode.dmPelsWidth = kWidth;
  mode.dmPelsHeight = kHeight;
  mode.dmBitsPerPel = kFullscreenBitsPerPixel;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL)
    return 1;
  if (MessageBoxA(nullptr, "Nepodarilo se prejit do celoobrazovkoveho\nrezimu. Pouzit okenni mod?",
                  "Okenni mod?", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
    appState.isFullscreen = 0;
    return 1;
  }
  MessageBoxA(nullptr, "Program bude nyni ukoncen.", "CHYBA", MB_OK | MB_ICONSTOP);
  return 0;
}

// Tears down what was created so far, then reports the failed step.
int FailCreation(const char *text) {
  DestroySceneWindow();
  MessageBoxA(nullptr, text, "CHYBA", MB_OK | MB_ICONEXCLAMATION);
  return 0;
}

} // namespace

int CreateSceneWindow() {
  PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
  RECT rect = {0, 0, kWidth, kHeight};

  appState.instanceHandle = GetModuleHandleA(nullptr);

  // The tear-down unregisters the class only for a known instance, so a class
  // registered without one would stay registered and make every later
  // registration fail: without the instance the class is not registered.
  if (!appState.instanceHandle || !RegisterSceneWindowClass()) {
    MessageBoxA(nullptr, "Nepovedlo se zaregistrovat tridu okna.", "ERROR",
                MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }

  if (appState.isFullscreen && !EnterFullscreenMode())
    return 0;

  DWORD exStyle;
  DWORD style;
  if (appState.isFullscreen) {
    ShowCursor(FALSE);
    exStyle = WS_EX_APPWINDOW;
    style = WS_POPUP;
  } else {
    exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    style = WS_OVERLAPPEDWINDOW;
  }

  AdjustWindowRectEx(&rect, style, FALSE, exStyle);

  // Each handle is stored before it is tested, so that the tear-down sees
  // null for the step that failed.
  appState.windowHandle =
      CreateWindowExA(exStyle, kClassName, kTitle, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                      rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                      appState.instanceHandle, nullptr);
  if (!appState.windowHandle)
    return FailCreation("Chyba pri vytvareni okna.");

  appState.deviceContext = GetDC(appState.windowHandle);
  if (!appState.deviceContext)
    return FailCreation("Nelze ziskat kontext zarizeni.");

  int format = ChoosePixelFormat(appState.deviceContext, &request);
  if (!format)
    return FailCreation("Nelze najit vyhovujici pixel format.");

  if (!SetPixelFormat(appState.deviceContext, format, &request))
    return FailCreation("Nelze nastavit pixel format.");

  appState.renderingContext = wglCreateContext(appState.deviceContext);
  if (!appState.renderingContext)
    return FailCreation("Nelze vytvorit GL kontext.");

  if (!wglMakeCurrent(appState.deviceContext, appState.renderingContext))
    return FailCreation("Nelze aktivovat GL kontext.");

  ShowWindow(appState.windowHandle, SW_SHOW);
  SetForegroundWindow(appState.windowHandle);
  SetFocus(appState.windowHandle);

  ResizeViewport(kWidth, kHeight);
  InitRenderState();

  return LoadSceneResources();
}

void DestroySceneWindow() {
  if (appState.isFullscreen) {
    ChangeDisplaySettingsA(nullptr, 0);
    ShowCursor(TRUE);
  }
  if (appState.renderingContext) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(appState.renderingContext);
    appState.renderingContext = nullptr;
  }
  if (appState.deviceContext) {
    ReleaseDC(appState.windowHandle, appState.deviceContext);
    appState.deviceContext = nullptr;
  }
  if (appState.windowHandle) {
    DestroyWindow(appState.windowHandle);
    appState.windowHandle = nullptr;
  }
  if (appState.instanceHandle) {
    UnregisterClassA(kClassName, appState.instanceHandle);
    appState.instanceHandle = nullptr;
  }
}
