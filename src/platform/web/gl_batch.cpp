// The gathered drawing: every primitive the game draws becomes triangles in clip
// coordinates, each vertex with its texture unit, colour, texture environment, alpha test
// and blending, all in one buffer that one program draws. The two blendings the game uses
// are drawn with one blend function, the colour multiplied by its alpha in the program
// (plain transparency) or its alpha then dropped (additive light). The buffer is drawn when
// the GPU must see it (Flush), or when what it holds cannot go with what comes next (the
// depth test, opaque drawing after blended or the other way round, another blend function,
// more textures than the units).
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

// A software renderer (a browser without a GPU) runs every branch of a fragment program:
// each unit a program looks through costs every pixel a texture read. The game's pictures
// share the atlas; the font has its own texture and its own draw.
constexpr int kMaxUnits = 1;

struct Key {
  bool DepthTest = false;
  GLenum DepthFunc = GL_LESS;
  GLenum BlendSrc = GL_ONE, BlendDst = GL_ONE_MINUS_SRC_ALPHA;
  bool Blend = true;
  bool operator==(const Key& o) const {
    return DepthTest == o.DepthTest && DepthFunc == o.DepthFunc && BlendSrc == o.BlendSrc && BlendDst == o.BlendDst &&
           Blend == o.Blend;
  }
};

std::vector<BatchVertex> g_vertices;
Key g_key;
GLuint g_units[kMaxUnits] = {};
int g_unitCount = 0;
int g_maxUnits = 0;  // what the GL offers, up to kMaxUnits; 0 until asked

GLuint g_programs[kMaxUnits + 1] = {};  // by the number of units they look through
GLuint g_buffer = 0;
bool g_lost = false;
unsigned long g_drawCalls = 0;

// The primitive between Begin and End.
GLenum g_primitive = GL_QUADS;
bool g_inPrimitive = false;
std::vector<BatchVertex> g_primitiveVertices;
GLfloat g_texCoord[2] = {0, 0};

const char* const kVertexShader = R"(
attribute vec4 aClip;
attribute vec2 aTex;
attribute vec4 aColour;
attribute vec4 aMode;
varying vec2 vTex;
varying vec4 vColour;
varying vec4 vMode;
void main() {
  gl_Position = aClip;
  vTex = aTex;
  vColour = aColour;
  vMode = aMode;
}
)";

// The fragment program for `units` texture units.
std::string FragmentShader(int units) {
  std::string s =
      "#ifdef GL_ES\n#ifdef GL_FRAGMENT_PRECISION_HIGH\nprecision highp float;\n#else\nprecision mediump float;\n"
      "#endif\n#endif\nvarying vec2 vTex;\nvarying vec4 vColour;\nvarying vec4 vMode;\n";
  for (int i = 0; i < units; ++i) s += "uniform sampler2D uUnit" + std::to_string(i) + ";\n";
  // Selections by step and mix rather than by branches: a software renderer runs every
  // branch anyway, and pays for the masks besides. Weights of exactly 0 or 1 keep each
  // value as the branch would have chosen it.
  s += "void main() {\n  vec4 c = vColour;\n";
  if (units > 0) {
    s += "  float textured = step(-0.5, vMode.x);\n  vec4 t;\n";
    for (int i = 0; i < units; ++i) {
      const std::string sample = "t = texture2D(uUnit" + std::to_string(i) + ", vTex);\n";
      if (i + 1 == units) {
        s += (i == 0 ? "  " : "  else ") + sample;
      } else {
        s += std::string(i == 0 ? "  if" : "  else if") + " (vMode.x < " + std::to_string(i) + ".5) " + sample;
      }
    }
    s += "  t = mix(vec4(1.0), t, textured);\n"
         "  c = mix(c * t, t, step(0.5, vMode.y) * textured);\n";
  }
  s += "  if (c.a <= vMode.z) discard;\n"
       "  float premultiplied = step(0.5, vMode.w) * step(vMode.w, 2.5);\n"
       "  float dropped = step(1.5, vMode.w) * step(vMode.w, 2.5);\n"
       "  gl_FragColor = vec4(c.rgb * mix(1.0, c.a, premultiplied), mix(1.0, c.a, step(0.5, vMode.w)) * (1.0 - dropped));\n}\n";
  return s;
}

