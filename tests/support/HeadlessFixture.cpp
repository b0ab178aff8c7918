#include "HeadlessFixture.h"

#include "AppState.h"

#include <HeadlessControl.h>
#include <windows.h>

#include <png.h>

#include <cstdio>

void HeadlessTest::SetUp() {
  headless::Reset();
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
  PIXELFORMATDESCRIPTOR request = {};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 16;
  request.cDepthBits = 16;
  int format = ChoosePixelFormat(appState.deviceContext, &request);
  if (!format || !SetPixelFormat(appState.deviceContext, format, &request)) {
    return false;
  }
  appState.renderingContext = wglCreateContext(appState.deviceContext);
  return appState.renderingContext &&
         wglMakeCurrent(appState.deviceContext, appState.renderingContext);
}

bool WritePng(const std::string &path, const std::vector<unsigned char> &pixels, int width,
              int height) {
  if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height * 3) {
    return false;
  }
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) {
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // PNG rows run top to bottom.
    for (int row = height - 1; row >= 0; --row) {
      png_write_row(png, &pixels[static_cast<size_t>(row) * width * 3]);
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && written;
}
