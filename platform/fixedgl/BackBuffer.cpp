// The offscreen back buffer: a colour texture and a 16-bit depth buffer in a
// framebuffer object that every OpenGL 1.1 call draws into and reads from,
// and the copy of it to the ES context's own framebuffer when a frame is
// presented.
#include "FixedGl.h"
#include "Shaders.h"
#include "State.h"

namespace fixedgl {

namespace {

// One triangle that covers the whole viewport.
const GLfloat kCoveringTriangle[] = {-1.0f, -1.0f, 0.0f, 3.0f, -1.0f, 0.0f, -1.0f, 3.0f, 0.0f};

bool MakeFramebuffer(BackBuffer &buffer, std::string *error) {
  const Es2Functions &es2 = state.es2;
  es2.GenTextures(1, &buffer.colour);
  es2.BindTexture(GL_TEXTURE_2D, buffer.colour);
  es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  es2.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, buffer.width, buffer.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
  es2.GenRenderbuffers(1, &buffer.depth);
  es2.BindRenderbuffer(GL_RENDERBUFFER, buffer.depth);
  es2.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, buffer.width, buffer.height);
  es2.GenFramebuffers(1, &buffer.framebuffer);
  es2.BindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
  es2.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, buffer.colour, 0);
  es2.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffer.depth);
  es2.BindTexture(GL_TEXTURE_2D, BoundEs2Texture());
  if (es2.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    *error = "the ES context cannot draw into an offscreen framebuffer";
    return false;
  }
  return true;
}

bool MakePresentProgram(BackBuffer &buffer, std::string *error) {
  const Es2Functions &es2 = state.es2;
  buffer.program = BuildPresentProgram(es2, &buffer.locations, error);
  if (!buffer.program)
    return false;
  es2.UseProgram(buffer.program);
  es2.Uniform1i(buffer.locations.sampler, 0);
  const GLfloat size[] = {static_cast<GLfloat>(buffer.width), static_cast<GLfloat>(buffer.height),
                          1.0f, 1.0f};
  es2.Uniform4fv(buffer.locations.size, 1, size);
  es2.UseProgram(state.program);
  es2.GenBuffers(1, &buffer.vertices);
  es2.BindBuffer(GL_ARRAY_BUFFER, buffer.vertices);
  es2.BufferData(GL_ARRAY_BUFFER, sizeof kCoveringTriangle, kCoveringTriangle, GL_STATIC_DRAW);
  BindVertexBuffer();
  return true;
}

} // namespace

bool UseBackBuffer(int width, int height, std::string *error) {
  EndBackBuffer();
  BackBuffer &buffer = state.backBuffer;
  buffer.width = width;
  buffer.height = height;
  if (!MakeFramebuffer(buffer, error) || !MakePresentProgram(buffer, error)) {
    EndBackBuffer();
    return false;
  }
  // A new buffer's content is undefined; a window starts cleared.
  state.es2.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

void PresentBackBuffer() {
  const BackBuffer &buffer = state.backBuffer;
  if (!buffer.framebuffer)
    return;
  const Es2Functions &es2 = state.es2;
  es2.BindFramebuffer(GL_FRAMEBUFFER, 0);
  es2.Viewport(0, 0, buffer.width, buffer.height);
  es2.Disable(GL_DEPTH_TEST);
  es2.UseProgram(buffer.program);
  es2.BindTexture(GL_TEXTURE_2D, buffer.colour);
  es2.BindBuffer(GL_ARRAY_BUFFER, buffer.vertices);
  es2.VertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
  es2.DisableVertexAttribArray(kNormalAttribute);
  es2.DisableVertexAttribArray(kTexCoordAttribute);
  es2.DrawArrays(GL_TRIANGLES, 0, 3);

  BindVertexBuffer();
  es2.BindTexture(GL_TEXTURE_2D, BoundEs2Texture());
  es2.UseProgram(state.program);
  if (state.depthTest)
    es2.Enable(GL_DEPTH_TEST);
  es2.Viewport(state.viewport[0], state.viewport[1], state.viewport[2], state.viewport[3]);
  es2.BindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
}

void EndBackBuffer() {
  BackBuffer &buffer = state.backBuffer;
  const Es2Functions &es2 = state.es2;
  if (buffer.framebuffer) {
    es2.BindFramebuffer(GL_FRAMEBUFFER, 0);
    es2.DeleteFramebuffers(1, &buffer.framebuffer);
  }
  if (buffer.depth)
    es2.DeleteRenderbuffers(1, &buffer.depth);
  if (buffer.colour)
    es2.DeleteTextures(1, &buffer.colour);
  if (buffer.program)
    es2.DeleteProgram(buffer.program);
  if (buffer.vertices)
    es2.DeleteBuffers(1, &buffer.vertices);
  buffer = BackBuffer();
}

} // namespace fixedgl
