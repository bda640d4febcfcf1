// Display lists as recorded calls: between NewList and EndList the calls a list may hold
// are kept, and CallList plays them again into the gathered drawing, transformed by the
// matrices of the moment. Lists live in the layer's memory: a lost context takes none.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

struct Op {
  enum Kind : uint8_t { BeginOp, EndOp, VertexOp, TexCoordOp, ColorOp, GlyphOp, CallOp } What;
  GLfloat A = 0, B = 0, C = 0, D = 0;
  uint32_t Name = 0;  // the primitive, the glyph's slot or the list called
};

std::unordered_map<GLuint, std::vector<Op>> g_lists;
GLuint g_nextName = 1;
GLuint g_recording = 0;  // the list being recorded, 0 when none
bool g_executeToo = false;
std::vector<Op> g_record;
int g_callDepth = 0;

// Lists calling lists: deeper than this is taken for a loop.
constexpr int kMaxCallDepth = 64;

bool Recording() { return g_recording != 0; }

void Keep(const Op& op) { g_record.push_back(op); }

void Play(GLuint list);

void SetColour(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  GLfloat* c = Server().Color;
  c[0] = r;
  c[1] = g;
  c[2] = b;
  c[3] = a;
}

void Run(const Op& op) {
  switch (op.What) {
    case Op::BeginOp: BeginPrimitive(op.Name); break;
    case Op::EndOp: EndPrimitive(); break;
    case Op::VertexOp: AddVertex(op.A, op.B, op.C); break;
    case Op::TexCoordOp: SetTexCoord(op.A, op.B); break;
    case Op::ColorOp: SetColour(op.A, op.B, op.C, op.D); break;
    case Op::GlyphOp: DrawGlyph(static_cast<int>(op.Name)); break;
    case Op::CallOp: Play(op.Name); break;
  }
}

void Play(GLuint list) {
  if (g_callDepth >= kMaxCallDepth) return;
  const auto found = g_lists.find(list);
  if (found == g_lists.end()) return;
  ++g_callDepth;
  for (const Op& op : found->second) Run(op);
  --g_callDepth;
}

GLuint ListName(GLenum type, const GLvoid* lists, GLsizei i) {
  switch (type) {
    case GL_UNSIGNED_BYTE: return static_cast<const GLubyte*>(lists)[i];
    case GL_BYTE: return static_cast<GLuint>(static_cast<const GLbyte*>(lists)[i]);
    case GL_UNSIGNED_SHORT: return static_cast<const GLushort*>(lists)[i];
    case GL_SHORT: return static_cast<GLuint>(static_cast<const GLshort*>(lists)[i]);
    case GL_UNSIGNED_INT: return static_cast<const GLuint*>(lists)[i];
    case GL_INT: return static_cast<GLuint>(static_cast<const GLint*>(lists)[i]);
    default: return 0;
  }
}

}  // namespace

GLuint GenLists(GLsizei range) {
  if (range <= 0) return 0;
  const GLuint first = g_nextName;
  g_nextName += static_cast<GLuint>(range);
  for (GLsizei i = 0; i < range; ++i) g_lists[first + static_cast<GLuint>(i)];
  return first;
}

void DeleteLists(GLuint list, GLsizei range) {
  for (GLsizei i = 0; i < range; ++i) g_lists.erase(list + static_cast<GLuint>(i));
}

GLboolean IsList(GLuint list) { return g_lists.count(list) != 0 ? GL_TRUE : GL_FALSE; }

void NewList(GLuint list, GLenum mode) {
  if (list == 0 || Recording()) return;
  g_recording = list;
  g_executeToo = mode == GL_COMPILE_AND_EXECUTE;
  g_record.clear();
}

void EndList() {
  if (!Recording()) return;
  g_lists[g_recording] = g_record;
  g_record.clear();
  g_recording = 0;
  g_executeToo = false;
}

void CallList(GLuint list) {
  if (Recording()) {
    Keep(Op{Op::CallOp, 0, 0, 0, 0, list});
    if (!g_executeToo) return;
  }
  Play(list);
}

void CallLists(GLsizei n, GLenum type, const GLvoid* lists) {
  const GLuint base = Server().ListBaseValue;
  if (Recording()) {
    for (GLsizei i = 0; i < n; ++i) Keep(Op{Op::CallOp, 0, 0, 0, 0, base + ListName(type, lists, i)});
    if (!g_executeToo) return;
  }
  for (GLsizei i = 0; i < n; ++i) Play(base + ListName(type, lists, i));
}

void ListBase(GLuint base) { Server().ListBaseValue = base; }

void Begin(GLenum mode) {
  if (Recording()) {
    Keep(Op{Op::BeginOp, 0, 0, 0, 0, mode});
    if (!g_executeToo) return;
  }
  BeginPrimitive(mode);
}

void End() {
  if (Recording()) {
    Keep(Op{Op::EndOp});
    if (!g_executeToo) return;
  }
  EndPrimitive();
}

void Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (Recording()) {
    Keep(Op{Op::VertexOp, x, y, z});
    if (!g_executeToo) return;
  }
  AddVertex(x, y, z);
}

void Vertex2f(GLfloat x, GLfloat y) {
  if (Recording()) {
    Keep(Op{Op::VertexOp, x, y, 0});
    if (!g_executeToo) return;
  }
  AddVertex(x, y, 0);
}

void TexCoord2f(GLfloat s, GLfloat t) {
  if (Recording()) {
    Keep(Op{Op::TexCoordOp, s, t});
    if (!g_executeToo) return;
  }
  SetTexCoord(s, t);
}

void TexCoord2d(GLdouble s, GLdouble t) { TexCoord2f(static_cast<GLfloat>(s), static_cast<GLfloat>(t)); }

void Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  if (Recording()) {
    Keep(Op{Op::ColorOp, r, g, b, a});
    if (!g_executeToo) return;
  }
  SetColour(r, g, b, a);
}

void Color3f(GLfloat r, GLfloat g, GLfloat b) { Color4f(r, g, b, 1); }

void Bitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
            const GLubyte* bitmap) {
  const int glyph = AddGlyph(width, height, xorig, yorig, xmove, ymove, bitmap, Client().UnpackAlignment);
  if (Recording()) {
    Keep(Op{Op::GlyphOp, 0, 0, 0, 0, static_cast<uint32_t>(glyph)});
    if (!g_executeToo) return;
  }
  DrawGlyph(glyph);
}

void ResetLists() {
  g_lists.clear();
  g_nextName = 1;
  g_recording = 0;
  g_executeToo = false;
  g_record.clear();
  g_callDepth = 0;
}

}  // namespace GlCompat
