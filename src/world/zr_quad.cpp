#include "world/zr_quad.h"

#include "platform/zr_gl.h"

ZrGLName CompileSpriteQuad(float half) {
  const ZrGLName list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-half, -half);
  glTexCoord2f(1, 0);
  glVertex2f(half, -half);
  glTexCoord2f(1, 1);
  glVertex2f(half, half);
  glTexCoord2f(0, 1);
  glVertex2f(-half, half);
  glEnd();
  glEndList();
  return list;
}
