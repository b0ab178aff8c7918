// The context's start and end, its default state, and the helpers every call
// shares: errors, the Begin/End check and the current matrix. There is one
// context at a time and nothing is shared between contexts.
#include "FixedGl.h"
#include "Shaders.h"
#include "State.h"

namespace fixedgl {

State state;

namespace {

Light DefaultLight(int index) {
  Light light;
  light.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  // Light 0 alone shines white by default.
  if (index == 0)
    light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  else
    light.diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
  light.eyePosition = {0.0f, 0.0f, 1.0f, 0.0f};
  light.attenuation = {1.0f, 0.0f, 0.0f};
  light.enabled = false;
  return light;
}

} // namespace

// The vertex buffer stays bound; each draw refills it with its triangles.
void BindVertexBuffer() {
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

GLuint BoundEs2Texture() {
  auto bound = state.textures.find(state.boundTexture);
  return bound == state.textures.end() ? 0 : bound->second.es2Name;
}

namespace {

// The ES state the library passes calls through to, set to OpenGL 1.1's
// defaults in case the context was used before.
void ResetForwardedState() {
  const Es2Functions &es2 = state.es2;
  es2.Disable(GL_DEPTH_TEST);
  es2.DepthFunc(GL_LESS);
  es2.ClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  es2.ClearDepthf(1.0f);
  es2.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
  es2.BindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

bool StartContext(const Es2Functions &functions, std::string *error) {
  state = State();
  state.es2 = functions;
  // Errors of whatever used the ES context before are not this context's.
  TakeEs2Errors();
  state.error = GL_NO_ERROR;
  state.matrixMode = GL_MODELVIEW;
  state.modelview = Identity();
  state.projection = Identity();
  state.textureMatrix = Identity();
  state.insideBeginEnd = false;
  state.normal = {0.0f, 0.0f, 1.0f};
  state.texCoord = {0.0f, 0.0f};
  state.lighting = false;
  state.depthTest = false;
  for (int i = 0; i < kLightCount; ++i)
    state.lights[i] = DefaultLight(i);
  state.texturing = false;
  state.boundTexture = 0;
  state.textures[0] = Texture{0, 0, 0, GL_NEAREST_MIPMAP_LINEAR};
  state.nextTextureName = 1;
  state.unpackAlignment = 4;
  state.packAlignment = 4;

  ProgramLocations locations;
  state.program = BuildProgram(state.es2, &locations, error);
  if (!state.program)
    return false;
  state.locations = locations;
  state.es2.UseProgram(state.program);
  state.es2.Uniform1i(locations.sampler, 0);
  state.es2.GenBuffers(1, &state.vertexBuffer);
  BindVertexBuffer();
  ResetForwardedState();
  state.es2.GetIntegerv(GL_MAX_TEXTURE_SIZE, &state.maxTextureSize);
  state.es2.GetIntegerv(GL_VIEWPORT, state.viewport.data());
  return true;
}

void EndContext() {
  const Es2Functions &es2 = state.es2;
  for (const auto &entry : state.textures) {
    if (entry.second.es2Name)
      es2.DeleteTextures(1, &entry.second.es2Name);
  }
  state.textures.clear();
  EndBackBuffer();
  es2.DeleteBuffers(1, &state.vertexBuffer);
  es2.DeleteProgram(state.program);
  state.program = 0;
}

namespace {

// ES 2.0 keeps one flag per kind of error, WebGL one more for a lost context;
// a bound keeps a context that never clears them from holding the call up.
const int kMostEs2Errors = 8;

// An ES error as the OpenGL 1.1 error it means. A framebuffer that cannot be
// drawn into or read (the back buffer) refuses the call as OpenGL 1.1 refuses
// a call the state does not allow; a lost WebGL context, whose objects are
// gone, leaves the state undefined as running out of memory does.
GLenum AsOpenGl11Error(GLenum es2Error) {
  switch (es2Error) {
  case GL_INVALID_ENUM:
  case GL_INVALID_VALUE:
  case GL_INVALID_OPERATION:
  case GL_OUT_OF_MEMORY:
    return es2Error;
  case GL_INVALID_FRAMEBUFFER_OPERATION:
    return GL_INVALID_OPERATION;
  default:
    return GL_OUT_OF_MEMORY;
  }
}

void KeepFirstError(GLenum error) {
  if (state.error == GL_NO_ERROR)
    state.error = error;
}

} // namespace

bool TakeEs2Errors() {
  bool raised = false;
  for (int i = 0; i < kMostEs2Errors; ++i) {
    const GLenum error = state.es2.GetError();
    if (error == GL_NO_ERROR)
      break;
    KeepFirstError(AsOpenGl11Error(error));
    raised = true;
  }
  return raised;
}

void RecordError(GLenum error) {
  TakeEs2Errors();
  KeepFirstError(error);
}

bool RefusedInsideBeginEnd() {
  if (state.insideBeginEnd)
    RecordError(GL_INVALID_OPERATION);
  return state.insideBeginEnd;
}

Matrix &CurrentMatrix() {
  switch (state.matrixMode) {
  case GL_PROJECTION:
    return state.projection;
  case GL_TEXTURE:
    return state.textureMatrix;
  default:
    return state.modelview;
  }
}

} // namespace fixedgl

GLenum APIENTRY glGetError(void) {
  using fixedgl::state;
  if (fixedgl::RefusedInsideBeginEnd())
    return GL_NO_ERROR;
  fixedgl::TakeEs2Errors();
  GLenum error = state.error;
  state.error = GL_NO_ERROR;
  return error;
}