GLuint Compile(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  return shader;
}

GLuint MakeProgram(int units) {
  const std::string fragment = FragmentShader(units);
  const GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fs = Compile(GL_FRAGMENT_SHADER, fragment.c_str());
  const GLuint program = glCreateProgram();
  glAttachShader(program, vs);
  glAttachShader(program, fs);
  glBindAttribLocation(program, 0, "aClip");
  glBindAttribLocation(program, 1, "aTex");
  glBindAttribLocation(program, 2, "aColour");
  glBindAttribLocation(program, 3, "aMode");
  glLinkProgram(program);
  glDeleteShader(vs);
  glDeleteShader(fs);
  glUseProgram(program);
  for (int i = 0; i < units; ++i) {
    glUniform1i(glGetUniformLocation(program, ("uUnit" + std::to_string(i)).c_str()), i);
  }
  return program;
}

int MaxUnits() {
  if (g_maxUnits == 0 && !g_lost) {
    GLint offered = 0;
    ::glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &offered);
    g_maxUnits = offered < 1 ? 1 : (offered > kMaxUnits ? kMaxUnits : offered);
  }
  return g_maxUnits > 0 ? g_maxUnits : 1;
}

Key PresentKey(BlendKind blend) {
  const ServerState& s = Server();
  Key k;
  k.DepthTest = s.DepthTest;
  k.DepthFunc = s.DepthTest ? s.DepthFuncName : GL_LESS;
  // Opaque drawing goes without blending, which costs a software renderer a read of
  // every pixel it writes.
  k.Blend = blend != kOpaque;
  if (blend == kOtherBlend) {
    k.BlendSrc = s.BlendSrc;
    k.BlendDst = s.BlendDst;
  }
  return k;
}

void SetVertexArrays(bool on) {
  for (GLuint i = 0; i < 4; ++i) {
    if (on) {
      glEnableVertexAttribArray(i);
    } else {
      glDisableVertexAttribArray(i);
    }
  }
}

void Draw() {
  const int units = g_unitCount;
  GLuint& program = g_programs[units];
  if (program == 0) program = MakeProgram(units);
  if (g_buffer == 0) glGenBuffers(1, &g_buffer);
  glUseProgram(program);
  for (int i = units - 1; i >= 0; --i) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
    ::glBindTexture(GL_TEXTURE_2D, g_units[i]);
  }
  glBindBuffer(GL_ARRAY_BUFFER, g_buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(g_vertices.size() * sizeof(BatchVertex)), g_vertices.data(),
               GL_STREAM_DRAW);
  const GLsizei stride = sizeof(BatchVertex);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(BatchVertex, Clip)));
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(BatchVertex, Tex)));
  glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(BatchVertex, Colour)));
  glVertexAttribPointer(3, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(BatchVertex, Mode)));
  SetVertexArrays(true);
  if (g_key.DepthTest) {
    ::glEnable(GL_DEPTH_TEST);
    ::glDepthFunc(g_key.DepthFunc);
  } else {
    ::glDisable(GL_DEPTH_TEST);
  }
  if (g_key.Blend) {
    ::glEnable(GL_BLEND);
    ::glBlendFunc(g_key.BlendSrc, g_key.BlendDst);
  } else {
    ::glDisable(GL_BLEND);
  }
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(g_vertices.size()));
  ++g_drawCalls;
  // The real GL as the desktop's own drawing expects it (the tests draw both ways).
  SetVertexArrays(false);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glUseProgram(0);
}

// The corners of a square of `size` pixels, or of a line's width, about clip points.
GLfloat PixelsToClipX(GLfloat pixels, GLfloat w) {
  const GLint width = Server().ViewportBox[2];
  return width > 0 ? pixels * 2 / static_cast<GLfloat>(width) * w : 0;
}
GLfloat PixelsToClipY(GLfloat pixels, GLfloat w) {
  const GLint height = Server().ViewportBox[3];
  return height > 0 ? pixels * 2 / static_cast<GLfloat>(height) * w : 0;
}

BatchVertex Offset(const BatchVertex& v, GLfloat dx, GLfloat dy) {
  BatchVertex r = v;
  r.Clip[0] += dx;
  r.Clip[1] += dy;
  return r;
}

