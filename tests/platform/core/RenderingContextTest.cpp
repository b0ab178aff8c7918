#include "AppState.h"
#include "PlatformFixture.h"

#include <PlatformControl.h>
#include <headless/FrameReadBack.h>

#include <GL/gl.h>
#include <malloc.h>

#include <cmath>
#include <string>

using RenderingContextTest = PlatformTest;

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Whether an 8-bit value read back can come from a channel of `bits` bits,
// widened by repeating its bits or by scaling.
bool Representable(int value, int bits) {
  int stored = value >> (8 - bits);
  int repeated = (stored << (8 - bits)) | (stored >> (2 * bits - 8));
  double top = (1 << bits) - 1;
  long scaled = std::lround(std::lround(value * top / 255.0) * 255.0 / top);
  return value == repeated || value == scaled;
}

// Megabytes the allocator has handed out and not had back. Freed memory it
// keeps for reuse is not in it, unlike in the resident size, which once grew
// by 119 MB over the cycles below on a busy machine.
double HeapInUseMegabytes() {
#if defined(__SANITIZE_ADDRESS__)
  double bytes = double(__sanitizer_get_current_allocated_bytes());
#else
  struct mallinfo2 heap = mallinfo2();
  double bytes = double(heap.uordblks + heap.hblkhd);
#endif
  return bytes / (1024 * 1024);
}

} // namespace

TEST_F(RenderingContextTest, DrawsForRealInFiveSixFiveColour) {
  ASSERT_TRUE(MakeTestContext());
  glClearColor(0.3f, 0.6f, 0.9f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  // A fixed-function quad over the left half, in immediate mode.
  glColor3f(1.0f, 1.0f, 0.0f);
  glBegin(GL_QUADS);
  glVertex2f(-1, -1);
  glVertex2f(0, -1);
  glVertex2f(0, 1);
  glVertex2f(-1, 1);
  glEnd();

  int width = 0, height = 0;
  std::vector<unsigned char> pixels = control::ReadFramePixels(&width, &height);
  ASSERT_EQ(640, width);
  ASSERT_EQ(480, height);
  ASSERT_EQ(640u * 480 * 3, pixels.size());
  const unsigned char *quad = &pixels[(240 * 640 + 100) * 3];
  EXPECT_EQ(255, quad[0]);
  EXPECT_EQ(255, quad[1]);
  EXPECT_EQ(0, quad[2]);
  const unsigned char *clear = &pixels[(240 * 640 + 500) * 3];
  const float wanted[] = {0.3f, 0.6f, 0.9f};
  const int bits[] = {5, 6, 5};
  for (int c = 0; c < 3; ++c) {
    SCOPED_TRACE(c);
    EXPECT_TRUE(Representable(clear[c], bits[c])) << int(clear[c]);
    EXPECT_NEAR(wanted[c] * 255, clear[c], 255.0 / ((1 << bits[c]) - 1));
  }
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_EQ(16, depthBits);
  EXPECT_EQ(1, SwapBuffers(appState.deviceContext));
  EXPECT_EQ(1, control::FramesPresented());

  wglMakeCurrent(nullptr, nullptr);
  control::ReadFramePixels(&width, &height);
  EXPECT_EQ(0, width) << "nothing to read without a current context";
}

TEST_F(RenderingContextTest, EachContextHasItsOwnTextureNames) {
  ASSERT_TRUE(MakeTestContext());
  HGLRC first = appState.renderingContext;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  EXPECT_TRUE(glIsTexture(name));

  HGLRC second = wglCreateContext(appState.deviceContext);
  ASSERT_TRUE(wglMakeCurrent(appState.deviceContext, second));
  EXPECT_FALSE(glIsTexture(name));
  GLuint fresh = 0;
  glGenTextures(1, &fresh);
  EXPECT_EQ(name, fresh) << "a fresh context hands out the same first name";

  ASSERT_TRUE(wglMakeCurrent(appState.deviceContext, first));
  EXPECT_TRUE(glIsTexture(name));
  EXPECT_TRUE(wglDeleteContext(second));
  EXPECT_EQ(1, control::Live().renderingContexts);
}

TEST_F(RenderingContextTest, RecreatingTwoHundredTimesHoldsNothing) {
  for (int cycle = 0; cycle < 10; ++cycle) { // warm-up: first-use allocations
    ASSERT_TRUE(MakeTestContext());
    DestroyTestContext();
  }
  double before = HeapInUseMegabytes();
  for (int cycle = 0; cycle < 200; ++cycle) {
    ASSERT_TRUE(MakeTestContext()) << cycle;
    glClear(GL_COLOR_BUFFER_BIT);
    DestroyTestContext();
  }
  double growth = HeapInUseMegabytes() - before;
  control::LiveResources live = control::Live();
  EXPECT_EQ(0, live.windows);
  EXPECT_EQ(0, live.deviceContexts);
  EXPECT_EQ(0, live.renderingContexts);
  EXPECT_EQ(0, live.registeredClasses);
  // A surface left behind each cycle would add 245 MB, a context 780 MB.
  EXPECT_LT(growth, 20.0) << "a context or its surface leaked per cycle";
}

TEST_F(RenderingContextTest, ResetReleasesWhatATestLeftBehind) {
  ASSERT_TRUE(MakeTestContext());
  control::PostMessageToQueue(WM_KEYDOWN, VK_ESCAPE, 0);
  control::FailCall("GetDC", 0);
  control::Reset();
  control::LiveResources live = control::Live();
  EXPECT_EQ(0,
            live.windows + live.deviceContexts + live.renderingContexts + live.registeredClasses);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(MakeTestContext()) << "the class name and GetDC are free again";
}
