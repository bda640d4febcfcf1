// The browser build's GL names: every GL and GLU call of the game goes to GlCompat, which
// draws it over WebGL.
#pragma once

#include "platform/web/gl_compat.h"

#define glGenLists GlCompat::GenLists
#define glDeleteLists GlCompat::DeleteLists
#define glIsList GlCompat::IsList
#define glNewList GlCompat::NewList
#define glEndList GlCompat::EndList
#define glCallList GlCompat::CallList
#define glCallLists GlCompat::CallLists
#define glListBase GlCompat::ListBase
#define glBegin GlCompat::Begin
#define glEnd GlCompat::End
#define glVertex2f GlCompat::Vertex2f
#define glVertex3f GlCompat::Vertex3f
#define glTexCoord2f GlCompat::TexCoord2f
#define glTexCoord2d GlCompat::TexCoord2d
#define glColor3f GlCompat::Color3f
#define glColor4f GlCompat::Color4f
#define glRasterPos2i GlCompat::RasterPos2i
#define glRasterPos2f GlCompat::RasterPos2f
#define glBitmap GlCompat::Bitmap
#define glEnable GlCompat::Enable
#define glDisable GlCompat::Disable
#define glBlendFunc GlCompat::BlendFunc
#define glAlphaFunc GlCompat::AlphaFunc
#define glDepthFunc GlCompat::DepthFunc
#define glViewport GlCompat::Viewport
#define glClearColor GlCompat::ClearColor
#define glBindTexture GlCompat::BindTexture
#define glTexEnvi GlCompat::TexEnvi
#define glLineWidth GlCompat::LineWidth
#define glPointSize GlCompat::PointSize
#define glMatrixMode GlCompat::MatrixMode
#define glPixelStorei GlCompat::PixelStorei
#define glPushAttrib GlCompat::PushAttrib
#define glPopAttrib GlCompat::PopAttrib
#define glPushClientAttrib GlCompat::PushClientAttrib
#define glPopClientAttrib GlCompat::PopClientAttrib
#define glTexImage2D GlCompat::TexImage2D
#define glTexParameteri GlCompat::TexParameteri
#define gluBuild2DMipmaps GlCompat::Build2DMipmaps
#define glPushMatrix GlCompat::PushMatrix
#define glPopMatrix GlCompat::PopMatrix
#define glLoadIdentity GlCompat::LoadIdentity
#define glTranslatef GlCompat::Translatef
#define glRotatef GlCompat::Rotatef
#define glScalef GlCompat::Scalef
#define glScaled GlCompat::Scaled
#define glOrtho GlCompat::Ortho
#define glFrustum GlCompat::Frustum
#define glGenTextures GlCompat::GenTextures
#define glDeleteTextures GlCompat::DeleteTextures
#define glCopyTexSubImage2D GlCompat::CopyTexSubImage2D
#define glClear GlCompat::Clear
#define glClearDepth GlCompat::ClearDepth
#define glFinish GlCompat::Finish
#define glGetIntegerv GlCompat::GetIntegerv
#define glReadBuffer GlCompat::ReadBuffer
#define glHint GlCompat::Hint
