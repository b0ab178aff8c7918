// glBegin/glEnd with GL_QUADS and GL_POLYGON, glVertex3f, and the current
// normal and texture coordinate (glNormal3f, glTexCoord2f), which persist
// across pairs and start as (0, 0, 1) and (0, 0). At glEnd the vertices become
// triangles wound as they were given: each quad (a, b, c, d) gives (a, b, d)
// and (b, c, d), the diagonal along which Mesa's own pictures of the scene
// agree best with ours; a convex polygon becomes a fan around its first
// vertex. The last incomplete quad and polygons of fewer than three vertices
// are dropped.
// Points, lines, triangle modes, quad strips, glColor, edge flags and the
// other vertex calls are not provided.
#include "State.h"

namespace {

std::vector<fixedgl::Vertex> Triangles(GLenum primitive, const std::vector<fixedgl::Vertex> &v) {
  std::vector<fixedgl::Vertex> triangles;
  if (primitive == GL_QUADS) {
    for (size_t i = 0; i + 3 < v.size(); i += 4) {
      triangles.insert(triangles.end(), {v[i], v[i + 1], v[i + 3]});
      triangles.insert(triangles.end(), {v[i + 1], v[i + 2], v[i + 3]});
    }
  } else {
    for (size_t i = 1; i + 1 < v.size(); ++i)
      triangles.insert(triangles.end(), {v[0], v[i], v[i + 1]});
  }
  return triangles;
}

} // namespace

void APIENTRY glBegin(GLenum mode) {
  fixedgl::State &state = fixedgl::Current();
  if (fixedgl::RefusedInsideBeginEnd())
    return;
  if (mode != GL_QUADS && mode != GL_POLYGON) {
    fixedgl::RecordError(GL_INVALID_ENUM);
    return;
  }
  state.insideBeginEnd = true;
  state.primitive = mode;
  state.vertices.clear();
}

void APIENTRY glEnd(void) {
  fixedgl::State &state = fixedgl::Current();
  if (!state.insideBeginEnd) {
    fixedgl::RecordError(GL_INVALID_OPERATION);
    return;
  }
  state.insideBeginEnd = false;
  const std::vector<fixedgl::Vertex> triangles = Triangles(state.primitive, state.vertices);
  if (!triangles.empty())
    fixedgl::DrawVertices(state, triangles);
}

// Outside glBegin/glEnd a vertex has no effect.
void APIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  fixedgl::State &state = fixedgl::Current();
  if (state.insideBeginEnd)
    state.vertices.push_back({{x, y, z}, state.normal, state.texCoord});
}

void APIENTRY glNormal3f(GLfloat nx, GLfloat ny, GLfloat nz) {
  fixedgl::Current().normal = {nx, ny, nz};
}

void APIENTRY glTexCoord2f(GLfloat s, GLfloat t) { fixedgl::Current().texCoord = {s, t}; }
