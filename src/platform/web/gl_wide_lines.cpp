// Lines wider than a pixel, which WebGL does not draw: each segment becomes a quad as
// wide as the line along the axis it crosses least, as OpenGL widens its lines.
#include <cmath>
#include <cstddef>
#include <vector>

#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

bool g_collecting = false;
std::vector<GLfloat> g_points;  // x, y, z of each vertex

}  // namespace

bool BeginWideLines(GLenum mode) {
  g_collecting = mode == GL_LINES && Server().LineWidthValue > 1.0f;
  g_points.clear();
  return g_collecting;
}

bool AddWideLineVertex(GLfloat x, GLfloat y, GLfloat z) {
  if (!g_collecting) return false;
  g_points.insert(g_points.end(), {x, y, z});
  return true;
}

bool EndWideLines() {
  if (!g_collecting) return false;
  g_collecting = false;
  const GLfloat half = Server().LineWidthValue / 2;
  ::glBegin(GL_QUADS);
  for (size_t i = 0; i + 6 <= g_points.size(); i += 6) {
    const GLfloat* a = &g_points[i];
    const GLfloat* b = &g_points[i + 3];
    const bool xMajor = std::fabs(b[0] - a[0]) >= std::fabs(b[1] - a[1]);
    const GLfloat ox = xMajor ? 0 : half, oy = xMajor ? half : 0;
    ::glVertex3f(a[0] - ox, a[1] - oy, a[2]);
    ::glVertex3f(b[0] - ox, b[1] - oy, b[2]);
    ::glVertex3f(b[0] + ox, b[1] + oy, b[2]);
    ::glVertex3f(a[0] + ox, a[1] + oy, a[2]);
  }
  ::glEnd();
  g_points.clear();
  return true;
}

}  // namespace GlCompat
