// The offscreen back buffer: what is drawn stays out of the ES context's own
// framebuffer until it is presented, reading pixels reads the back buffer,
// and presenting leaves every OpenGL 1.1 state as it was.
#include "FixedGlTest.h"

#include <EglLoader.h>
#include <FixedGl.h>

#include <string>

#define GL_FRAMEBUFFER_BINDING 0x8CA6

namespace {

class BackBufferTest : public FixedGlTest {
protected:
  void SetUp() override {
    FixedGlTest::SetUp();
    std::string error;
    ASSERT_TRUE(fixedgl::LoadEs2FunctionsFromEgl(&es2, &error)) << error;
    // The front (the ES framebuffer) starts blue; so does the back buffer,
    // cleared with the clear colour in force.
    glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_TRUE(fixedgl::UseBackBuffer(kSurfaceSize, kSurfaceSize, &error)) << error;
  }

  // The pixel of the ES context's own framebuffer, read past the library.
  Rgb FrontPixelAt(int x, int y) {
    GLint drawing = 0;
    es2.GetIntegerv(GL_FRAMEBUFFER_BINDING, &drawing);
    es2.BindFramebuffer(GL_FRAMEBUFFER, 0);
    unsigned char pixel[4] = {};
    es2.ReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    es2.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(drawing));
    return {pixel[0], pixel[1], pixel[2]};
  }

  Es2Functions es2;
};

TEST_F(BackBufferTest, FrameIsSeenOnlyOncePresented) {
  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 0, 255})) << "a new back buffer starts cleared";
  glEnable(GL_TEXTURE_2D);
  SolidTexture(0, 255, 0);
  glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  DrawQuad(-1.0f, -1.0f, 0.0f, 0.0f, 0.0f); // the bottom-left quarter

  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 255, 0})) << "glReadPixels reads the back buffer";
  EXPECT_TRUE(Near(FrontPixelAt(5, 5), {0, 0, 255})) << "drawn before it is presented";

  fixedgl::PresentBackBuffer();
  EXPECT_TRUE(Near(FrontPixelAt(5, 5), {0, 255, 0}));
  EXPECT_TRUE(Near(FrontPixelAt(kSurfaceSize - 5, kSurfaceSize - 5), {255, 0, 0}));
  // Every pixel lands where it was drawn: the quarter's edge stays sharp.
  EXPECT_TRUE(Near(FrontPixelAt(kSurfaceSize / 2 - 1, 5), {0, 255, 0}));
  EXPECT_TRUE(Near(FrontPixelAt(kSurfaceSize / 2, 5), {255, 0, 0}));
  EXPECT_TRUE(Near(FrontPixelAt(5, kSurfaceSize / 2), {255, 0, 0}));
}

TEST_F(BackBufferTest, PresentingKeepsTheDrawingState) {
  const GLuint green = SolidTexture(0, 255, 0);
  const GLuint yellow = SolidTexture(255, 255, 0);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glViewport(0, 0, kSurfaceSize / 2, kSurfaceSize / 2);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBindTexture(GL_TEXTURE_2D, yellow);
  DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f);
  glBindTexture(GL_TEXTURE_2D, green);

  fixedgl::PresentBackBuffer();

  // The bound texture, the depth test and the small viewport are as before.
  DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 255, 0})) << "the texture bound before";
  glBindTexture(GL_TEXTURE_2D, yellow);
  DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.9f);
  EXPECT_TRUE(Near(PixelAt(5, 5), {0, 255, 0})) << "a farther quad stays hidden";
  EXPECT_TRUE(Near(PixelAt(kSurfaceSize / 2 + 5, 5), {0, 0, 255})) << "outside the viewport";
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], kSurfaceSize / 2);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
