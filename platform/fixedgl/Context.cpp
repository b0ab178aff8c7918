// Contexts: starting one, making one current and ending one. Each context
// owns its state and its ES objects; the calls reach the current one through
// one pointer.
#include "FixedGl.h"
#include "Shaders.h"
#include "State.h"

#include <memory>

namespace fixedgl {

State *current = nullptr;

State *StartContext(const Es2Functions &functions, int width, int height, std::string *error) {
  auto context = std::make_unique<State>();
  State &state = *context;
  state.es2 = functions;
  // Errors of whatever used the ES context before are not this context's.
  TakeEs2Errors(state);
  state.error = GL_NO_ERROR;
  state.program = BuildProgram(state.es2, &state.locations, error);
  if (!state.program)
    return nullptr;
  state.es2.UseProgram(state.program);
  state.es2.Uniform1i(state.locations.sampler, 0);
  state.es2.GenBuffers(1, &state.vertexBuffer);
  state.es2.GetIntegerv(GL_MAX_TEXTURE_SIZE, &state.maxTextureSize);
  state.viewport = {0, 0, width, height};
  MakeContextCurrent(context.get());
  return context.release();
}

void MakeContextCurrent(State *context) {
  current = context;
  if (context)
    SetEs2State(*context);
}

State *CurrentContext() { return current; }

// Only the context's own objects are deleted, none of which another context
// has bound, so the current context's ES state stays as it is.
void EndContext(State *context) {
  const Es2Functions &es2 = context->es2;
  for (const auto &entry : context->textures) {
    if (entry.second.es2Name)
      es2.DeleteTextures(1, &entry.second.es2Name);
  }
  EndBackBuffer(*context);
  es2.DeleteBuffers(1, &context->vertexBuffer);
  es2.DeleteProgram(context->program);
  if (current == context)
    current = nullptr;
  delete context;
}

} // namespace fixedgl