void AddQuad(const BatchVertex& a, const BatchVertex& b, const BatchVertex& c, const BatchVertex& d) {
  const BatchVertex six[6] = {a, b, c, a, c, d};
  AddTriangles(six, 6);
}

void AddPoint(const BatchVertex& v) {
  const GLfloat size = Server().PointSizeValue > 1 ? Server().PointSizeValue : 1;
  const GLfloat hx = PixelsToClipX(size / 2, v.Clip[3]), hy = PixelsToClipY(size / 2, v.Clip[3]);
  AddQuad(Offset(v, -hx, -hy), Offset(v, hx, -hy), Offset(v, hx, hy), Offset(v, -hx, hy));
}

// A line as OpenGL widens it: by its width across the axis it runs least along.
void AddLine(const BatchVertex& a, const BatchVertex& b) {
  const GLfloat half = (Server().LineWidthValue > 1 ? Server().LineWidthValue : 1) / 2;
  const GLint* vp = Server().ViewportBox;
  const GLfloat dx = (b.Clip[0] / b.Clip[3] - a.Clip[0] / a.Clip[3]) * static_cast<GLfloat>(vp[2]);
  const GLfloat dy = (b.Clip[1] / b.Clip[3] - a.Clip[1] / a.Clip[3]) * static_cast<GLfloat>(vp[3]);
  if (std::fabs(dx) >= std::fabs(dy)) {
    const GLfloat ay = PixelsToClipY(half, a.Clip[3]), by = PixelsToClipY(half, b.Clip[3]);
    AddQuad(Offset(a, 0, -ay), Offset(b, 0, -by), Offset(b, 0, by), Offset(a, 0, ay));
  } else {
    const GLfloat ax = PixelsToClipX(half, a.Clip[3]), bx = PixelsToClipX(half, b.Clip[3]);
    AddQuad(Offset(a, -ax, 0), Offset(b, -bx, 0), Offset(b, bx, 0), Offset(a, ax, 0));
  }
}

void Assemble(const std::vector<BatchVertex>& v) {
  const size_t n = v.size();
  switch (g_primitive) {
    case GL_QUADS:
      for (size_t i = 0; i + 4 <= n; i += 4) AddQuad(v[i], v[i + 1], v[i + 2], v[i + 3]);
      break;
    case GL_TRIANGLES:
      AddTriangles(v.data(), n - n % 3);
      break;
    case GL_TRIANGLE_STRIP:
      for (size_t i = 0; i + 3 <= n; ++i) {
        const BatchVertex t[3] = {v[i], v[i + 1], v[i + 2]};
        AddTriangles(t, 3);
      }
      break;
    case GL_QUAD_STRIP:
      for (size_t i = 0; i + 4 <= n; i += 2) AddQuad(v[i], v[i + 1], v[i + 3], v[i + 2]);
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (size_t i = 1; i + 2 <= n; ++i) {
        const BatchVertex t[3] = {v[0], v[i], v[i + 1]};
        AddTriangles(t, 3);
      }
      break;
    case GL_POINTS:
      for (const BatchVertex& p : v) AddPoint(p);
      break;
    case GL_LINES:
      for (size_t i = 0; i + 2 <= n; i += 2) AddLine(v[i], v[i + 1]);
      break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      for (size_t i = 0; i + 2 <= n; ++i) AddLine(v[i], v[i + 1]);
      if (g_primitive == GL_LINE_LOOP && n > 2) AddLine(v[n - 1], v[0]);
      break;
    default: break;
  }
}

GLfloat AlphaReference() {
  const ServerState& s = Server();
  if (!s.AlphaTest) return -1;
  switch (s.AlphaFuncName) {
    case GL_GREATER: return s.AlphaRef;
    case GL_GEQUAL: return s.AlphaRef - 1.0f / 512;
    case GL_NEVER: return 2;
    default: return -1;  // the others as if the test were off
  }
}

}  // namespace

BlendKind PresentBlend() {
  const ServerState& s = Server();
  if (!s.Blend || (s.BlendSrc == GL_ONE && s.BlendDst == GL_ZERO)) return kOpaque;
  if (s.BlendSrc == GL_SRC_ALPHA && s.BlendDst == GL_ONE_MINUS_SRC_ALPHA) return kAlphaBlend;
  if (s.BlendSrc == GL_SRC_ALPHA && s.BlendDst == GL_ONE) return kAdditive;
  return kOtherBlend;
}

