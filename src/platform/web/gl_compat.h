// What the browser's OpenGL lacks, supplied over it, so that the game's OpenGL 1.1 code
// runs there unchanged: display lists as recorded calls, glBitmap text as textured
// quads, the attribute stacks, mipmaps without GLU, and the texture formats and wrap
// modes WebGL takes. Each function has the meaning of the GL or GLU call of its name.
//
// Built for the browser, the game's GL header turns its calls of these names into calls
// of these functions (gl_compat_names.h); they keep the state they need to know and hand
// on to the real GL. Everything here runs on desktop GL too, where the tests check it.
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

// Textures and the frame buffer.
void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const GLvoid* pixels);
void TexParameteri(GLenum target, GLenum pname, GLint param);
GLint Build2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,
                     const void* data);
void ReadBuffer(GLenum mode);
void Hint(GLenum target, GLenum mode);

// Forgets every list, the font texture and the followed state: for a new GL context.
void Reset();

}  // namespace GlCompat
