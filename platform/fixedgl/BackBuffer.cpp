// The offscreen back buffer: a colour texture and a 16-bit depth buffer in a
// framebuffer object that every OpenGL 1.1 call draws into and reads from,
// and the copy of it to the ES context's own framebuffer when a frame is
// presented. Making and presenting it change the ES state, which is set from
// the context's state again afterwards.
#include "FixedGl.h"
#include "Shaders.h"
#include "State.h"

namespace fixedgl {

namespace {

// One triangle that covers the whole viewport.
const GLfloat kCoveringTriangle[] = {-1.0f, -1.0f, 0.0f, 3.0f, -1.0f, 0.0f, -1.0f, 3.0f, 0.0f};

bool MakeFramebuffer(const Es2Functions &es2, BackBuffer &buffer, std::string *error) {
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
  if (es2.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    *error = "the ES context cannot draw into an offscreen framebuffer";
    return false;
  }
  return true;
}

bool MakePresentProgram(const Es2Functions &es2, BackBuffer &buffer, std::string *error) {
  buffer.program = BuildPresentProgram(es2, &buffer.locations, error);
  if (!buffer.program)
    return false;
  es2.UseProgram(buffer.program);
  es2.Uniform1i(buffer.locations.sampler, 0);
  const GLfloat size[] = {static_cast<GLfloat>(buffer.width), static_cast<GLfloat>(buffer.height),
                          1.0f, 1.0f};
  es2.Uniform4fv(buffer.locations.size, 1, size);
  es2.GenBuffers(1, &buffer.vertices);
  es2.BindBuffer(GL_ARRAY_BUFFER, buffer.vertices);
  es2.BufferData(GL_ARRAY_BUFFER, sizeof kCoveringTriangle, kCoveringTriangle, GL_STATIC_DRAW);
  return true;
}

} // namespace

bool UseBackBuffer(int width, int height, std::string *error) {
  State &state = Current();
  EndBackBuffer(state);
  BackBuffer &buffer = state.backBuffer;
  buffer.width = width;
  buffer.height = height;
  const bool made =
      MakeFramebuffer(state.es2, buffer, error) && MakePresentProgram(state.es2, buffer, error);
  if (!made)
    EndBackBuffer(state);
  SetEs2State(state);
  if (!made)
    return false;
  // A new buffer's content is undefined; a window starts cleared.
  state.es2.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

void PresentBackBuffer() {
  if (!current || !current->backBuffer.framebuffer)
    return;
  const State &state = *current;
  const BackBuffer &buffer = state.backBuffer;
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
  SetEs2State(state);
}

// What is deleted is unbound where it was bound (the back buffer's own
// framebuffer, for its context) and nowhere else: a current context that is
// another one keeps its bindings.
void EndBackBuffer(State &state) {
  BackBuffer &buffer = state.backBuffer;
  const Es2Functions &es2 = state.es2;
  if (buffer.framebuffer)
    es2.DeleteFramebuffers(1, &buffer.framebuffer);
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
