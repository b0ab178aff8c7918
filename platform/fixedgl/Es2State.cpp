// The ES context's state as the current OpenGL 1.1 context needs it, set in
// one place from the tracked state: when a context is made current, and after
// the back buffer is made or presented, which change it for their own ends.
#include "Shaders.h"
#include "State.h"

namespace fixedgl {

namespace {

// Each draw refills the vertex buffer with its triangles, as laid out here.
void BindVertexBuffer(const State &state) {
  const Es2Functions &es2 = state.es2;
  es2.BindBuffer(GL_ARRAY_BUFFER, state.vertexBuffer);
  const GLsizei stride = sizeof(Vertex);
  es2.VertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void *>(offsetof(Vertex, position)));
  es2.VertexAttribPointer(kNormalAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void *>(offsetof(Vertex, normal)));
  es2.VertexAttribPointer(kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void *>(offsetof(Vertex, texCoord)));
  es2.EnableVertexAttribArray(kPositionAttribute);
  es2.EnableVertexAttribArray(kNormalAttribute);
  es2.EnableVertexAttribArray(kTexCoordAttribute);
}

// The ES texture bound in place of the current OpenGL one.
GLuint BoundEs2Texture(const State &state) {
  auto bound = state.textures.find(state.boundTexture);
  return bound == state.textures.end() ? 0 : bound->second.es2Name;
}

} // namespace

void SetEs2State(const State &state) {
  const Es2Functions &es2 = state.es2;
  es2.BindFramebuffer(GL_FRAMEBUFFER, state.backBuffer.framebuffer);
  es2.Viewport(state.viewport[0], state.viewport[1], state.viewport[2], state.viewport[3]);
  if (state.depthTest)
    es2.Enable(GL_DEPTH_TEST);
  else
    es2.Disable(GL_DEPTH_TEST);
  es2.DepthFunc(state.depthFunc);
  es2.ClearColor(state.clearColour[0], state.clearColour[1], state.clearColour[2],
                 state.clearColour[3]);
  es2.ClearDepthf(state.clearDepth);
  es2.PixelStorei(GL_UNPACK_ALIGNMENT, state.unpackAlignment);
  es2.UseProgram(state.program);
  es2.BindTexture(GL_TEXTURE_2D, BoundEs2Texture(state));
  BindVertexBuffer(state);
}

} // namespace fixedgl
