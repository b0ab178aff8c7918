// glGetError after calls that OpenGL 1.1 refuses: the error, and that the
// refused call changed nothing.
#include "FixedGlTest.h"

#include <functional>
#include <string>
#include <vector>

#include <GL/glu.h>

namespace {

struct RefusedCall {
  std::string what;
  std::function<void()> call;
  GLenum error;
};

using ErrorTest = FixedGlTest;

TEST_F(ErrorTest, RefusedCallsReportTheirError) {
  const GLuint kUnknown = 0x1234;
  GLuint name = 0;
  const unsigned char texel[3] = {};
  const std::vector<RefusedCall> calls = {
      {"glBegin(unknown)", [&] { glBegin(kUnknown); }, GL_INVALID_ENUM},
      {"glEnd outside", [] { glEnd(); }, GL_INVALID_OPERATION},
      {"glEnable(unknown)", [&] { glEnable(kUnknown); }, GL_INVALID_ENUM},
      {"glMatrixMode(unknown)", [&] { glMatrixMode(kUnknown); }, GL_INVALID_ENUM},
      {"glLightf(GL_LIGHT0 + 8)", [] { glLightf(GL_LIGHT0 + 8, GL_CONSTANT_ATTENUATION, 1.0f); },
       GL_INVALID_ENUM},
      {"glLightf(GL_AMBIENT)", [] { glLightf(GL_LIGHT1, GL_AMBIENT, 1.0f); }, GL_INVALID_ENUM},
      {"negative attenuation", [] { glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, -1.0f); },
       GL_INVALID_VALUE},
      {"glDepthFunc(unknown)", [&] { glDepthFunc(kUnknown); }, GL_INVALID_ENUM},
      {"glClear(unknown bit)", [] { glClear(GL_COLOR_BUFFER_BIT | 1); }, GL_INVALID_VALUE},
      {"negative viewport", [] { glViewport(0, 0, -1, 10); }, GL_INVALID_VALUE},
      {"glPixelStorei(3)", [] { glPixelStorei(GL_UNPACK_ALIGNMENT, 3); }, GL_INVALID_VALUE},
      {"glGenTextures(-1)", [&] { glGenTextures(-1, &name); }, GL_INVALID_VALUE},
      {"glTexImage2D(negative width)",
       [&] { glTexImage2D(GL_TEXTURE_2D, 0, 3, -2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texel); },
       GL_INVALID_VALUE},
      {"glTexImage2D(level -1)",
       [&] { glTexImage2D(GL_TEXTURE_2D, -1, 3, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel); },
       GL_INVALID_VALUE},
      {"glTexImage2D(unknown format)",
       [&] { glTexImage2D(GL_TEXTURE_2D, 0, 3, 1, 1, 0, kUnknown, GL_UNSIGNED_BYTE, texel); },
       GL_INVALID_ENUM},
      {"mipmap magnification filter",
       [] { glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR_MIPMAP_LINEAR); },
       GL_INVALID_ENUM},
      {"glHint(unknown)", [&] { glHint(GL_PERSPECTIVE_CORRECTION_HINT, kUnknown); },
       GL_INVALID_ENUM},
  };
  for (const RefusedCall &refused : calls) {
    refused.call();
    EXPECT_EQ(glGetError(), refused.error) << refused.what;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << refused.what << ", read twice";
  }

  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], kSurfaceSize) << "the refused viewport was not taken";
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
}

// Only vertex, normal and texture coordinate calls may come between glBegin
// and glEnd; the others are refused and change nothing, and the pair still
// draws.
TEST_F(ErrorTest, OnlyVertexDataBetweenBeginAndEnd) {
  glBegin(GL_QUADS);
  glTranslatef(5.0f, 0.0f, 0.0f);
  gluPerspective(45.0, 1.0, 1.0, 10.0);
  glEnable(GL_LIGHTING);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "glGetError itself is refused";
  glBegin(GL_QUADS);
  glVertex3f(-1.0f, -1.0f, 0.0f);
  glVertex3f(1.0f, -1.0f, 0.0f);
  glVertex3f(1.0f, 1.0f, 0.0f);
  glVertex3f(-1.0f, 1.0f, 0.0f);
  glEnd();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
  EXPECT_TRUE(Near(PixelAt(32, 32), {255, 255, 255})) << "drawn unmoved, unlit";
}

} // namespace
