#include "Geometry.h"

#include <windows.h>

#include <GL/gl.h>

namespace {

struct TexturedVertex {
  GLfloat s, t;
  GLfloat x, y, z;
};

struct CubeFace {
  GLfloat normal[3];
  TexturedVertex vertices[4];
};

// Seen from above the floor is wound counter-clockwise; t = 5 runs along the
// edge z = 0 and s = 5 along the edge x = 100.
const TexturedVertex kFloor[4] = {
    {0, 5, 0, 0, 0},
    {0, 0, 0, 0, 100},
    {5, 0, 100, 0, 100},
    {5, 5, 100, 0, 0},
};

// Every face is wound counter-clockwise seen from the side its normal points to.
const CubeFace kCube[6] = {
    {{0, 0, 1}, {{0, 0, 0, 0, 1}, {1, 0, 1, 0, 1}, {1, 1, 1, 1, 1}, {0, 1, 0, 1, 1}}},
    {{0, 0, -1}, {{1, 0, 0, 0, 0}, {1, 1, 0, 1, 0}, {0, 1, 1, 1, 0}, {0, 0, 1, 0, 0}}},
    {{0, 1, 0}, {{0, 1, 0, 1, 0}, {0, 0, 0, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, 0}}},
    {{0, -1, 0}, {{1, 1, 0, 0, 0}, {0, 1, 1, 0, 0}, {0, 0, 1, 0, 1}, {1, 0, 0, 0, 1}}},
    {{1, 0, 0}, {{1, 0, 1, 0, 0}, {1, 1, 1, 1, 0}, {0, 1, 1, 1, 1}, {0, 0, 1, 0, 1}}},
    {{-1, 0, 0}, {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 1}, {1, 1, 0, 1, 1}, {0, 1, 0, 1, 0}}},
};

void IssueVertex(const TexturedVertex &vertex) {
  glTexCoord2f(vertex.s, vertex.t);
  glVertex3f(vertex.x, vertex.y, vertex.z);
}

} // namespace

void DrawFloor() {
  // No normal of its own: the floor is lit with the current normal.
  glBegin(GL_POLYGON);
  for (const TexturedVertex &vertex : kFloor)
    IssueVertex(vertex);
  glEnd();
}

void DrawCube() {
  glBegin(GL_QUADS);
  for (const CubeFace &face : kCube) {
    glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
    for (const TexturedVertex &vertex : face.vertices)
      IssueVertex(vertex);
  }
  glEnd();
}