void PrepareMode(GLuint realTexture, bool replace, GLfloat alphaRef, GLfloat mode[4]) {
  const BlendKind blend = PresentBlend();
  const Key key = PresentKey(blend);
  if (!(key == g_key)) {
    Flush();
    g_key = key;
  }
  int unit = -1;
  if (realTexture != 0) {
    for (int i = 0; i < g_unitCount; ++i) {
      if (g_units[i] == realTexture) unit = i;
    }
    if (unit < 0) {
      if (g_unitCount >= MaxUnits()) Flush();
      unit = g_unitCount++;
      g_units[unit] = realTexture;
    }
  }
  mode[0] = static_cast<GLfloat>(unit);
  mode[1] = replace ? 1.0f : 0.0f;
  mode[2] = alphaRef;
  mode[3] = static_cast<GLfloat>(blend);
}

void AddTriangles(const BatchVertex* vertices, size_t count) { g_vertices.insert(g_vertices.end(), vertices, vertices + count); }

void Flush() {
  if (g_vertices.empty()) return;
  if (!g_lost) Draw();
  g_vertices.clear();
  g_unitCount = 0;
}

void BeginPrimitive(GLenum mode) {
  g_primitive = mode;
  g_inPrimitive = true;
  g_primitiveVertices.clear();
}

void AddVertex(GLfloat x, GLfloat y, GLfloat z) {
  if (!g_inPrimitive) return;
  BatchVertex v;
  ToClip(x, y, z, v.Clip);
  v.Tex[0] = g_texCoord[0];
  v.Tex[1] = g_texCoord[1];
  for (int i = 0; i < 4; ++i) v.Colour[i] = Server().Color[i];
  g_primitiveVertices.push_back(v);
}

void SetTexCoord(GLfloat s, GLfloat t) {
  g_texCoord[0] = s;
  g_texCoord[1] = t;
}

void EndPrimitive() {
  if (!g_inPrimitive) return;
  g_inPrimitive = false;
  const ServerState& s = Server();
  GLfloat mode[4];
  const Sampled texture = s.Texture2D ? SampleOf(s.Texture) : Sampled{};
  PrepareMode(texture.Real, s.TexEnvMode == GL_REPLACE, AlphaReference(), mode);
  for (BatchVertex& v : g_primitiveVertices) {
    for (int i = 0; i < 4; ++i) v.Mode[i] = mode[i];
    for (int i = 0; i < 2; ++i) v.Tex[i] = v.Tex[i] * texture.Scale[i] + texture.Offset[i];
  }
  Assemble(g_primitiveVertices);
  g_primitiveVertices.clear();
}

void ResetBatch() {
  g_vertices.clear();
  g_unitCount = 0;
  g_key = Key{};
  g_inPrimitive = false;
  g_primitiveVertices.clear();
  g_texCoord[0] = g_texCoord[1] = 0;
  ForgetBatchObjects();
  g_lost = false;
}

void ForgetBatchObjects() {
  for (GLuint& p : g_programs) p = 0;
  g_buffer = 0;
  g_maxUnits = 0;
}

bool Lost() { return g_lost; }

void LoseContext() {
  g_lost = true;
  g_vertices.clear();
  g_unitCount = 0;
}

void RestoreContext() {
  if (!g_lost) return;
  g_lost = false;
  ForgetBatchObjects();
  ForgetFontTexture();
  RemakeTextures();
  // The state the real GL keeps, as the game last set it.
  const ServerState& s = Server();
  ::glViewport(s.ViewportBox[0], s.ViewportBox[1], s.ViewportBox[2], s.ViewportBox[3]);
  ::glClearColor(s.Clear[0], s.Clear[1], s.Clear[2], s.Clear[3]);
  glClearDepthf(s.ClearDepthValue);
  SetEnabled(GL_SCISSOR_TEST, s.ScissorTest);
  SetEnabled(GL_CULL_FACE, s.CullFace);
}

bool ContextLost() { return g_lost; }

unsigned long DrawCalls() { return g_drawCalls; }

}  // namespace GlCompat
