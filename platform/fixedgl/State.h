// The state of one OpenGL 1.1 context the library emulates (FixedGl.h),
// shared by the files that implement its calls: they act on the current
// context's state. Every member starts at OpenGL 1.1's default, but for what
// StartContext takes from the surface and the ES context.
#ifndef QUELLOR_FIXEDGL_STATE_H
#define QUELLOR_FIXEDGL_STATE_H

#include "Es2Functions.h"
#include "Matrix.h"

#include <array>
#include <map>
#include <vector>

namespace fixedgl {

const int kLightCount = 8;

struct Light {
  std::array<float, 4> ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  std::array<float, 4> diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
  std::array<float, 4> eyePosition = {0.0f, 0.0f, 1.0f, 0.0f}; // transformed when it was given
  std::array<float, 3> attenuation = {1.0f, 0.0f, 0.0f};       // constant, linear, quadratic
  bool enabled = false;
};

struct Vertex {
  std::array<float, 3> position;
  std::array<float, 3> normal;
  std::array<float, 2> texCoord;
};

struct Texture {
  GLuint es2Name = 0; // 0 until first bound (and always 0 for texture 0)
  int width = 0;      // 0 until an image is given
  int height = 0;
  // With a mipmap filter the texture lacks levels and is not used.
  GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
};

// Where the shader program's inputs are.
struct ProgramLocations {
  GLint modelview, projection, normalMatrix, textureMatrix;
  GLint baseColour, lightCount;
  GLint lightPosition, lightAmbient, lightDiffuse, lightAttenuation;
  GLint texturing, sampler;
};

struct PresentLocations {
  GLint sampler, size;
};

// An offscreen back buffer (UseBackBuffer in FixedGl.h); all 0 without one.
struct BackBuffer {
  GLuint framebuffer = 0, colour = 0, depth = 0;
  GLuint program = 0, vertices = 0;
  PresentLocations locations = {};
  GLsizei width = 0, height = 0;
};

struct State {
  Es2Functions es2 = {};
  GLenum error = GL_NO_ERROR;

  GLenum matrixMode = GL_MODELVIEW;
  Matrix modelview = Identity();
  Matrix projection = Identity();
  Matrix textureMatrix = Identity();

  // Between glBegin and glEnd: the mode and the vertices so far.
  bool insideBeginEnd = false;
  GLenum primitive = GL_QUADS;
  std::vector<Vertex> vertices;
  // Current values, kept across glBegin/glEnd pairs and frames.
  std::array<float, 3> normal = {0.0f, 0.0f, 1.0f};
  std::array<float, 2> texCoord = {0.0f, 0.0f};

  bool lighting = false;
  // Light 0 alone shines white by default.
  std::array<Light, kLightCount> lights = {
      Light{{0.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}}};

  bool depthTest = false;
  GLenum depthFunc = GL_LESS;
  std::array<GLfloat, 4> clearColour = {0.0f, 0.0f, 0.0f, 0.0f};
  GLfloat clearDepth = 1.0f;

  bool texturing = false;
  GLuint boundTexture = 0;
  std::map<GLuint, Texture> textures = {{0, Texture()}}; // every name in use, 0 included
  GLuint nextTextureName = 1;
  GLint maxTextureSize = 0; // the ES context's

  GLint unpackAlignment = 4;
  GLint packAlignment = 4;
  std::array<GLint, 4> viewport = {0, 0, 0, 0}; // the surface's size at the start

  GLuint program = 0;
  ProgramLocations locations = {};
  GLuint vertexBuffer = 0;
  BackBuffer backBuffer;
};

// The current context's state; null while no context is current.
extern State *current;

inline State &Current() { return *current; }

// Sets every ES state the library relies on from the context's tracked state:
// the framebuffer drawn into (its back buffer, if it has one), the viewport,
// the depth test, the clear values, the unpack alignment, the program, the
// bound texture and the vertex buffer with its attributes. Used when a
// context is made current and after the library changed the ES state for its
// own ends (making and presenting the back buffer).
void SetEs2State(const State &state);

// Keeps the first error until glGetError reads it. Errors the ES context
// raised before this one came first and are taken first.
void RecordError(GLenum error);

// Takes the errors the ES context has raised since it was last asked, as
// OpenGL 1.1 errors: the first is kept, unless an error is kept already.
// Returns whether there were any. Asking ES waits for it (in a browser, for
// the GPU process), so the library asks only where it records an error of its
// own, where a call's outcome decides its state, and in glGetError.
bool TakeEs2Errors(State &state);

// True, after recording GL_INVALID_OPERATION, between glBegin and glEnd,
// where only vertex, normal and texture coordinate calls are allowed.
bool RefusedInsideBeginEnd();

// The matrix the matrix calls change.
Matrix &CurrentMatrix();

// Deletes the context's back buffer, if it has one (BackBuffer.cpp). The
// ES context's bindings change only where they held what is deleted.
void EndBackBuffer(State &state);

// Draws the triangles of the glBegin/glEnd pair just ended.
void DrawVertices(const State &state, const std::vector<Vertex> &triangles);

} // namespace fixedgl

#endif
