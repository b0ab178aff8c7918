// Drawing a batch of triangles: the vertex buffer is refilled with them and
// the shader program gets the matrices, the enabled lights and the texture
// as they are at glEnd.
#include "State.h"

namespace fixedgl {

namespace {

// The default material and the light model's ambient colour; there is no
// glMaterial or glLightModel to change them.
const float kMaterialAmbient[3] = {0.2f, 0.2f, 0.2f};
const float kMaterialDiffuse[3] = {0.8f, 0.8f, 0.8f};
const float kModelAmbient[3] = {0.2f, 0.2f, 0.2f};
// The current colour, which glColor would change.
const float kCurrentColour[3] = {1.0f, 1.0f, 1.0f};

void SetLighting(const State &state, const ProgramLocations &at) {
  const Es2Functions &es2 = state.es2;
  if (!state.lighting) {
    es2.Uniform3fv(at.baseColour, 1, kCurrentColour);
    es2.Uniform1i(at.lightCount, 0);
    return;
  }
  float sceneAmbient[3];
  for (int c = 0; c < 3; ++c)
    sceneAmbient[c] = kModelAmbient[c] * kMaterialAmbient[c];
  es2.Uniform3fv(at.baseColour, 1, sceneAmbient);

  float positions[kLightCount][4], ambient[kLightCount][3], diffuse[kLightCount][3],
      attenuation[kLightCount][3];
  int count = 0;
  for (const Light &light : state.lights) {
    if (!light.enabled)
      continue;
    for (int c = 0; c < 3; ++c) {
      ambient[count][c] = light.ambient[c] * kMaterialAmbient[c];
      diffuse[count][c] = light.diffuse[c] * kMaterialDiffuse[c];
      attenuation[count][c] = light.attenuation[c];
    }
    for (int c = 0; c < 4; ++c)
      positions[count][c] = light.eyePosition[c];
    ++count;
  }
  es2.Uniform1i(at.lightCount, count);
  if (count == 0)
    return;
  es2.Uniform4fv(at.lightPosition, count, positions[0]);
  es2.Uniform3fv(at.lightAmbient, count, ambient[0]);
  es2.Uniform3fv(at.lightDiffuse, count, diffuse[0]);
  es2.Uniform3fv(at.lightAttenuation, count, attenuation[0]);
}

} // namespace

void DrawVertices(const State &state, const std::vector<Vertex> &triangles) {
  const Es2Functions &es2 = state.es2;
  const ProgramLocations &at = state.locations;
  es2.UniformMatrix4fv(at.modelview, 1, GL_FALSE, state.modelview.data());
  es2.UniformMatrix4fv(at.projection, 1, GL_FALSE, state.projection.data());
  es2.UniformMatrix4fv(at.textureMatrix, 1, GL_FALSE, state.textureMatrix.data());
  es2.UniformMatrix3fv(at.normalMatrix, 1, GL_FALSE, NormalMatrix(state.modelview).data());
  SetLighting(state, at);

  const Texture &texture = state.textures.at(state.boundTexture);
  const bool complete =
      texture.width > 0 && (texture.minFilter == GL_NEAREST || texture.minFilter == GL_LINEAR);
  es2.Uniform1i(at.texturing, state.texturing && complete);

  es2.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(triangles.size() * sizeof(Vertex)),
                 triangles.data(), GL_STREAM_DRAW);
  es2.DrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(triangles.size()));
}

} // namespace fixedgl
