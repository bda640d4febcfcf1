// The state the game sets, followed here: most of it goes into the gathered drawing's
// vertices rather than to the real GL; glPushAttrib keeps it on a stack, and
// glPopAttrib puts it back as the calls that set it would.
#include <vector>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

ServerState g_server;
ClientState g_client;

struct SavedServer {
  GLbitfield Mask;
  ServerState State;
};
std::vector<SavedServer> g_serverStack;

struct SavedClient {
  GLbitfield Mask;
  ClientState State;
};
std::vector<SavedClient> g_clientStack;

bool* Flag(GLenum cap) {
  switch (cap) {
    case GL_TEXTURE_2D: return &g_server.Texture2D;
    case GL_BLEND: return &g_server.Blend;
    case GL_DEPTH_TEST: return &g_server.DepthTest;
    case GL_ALPHA_TEST: return &g_server.AlphaTest;
    case GL_SCISSOR_TEST: return &g_server.ScissorTest;
    case GL_CULL_FACE: return &g_server.CullFace;
    default: return nullptr;
  }
}

void RestoreEnables(const ServerState& s, GLbitfield mask) {
  const bool all = (mask & GL_ENABLE_BIT) != 0;
  if (all || (mask & GL_TEXTURE_BIT)) SetEnabled(GL_TEXTURE_2D, s.Texture2D);
  if (all || (mask & GL_COLOR_BUFFER_BIT)) {
    SetEnabled(GL_BLEND, s.Blend);
    SetEnabled(GL_ALPHA_TEST, s.AlphaTest);
  }
  if (all || (mask & GL_DEPTH_BUFFER_BIT)) SetEnabled(GL_DEPTH_TEST, s.DepthTest);
  if (all || (mask & GL_SCISSOR_BIT)) SetEnabled(GL_SCISSOR_TEST, s.ScissorTest);
  if (all || (mask & GL_POLYGON_BIT)) SetEnabled(GL_CULL_FACE, s.CullFace);
}

}  // namespace

ServerState& Server() { return g_server; }
ClientState& Client() { return g_client; }

void SetEnabled(GLenum cap, bool on) {
  if (bool* flag = Flag(cap)) *flag = on;
  // Texturing, blending, the alpha and depth tests go with the vertices; the rest is the
  // real GL's, and applies to what is drawn from now on.
  if (cap == GL_TEXTURE_2D || cap == GL_BLEND || cap == GL_ALPHA_TEST || cap == GL_DEPTH_TEST) return;
  Flush();
  if (Lost()) return;
  if (on) {
    ::glEnable(cap);
  } else {
    ::glDisable(cap);
  }
}

void Enable(GLenum cap) { SetEnabled(cap, true); }
void Disable(GLenum cap) { SetEnabled(cap, false); }

void BlendFunc(GLenum sfactor, GLenum dfactor) {
  g_server.BlendSrc = sfactor;
  g_server.BlendDst = dfactor;
}

void AlphaFunc(GLenum func, GLclampf ref) {
  g_server.AlphaFuncName = func;
  g_server.AlphaRef = ref;
}

void DepthFunc(GLenum func) { g_server.DepthFuncName = func; }

void Viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  const GLint* box = g_server.ViewportBox;
  if (box[0] == x && box[1] == y && box[2] == width && box[3] == height) return;
  Flush();  // what is gathered is in the old viewport's clip coordinates
  g_server.ViewportBox[0] = x;
  g_server.ViewportBox[1] = y;
  g_server.ViewportBox[2] = width;
  g_server.ViewportBox[3] = height;
  if (!Lost()) ::glViewport(x, y, width, height);
}

void ClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  g_server.Clear[0] = r;
  g_server.Clear[1] = g;
  g_server.Clear[2] = b;
  g_server.Clear[3] = a;
  if (!Lost()) ::glClearColor(r, g, b, a);
}

