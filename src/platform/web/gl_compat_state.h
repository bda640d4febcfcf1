// The GL state the compatibility layer follows: what the attribute stacks save, and what
// drawing text must set and give back. Shared by the files of the layer only.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>

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
  GLclampf ClearDepthValue = 1;
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

// Follows the enable state of cap; the caps the real GL keeps (scissor, culling) go to it.
void SetEnabled(GLenum cap, bool on);

// --- Matrices (gl_matrices.cpp) ---
// The projection times the model-view matrix, column-major.
const GLfloat* Transform();
// An object's point in clip coordinates.
void ToClip(GLfloat x, GLfloat y, GLfloat z, GLfloat clip[4]);
void ResetMatrices();

// --- The gathered drawing (gl_batch.cpp) ---
struct BatchVertex {
  GLfloat Clip[4];
  GLfloat Tex[2];
  GLfloat Colour[4];
  // The texture unit (-1: none), replace (1) or modulate (0), the alpha test's reference
  // (-1: none) and how it blends (BlendKind).
  GLfloat Mode[4];
};
enum BlendKind { kOpaque = 0, kAlphaBlend = 1, kAdditive = 2, kOtherBlend = 3 };
// The vertex's mode from the present state: the texture enabled, the environment, the
// alpha test and the blending; realTexture is the real GL texture sampled, 0 for none.
// Makes room for the texture first, drawing what is gathered when the units are full.
void PrepareMode(GLuint realTexture, bool replace, GLfloat alphaRef, GLfloat mode[4]);
// Adds triangles (three vertices each) to the gathered drawing.
void AddTriangles(const BatchVertex* vertices, size_t count);
// The kind of blending the present state asks for.
BlendKind PresentBlend();
void ResetBatch();
// Gives back the real GL objects of the drawing (the program, the buffer) after a loss.
void ForgetBatchObjects();

// --- Textures (gl_textures.cpp) ---
// What the gathered drawing samples for a texture of the layer: the real GL texture (0 for
// none), and the scale and offset that take the texture's coordinates there.
struct Sampled {
  GLuint Real = 0;
  GLfloat Scale[2] = {1, 1};
  GLfloat Offset[2] = {0, 0};
};
Sampled SampleOf(GLuint name);
// Makes every texture again from its copy, in a new context.
void RemakeTextures();
// Forgets every texture (the textures' part of Reset).
void ResetTextures();
// Nothing reaches the real GL: the context is lost.
bool Lost();

// --- The atlas of small smooth textures (gl_atlas.cpp) ---
struct AtlasSlot {
  int X = 0, Y = 0;           // the corner of the slot's border
  int Width = 0, Height = 0;  // the picture, inside the border
};
// Room for a picture of width x height; false when the atlas is full.
bool PlaceInAtlas(int width, int height, AtlasSlot& slot);
// Puts a picture (RGBA rows) into its slot, with the border its wrap modes would sample.
void FillAtlasSlot(const AtlasSlot& slot, const uint8_t* rgba, bool repeatS, bool repeatT);
GLuint AtlasTexture();
GLfloat AtlasSide();
// Forgets the atlas and every slot in it.
void ResetAtlas();

// --- Immediate mode (gl_batch.cpp) ---
void BeginPrimitive(GLenum mode);
void AddVertex(GLfloat x, GLfloat y, GLfloat z);
void SetTexCoord(GLfloat s, GLfloat t);
void EndPrimitive();

// --- Text (gl_bitmap_text.cpp) ---
// The font texture in the real GL, made when it is first drawn with.
GLuint FontTexture();
// Forgets the font texture's real GL name: it is made again at its next use.
void ForgetFontTexture();
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


}  // namespace GlCompat
