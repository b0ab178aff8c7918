// Several contexts on one ES context, as the browser's rendering contexts all
// draw on the canvas's one WebGL context: each keeps its own state, textures
// and back buffer included, and making one current again gives the ES context
// its state back. Without a current context a call reaches no ES call.
#include "FixedGlTest.h"

#include <EglLoader.h>
#include <FixedGl.h>

#include <string>

namespace {

const Rgb kRed = {255, 0, 0}, kGreen = {0, 255, 0}, kBlue = {0, 0, 255};

// A context of its own that starts current, ended with the test.
class SecondContext {
public:
  explicit SecondContext(bool backBuffer) {
    std::string error;
    Es2Functions es2;
    if (!fixedgl::LoadEs2FunctionsFromEgl(&es2, &error))
      return;
    context = fixedgl::StartContext(es2, kSurfaceSize, kSurfaceSize, &error);
    if (context && backBuffer && !fixedgl::UseBackBuffer(kSurfaceSize, kSurfaceSize, &error)) {
      fixedgl::EndContext(context);
      context = nullptr;
    }
  }
  ~SecondContext() {
    if (context)
      fixedgl::EndContext(context);
  }
  fixedgl::State *context = nullptr;
};

// With back buffers (true) or both drawing on the ES framebuffer.
class ContextTest : public FixedGlTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ContextTest, ContextMadeCurrentAgainKeepsItsState) {
  const bool backBuffers = GetParam();
  fixedgl::State *first = fixedgl::CurrentContext();
  std::string error;
  if (backBuffers) {
    ASSERT_TRUE(fixedgl::UseBackBuffer(kSurfaceSize, kSurfaceSize, &error)) << error;
  }
  const GLuint red = SolidTexture(255, 0, 0);
  glEnable(GL_TEXTURE_2D);
  glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glViewport(0, 0, kSurfaceSize / 2, kSurfaceSize / 2);
  DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);

  SecondContext second(backBuffers);
  ASSERT_NE(second.context, nullptr);
  EXPECT_EQ(fixedgl::CurrentContext(), second.context);
  GLint bound = -1, viewport[4] = {};
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(bound, 0) << "a new context starts with OpenGL 1.1's defaults";
  EXPECT_EQ(viewport[2], kSurfaceSize);
  EXPECT_EQ(SolidTexture(0, 255, 0), red) << "each context has its own texture names";
  glEnable(GL_TEXTURE_2D);
  glClear(GL_COLOR_BUFFER_BIT);
  DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), kGreen));
  EXPECT_TRUE(Near(PixelAt(kSurfaceSize - 5, 5), kGreen));

  fixedgl::MakeContextCurrent(first);
  if (backBuffers) {
    EXPECT_TRUE(Near(PixelAt(5, 5), kRed)) << "the first frame stays in the first back buffer";
  }
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_TRUE(Near(PixelAt(5, 5), kBlue)) << "the first context's clear colour";
  DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), kRed)) << "the first context's texture";
  EXPECT_TRUE(Near(PixelAt(kSurfaceSize - 5, 5), kBlue)) << "outside its viewport";

  // Ending a context that is not current leaves the current one as it was.
  fixedgl::EndContext(second.context);
  second.context = nullptr;
  EXPECT_EQ(fixedgl::CurrentContext(), first);
  glClear(GL_COLOR_BUFFER_BIT);
  DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
  EXPECT_TRUE(Near(PixelAt(5, 5), kRed));
}

INSTANTIATE_TEST_SUITE_P(Framebuffers, ContextTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                           return info.param ? "BackBuffers" : "EsFramebuffer";
                         });

// A program sized before its first context (a popup window is) must not
// reach the ES calls, and the call changes no context.
TEST_F(FixedGlTest, ViewportWithoutCurrentContextDoesNothing) {
  fixedgl::State *context = fixedgl::CurrentContext();
  fixedgl::MakeContextCurrent(nullptr);
  EXPECT_EQ(fixedgl::CurrentContext(), nullptr);
  glViewport(0, 0, 640, 480);
  fixedgl::MakeContextCurrent(context);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], kSurfaceSize);
}

} // namespace
