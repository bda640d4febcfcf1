// The GL state the compatibility layer follows: what the attribute stacks save, and what
// drawing text must set and give back. Shared by the files of the layer only.
#pragma once

#include <GL/gl.h>

namespace GlCompat {

struct ServerState {
  bool Texture2D = false;
  bool Blend = false;
  bool DepthTest = false;
  bool AlphaTest = false;
  bool ScissorTest = false;
  bool CullFace = false;
  GLenum BlendSrc = GL_ONE;
  GLenum BlendDst = GL_ZERO;
  GLenum AlphaFuncName = GL_ALWAYS;
  GLclampf AlphaRef = 0;
  GLenum DepthFuncName = GL_LESS;
  GLfloat Color[4] = {1, 1, 1, 1};
  GLclampf Clear[4] = {0, 0, 0, 0};
  GLint ViewportBox[4] = {0, 0, 0, 0};
  GLuint Texture = 0;
  GLint TexEnvMode = GL_MODULATE;
  GLfloat LineWidthValue = 1;
  GLfloat PointSizeValue = 1;
  GLenum MatrixModeName = GL_MODELVIEW;
  GLuint ListBaseValue = 0;
};

struct ClientState {
  GLint UnpackAlignment = 4;
};

ServerState& Server();
ClientState& Client();

// Sets the real GL's enable state of cap.
void SetEnabled(GLenum cap, bool on);

// The text of the lists run so far by the outermost CallList(s), drawn now.
void FlushText();
// Forgets the font texture (the text's part of Reset).
void ResetText();
// Forgets every display list (the lists' part of Reset).
void ResetLists();
// Draws one bitmap op of a list or of the program at the raster position, which it moves on.
// glyph: the bitmap's slot in the font texture, from AddGlyph.
void DrawGlyph(int glyph);
// Keeps a bitmap for the font texture; its slot.
int AddGlyph(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
             const GLubyte* bitmap, GLint alignment);

// Lines wider than a pixel, drawn as quads: Begin starts gathering GL_LINES when the line
// width asks for it, and each function says whether it took the call.
bool BeginWideLines(GLenum mode);
bool AddWideLineVertex(GLfloat x, GLfloat y, GLfloat z);
bool EndWideLines();

}  // namespace GlCompat
