// Pixel formats and rendering contexts: the program's request gets a real
// double-buffered OpenGL context with a depth buffer that draws with the
// fixed-function pipeline.
#include "DesktopWindow.h"
#include "PixelFormatRequest.h"

#include <GL/gl.h>
#include <SDL.h>

namespace {

class Contexts : public DesktopTest {
protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_NE(CreateProgramWindow(WS_OVERLAPPEDWINDOW, 0), nullptr);
    dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
  }

  HGLRC CreateCurrentContext() {
    const PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
    EXPECT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request));
    HGLRC context = wglCreateContext(dc);
    EXPECT_NE(context, nullptr);
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    return context;
  }

  HDC dc = nullptr;
};

TEST_F(Contexts, RequestsThatNoWindowFormatMeetsAreRefused) {
  PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
  EXPECT_GT(ChoosePixelFormat(dc, &request), 0);
  EXPECT_EQ(ChoosePixelFormat(nullptr, &request), 0);
  EXPECT_EQ(ChoosePixelFormat(dc, nullptr), 0);
  request.iPixelType = 1; // colour index
  EXPECT_EQ(ChoosePixelFormat(dc, &request), 0);
  request = PixelFormatRequest();
  request.dwFlags = PFD_DRAW_TO_WINDOW; // no OpenGL
  EXPECT_EQ(ChoosePixelFormat(dc, &request), 0);
  request = PixelFormatRequest();
  request.nSize = 0;
  EXPECT_EQ(ChoosePixelFormat(dc, &request), 0);
}

TEST_F(Contexts, ContextNeedsAFormat) {
  const PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
  EXPECT_EQ(wglCreateContext(dc), nullptr);
  ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request));
  HGLRC context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);
  // A new context is not made current.
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_TRUE(wglDeleteContext(context));
  EXPECT_FALSE(wglDeleteContext(context));
  EXPECT_EQ(ReleaseDC(window, dc), 1);
  EXPECT_EQ(ReleaseDC(nullptr, dc), 0);
}

TEST_F(Contexts, DrawsWithTheFixedFunctionPipelineAndSwaps) {
  HGLRC context = CreateCurrentContext();
  ASSERT_NE(SDL_GL_GetCurrentContext(), nullptr);
  ShowWindow(window, SW_SHOW);
  GLint depthBits = 0;
  GLint redBits = 0;
  GLboolean doubleBuffered = GL_FALSE;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_RED_BITS, &redBits);
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  EXPECT_GE(depthBits, 16);
  EXPECT_GE(redBits, 5);
  EXPECT_TRUE(doubleBuffered);

  glViewport(0, 0, 640, 480);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(0.0f, 1.0f, 0.0f);
  glBegin(GL_QUADS); // the left half
  glVertex2f(-1.0f, -1.0f);
  glVertex2f(0.0f, -1.0f);
  glVertex2f(0.0f, 1.0f);
  glVertex2f(-1.0f, 1.0f);
  glEnd();
  unsigned char left[3] = {};
  unsigned char right[3] = {};
  glReadBuffer(GL_BACK);
  glReadPixels(100, 240, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, left);
  glReadPixels(500, 240, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, right);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(left[0] < 8 && left[1] > 247 && left[2] < 8);
  EXPECT_TRUE(right[0] > 247 && right[1] < 8 && right[2] < 8);
  EXPECT_TRUE(SwapBuffers(dc));
  EXPECT_FALSE(SwapBuffers(nullptr));

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_TRUE(wglDeleteContext(context));
}

// WGL still has the context current, drawing nowhere; SDL lets it go.
TEST_F(Contexts, DestroyingTheWindowLetsItsContextGoNatively) {
  HGLRC context = CreateCurrentContext();
  EXPECT_TRUE(DestroyWindow(window));
  window = nullptr;
  EXPECT_EQ(wglGetCurrentContext(), context);
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_FALSE(wglMakeCurrent(dc, context));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(wglDeleteContext(context));
}

} // namespace
