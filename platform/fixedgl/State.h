// The state of the OpenGL 1.1 context the library emulates, shared by the
// files that implement its calls. There is one context at a time: the one
// StartContext set up last.
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
  std::array<float, 4> ambient;
  std::array<float, 4> diffuse;
  std::array<float, 4> eyePosition; // transformed when it was given
  std::array<float, 3> attenuation; // constant, linear, quadratic
  bool enabled;
};

struct Vertex {
  std::array<float, 3> position;
  std::array<float, 3> normal;
  std::array<float, 2> texCoord;
};

struct Texture {
  GLuint es2Name; // 0 until first bound (and always 0 for texture 0)
  int width;      // 0 until an image is given
  int height;
  GLenum minFilter; // with a mipmap filter the texture lacks levels and is not used
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
  GLuint framebuffer, colour, depth;
  GLuint program, vertices;
  PresentLocations locations;
  GLsizei width, height;
};

struct State {
  Es2Functions es2;
  GLenum error;

  GLenum matrixMode;
  Matrix modelview;
  Matrix projection;
  Matrix textureMatrix;

  // Between glBegin and glEnd: the mode and the vertices so far.
  bool insideBeginEnd;
  GLenum primitive;
  std::vector<Vertex> vertices;
  // Current values, kept across glBegin/glEnd pairs and frames.
  std::array<float, 3> normal;
  std::array<float, 2> texCoord;

  bool lighting;
  std::array<Light, kLightCount> lights;

  bool depthTest;
  bool texturing;
  GLuint boundTexture;
  std::map<GLuint, Texture> textures; // every name in use, 0 included
  GLuint nextTextureName;
  GLint maxTextureSize;

  GLint unpackAlignment;
  GLint packAlignment;
  std::array<GLint, 4> viewport;

  GLuint program;
  ProgramLocations locations;
  GLuint vertexBuffer;
  BackBuffer backBuffer;
};

extern State state;

// Keeps the first error until glGetError reads it. Errors the ES context
// raised before this one came first and are taken first.
void RecordError(GLenum error);

// Takes the errors the ES context has raised since it was last asked, as
// OpenGL 1.1 errors: the first is kept, unless an error is kept already.
// Returns whether there were any. Asking ES waits for it (in a browser, for
// the GPU process), so the library asks only where it records an error of its
// own, where a call's outcome decides its state, and in glGetError.
bool TakeEs2Errors();

// True, after recording GL_INVALID_OPERATION, between glBegin and glEnd,
// where only vertex, normal and texture coordinate calls are allowed.
bool RefusedInsideBeginEnd();

// The matrix the matrix calls change.
Matrix &CurrentMatrix();

// Deletes the back buffer, if there is one (BackBuffer.cpp).
void EndBackBuffer();

// Binds the vertex buffer and points the attributes at its vertices.
void BindVertexBuffer();

// The ES texture bound in place of the current OpenGL one.
GLuint BoundEs2Texture();

// Draws the triangles of the glBegin/glEnd pair just ended.
void DrawVertices(const std::vector<Vertex> &triangles);

} // namespace fixedgl

#endif
