// The model-view and projection matrices with their stacks, kept here rather than in the
// real GL: every vertex is taken to clip coordinates on its way into the gathered drawing.
#include <cmath>
#include <vector>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

struct Matrix {
  GLfloat M[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// As deep as OpenGL's own stacks are at the least.
constexpr size_t kModelViewDepth = 32, kProjectionDepth = 2;

std::vector<Matrix> g_modelView(1), g_projection(1);
Matrix g_transform;
bool g_transformStale = true;

std::vector<Matrix>& Stack() { return Server().MatrixModeName == GL_PROJECTION ? g_projection : g_modelView; }
Matrix& Top() { return Stack().back(); }

// r = a * b, column-major.
Matrix Times(const Matrix& a, const Matrix& b) {
  Matrix r;
  for (int c = 0; c < 4; ++c) {
    for (int row = 0; row < 4; ++row) {
      GLfloat sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.M[k * 4 + row] * b.M[c * 4 + k];
      r.M[c * 4 + row] = sum;
    }
  }
  return r;
}

void Apply(const Matrix& m) {
  if (Server().MatrixModeName == GL_TEXTURE) return;  // texture matrices: not used by the game
  Top() = Times(Top(), m);
  g_transformStale = true;
}

}  // namespace

const GLfloat* Transform() {
  if (g_transformStale) {
    g_transform = Times(g_projection.back(), g_modelView.back());
    g_transformStale = false;
  }
  return g_transform.M;
}

void ToClip(GLfloat x, GLfloat y, GLfloat z, GLfloat clip[4]) {
  const GLfloat* m = Transform();
  for (int r = 0; r < 4; ++r) clip[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
}

void PushMatrix() {
  std::vector<Matrix>& stack = Stack();
  const size_t depth = &stack == &g_projection ? kProjectionDepth : kModelViewDepth;
  if (stack.size() < depth) stack.push_back(stack.back());
}

void PopMatrix() {
  std::vector<Matrix>& stack = Stack();
  if (stack.size() > 1) stack.pop_back();
  g_transformStale = true;
}

void LoadIdentity() {
  Top() = Matrix{};
  g_transformStale = true;
}

void Translatef(GLfloat x, GLfloat y, GLfloat z) {
  Matrix t;
  t.M[12] = x;
  t.M[13] = y;
  t.M[14] = z;
  Apply(t);
}

void Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const double length = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y + static_cast<double>(z) * z);
  if (!(length > 0)) return;
  const double ux = x / length, uy = y / length, uz = z / length;
  const double radians = static_cast<double>(angle) * 3.14159265358979323846 / 180.0;
  const double c = std::cos(radians), s = std::sin(radians), k = 1 - c;
  Matrix r;
  r.M[0] = static_cast<GLfloat>(ux * ux * k + c);
  r.M[1] = static_cast<GLfloat>(uy * ux * k + uz * s);
  r.M[2] = static_cast<GLfloat>(ux * uz * k - uy * s);
  r.M[4] = static_cast<GLfloat>(ux * uy * k - uz * s);
  r.M[5] = static_cast<GLfloat>(uy * uy * k + c);
  r.M[6] = static_cast<GLfloat>(uy * uz * k + ux * s);
  r.M[8] = static_cast<GLfloat>(ux * uz * k + uy * s);
  r.M[9] = static_cast<GLfloat>(uy * uz * k - ux * s);
  r.M[10] = static_cast<GLfloat>(uz * uz * k + c);
  Apply(r);
}

void Scalef(GLfloat x, GLfloat y, GLfloat z) {
  Matrix m;
  m.M[0] = x;
  m.M[5] = y;
  m.M[10] = z;
  Apply(m);
}

void Scaled(GLdouble x, GLdouble y, GLdouble z) {
  Scalef(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

void Ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  if (left == right || bottom == top || zNear == zFar) return;
  Matrix m;
  m.M[0] = static_cast<GLfloat>(2 / (right - left));
  m.M[5] = static_cast<GLfloat>(2 / (top - bottom));
  m.M[10] = static_cast<GLfloat>(-2 / (zFar - zNear));
  m.M[12] = static_cast<GLfloat>(-(right + left) / (right - left));
  m.M[13] = static_cast<GLfloat>(-(top + bottom) / (top - bottom));
  m.M[14] = static_cast<GLfloat>(-(zFar + zNear) / (zFar - zNear));
  Apply(m);
}

void Frustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  if (left == right || bottom == top || zNear == zFar || !(zNear > 0) || !(zFar > 0)) return;
  Matrix m;
  m.M[0] = static_cast<GLfloat>(2 * zNear / (right - left));
  m.M[5] = static_cast<GLfloat>(2 * zNear / (top - bottom));
  m.M[8] = static_cast<GLfloat>((right + left) / (right - left));
  m.M[9] = static_cast<GLfloat>((top + bottom) / (top - bottom));
  m.M[10] = static_cast<GLfloat>(-(zFar + zNear) / (zFar - zNear));
  m.M[11] = -1;
  m.M[14] = static_cast<GLfloat>(-2 * zFar * zNear / (zFar - zNear));
  m.M[15] = 0;
  Apply(m);
}

void ResetMatrices() {
  g_modelView.assign(1, Matrix{});
  g_projection.assign(1, Matrix{});
  g_transformStale = true;
}

}  // namespace GlCompat