void ClearDepth(GLclampd depth) {
  g_server.ClearDepthValue = static_cast<GLclampf>(depth);
  if (!Lost()) glClearDepthf(g_server.ClearDepthValue);
}

void Clear(GLbitfield mask) {
  Flush();
  if (!Lost()) ::glClear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

// A browser's finish may return before the GPU is done (Chromium's only flushes), and
// frames then pile up in the GPU process with everything else waiting behind them: reading
// a pixel back waits for the drawing before it.
void Finish() {
  Flush();
  if (Lost()) return;
  ::glFinish();
  GLubyte pixel[4];
  ::glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

void BindTexture(GLenum target, GLuint texture) {
  if (target == GL_TEXTURE_2D) g_server.Texture = texture;
}

void TexEnvi(GLenum target, GLenum pname, GLint param) {
  if (target == GL_TEXTURE_ENV && pname == GL_TEXTURE_ENV_MODE) g_server.TexEnvMode = param;
}

void LineWidth(GLfloat width) { g_server.LineWidthValue = width; }

void PointSize(GLfloat size) { g_server.PointSizeValue = size; }

void MatrixMode(GLenum mode) { g_server.MatrixModeName = mode; }

void PixelStorei(GLenum pname, GLint param) {
  // Pixels reach the real GL tightly packed (the textures repack them): only the game's
  // alignment is followed, for the pixels it hands over.
  if (pname == GL_UNPACK_ALIGNMENT) g_client.UnpackAlignment = param;
}

void PushAttrib(GLbitfield mask) { g_serverStack.push_back(SavedServer{mask, g_server}); }

void PopAttrib() {
  if (g_serverStack.empty()) return;
  const SavedServer saved = g_serverStack.back();
  g_serverStack.pop_back();
  const ServerState& s = saved.State;
  const GLbitfield mask = saved.Mask;
  RestoreEnables(s, mask);
  if (mask & GL_LIST_BIT) g_server.ListBaseValue = s.ListBaseValue;
  if (mask & GL_CURRENT_BIT) Color4f(s.Color[0], s.Color[1], s.Color[2], s.Color[3]);
  if (mask & GL_COLOR_BUFFER_BIT) {
    BlendFunc(s.BlendSrc, s.BlendDst);
    AlphaFunc(s.AlphaFuncName, s.AlphaRef);
    ClearColor(s.Clear[0], s.Clear[1], s.Clear[2], s.Clear[3]);
  }
  if (mask & GL_DEPTH_BUFFER_BIT) DepthFunc(s.DepthFuncName);
  if (mask & GL_VIEWPORT_BIT) Viewport(s.ViewportBox[0], s.ViewportBox[1], s.ViewportBox[2], s.ViewportBox[3]);
  if (mask & GL_TEXTURE_BIT) {
    BindTexture(GL_TEXTURE_2D, s.Texture);
    TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, s.TexEnvMode);
  }
  if (mask & GL_LINE_BIT) LineWidth(s.LineWidthValue);
  if (mask & GL_POINT_BIT) PointSize(s.PointSizeValue);
  if (mask & GL_TRANSFORM_BIT) MatrixMode(s.MatrixModeName);
}

void PushClientAttrib(GLbitfield mask) { g_clientStack.push_back(SavedClient{mask, g_client}); }

void PopClientAttrib() {
  if (g_clientStack.empty()) return;
  const SavedClient saved = g_clientStack.back();
  g_clientStack.pop_back();
  if (saved.Mask & GL_CLIENT_PIXEL_STORE_BIT) PixelStorei(GL_UNPACK_ALIGNMENT, saved.State.UnpackAlignment);
}

// Hints may be passed over, and the mipmaps are made here.
void Hint(GLenum, GLenum) {}

void Reset() {
  g_server = ServerState{};
  g_client = ClientState{};
  g_serverStack.clear();
  g_clientStack.clear();
  ResetText();
  ResetLists();
  ResetMatrices();
  ResetTextures();
  ResetBatch();
}

}  // namespace GlCompat
