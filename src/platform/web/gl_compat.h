// The game's OpenGL 1.1 over the browser's WebGL (OpenGL ES 2): immediate mode, matrices,
// display lists, glBitmap text, the attribute stacks, the texture environment, the alpha
// test, mipmaps without GLU, and the texture formats and wrap modes WebGL takes. Each
// function has the meaning of the GL or GLU call of its name.
//
// Drawing is gathered, not sent call by call: every vertex is transformed here and joins
// one buffer with its texture unit, colour and blending, and the buffer goes to the GPU in
// one draw when something the GPU must see first changes (the viewport, the depth test,
// more textures than the units, a clear, a copy, the end of the frame). The layer keeps a
// copy of every texture and every list, so that a lost context can be given all of it
// again.
//
// Built for the browser, the game's GL header turns its calls of these names into calls
// of these functions (gl_compat_names.h). Everything here runs on desktop GL too (its
// OpenGL 2 calls), where the tests check it against the desktop's own drawing.
#pragma once

#include <GL/gl.h>

namespace GlCompat {

// Display lists.
GLuint GenLists(GLsizei range);
void DeleteLists(GLuint list, GLsizei range);
GLboolean IsList(GLuint list);
void NewList(GLuint list, GLenum mode);
void EndList();
void CallList(GLuint list);
void CallLists(GLsizei n, GLenum type, const GLvoid* lists);
void ListBase(GLuint base);

// Calls a display list records; outside a list they go straight to GL.
void Begin(GLenum mode);
void End();
void Vertex2f(GLfloat x, GLfloat y);
void Vertex3f(GLfloat x, GLfloat y, GLfloat z);
void TexCoord2f(GLfloat s, GLfloat t);
void TexCoord2d(GLdouble s, GLdouble t);
void Color3f(GLfloat r, GLfloat g, GLfloat b);
void Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);

// Bitmaps at the raster position.
void RasterPos2i(GLint x, GLint y);
void RasterPos2f(GLfloat x, GLfloat y);
void Bitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
            const GLubyte* bitmap);

// State the attribute stacks save, followed as it is set.
void Enable(GLenum cap);
void Disable(GLenum cap);
void BlendFunc(GLenum sfactor, GLenum dfactor);
void AlphaFunc(GLenum func, GLclampf ref);
void DepthFunc(GLenum func);
void Viewport(GLint x, GLint y, GLsizei width, GLsizei height);
void ClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void BindTexture(GLenum target, GLuint texture);
void TexEnvi(GLenum target, GLenum pname, GLint param);
void LineWidth(GLfloat width);
void PointSize(GLfloat size);
void MatrixMode(GLenum mode);
void PixelStorei(GLenum pname, GLint param);
void PushAttrib(GLbitfield mask);
void PopAttrib();
void PushClientAttrib(GLbitfield mask);
void PopClientAttrib();

// Matrices, kept here: vertices are transformed before they are gathered.
void PushMatrix();
void PopMatrix();
void LoadIdentity();
void Translatef(GLfloat x, GLfloat y, GLfloat z);
void Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void Scalef(GLfloat x, GLfloat y, GLfloat z);
void Scaled(GLdouble x, GLdouble y, GLdouble z);
void Ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
void Frustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);

// Textures and the frame buffer. Texture names are the layer's own, each standing for a
// texture of the real GL that can be made again.
void GenTextures(GLsizei n, GLuint* textures);
void DeleteTextures(GLsizei n, const GLuint* textures);
void CopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y, GLsizei width,
                       GLsizei height);
void Clear(GLbitfield mask);
void ClearDepth(GLclampd depth);
void Finish();
void GetIntegerv(GLenum pname, GLint* params);
void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const GLvoid* pixels);
void TexParameteri(GLenum target, GLenum pname, GLint param);
GLint Build2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,
                     const void* data);
void ReadBuffer(GLenum mode);
void Hint(GLenum target, GLenum mode);

// Draws what has been gathered: before the frame is shown, or the pixels read.
void Flush();

// Forgets every list, texture and the followed state: for a new GL context.
void Reset();

// The GL context is lost: nothing more reaches the GPU until RestoreContext, which makes
// the program, the buffers and every texture again in the context that came back (lists
// and the font live in the layer's memory and need nothing).
void LoseContext();
void RestoreContext();
bool ContextLost();

// Draw calls sent to the GPU since the layer was made.
unsigned long DrawCalls();

}  // namespace GlCompat
