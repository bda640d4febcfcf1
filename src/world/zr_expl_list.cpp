#include "images/Textures.h"
#include "platform/zr_gl.h"
#include "shell/zr_gfx.h"
#include "world/zr_expl.h"
#include "world/zr_swap_remove.h"

ZrExplList::ZrExplList(ZrGfx& gfx, const std::string& fireFile, const std::string& smokeFile) : Gfx(gfx) {
  LoadTextureFile(fireFile, FireTexture);
  LoadTextureFile(smokeFile, SmokeTexture);
  // One quad for every particle of every effect.
  QuadList = glGenLists(1);
  glNewList(QuadList, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2d(0, 0);
  glVertex2f(-32, -32);
  glTexCoord2d(0, 1);
  glVertex2f(-32, 32);
  glTexCoord2d(1, 1);
  glVertex2f(32, 32);
  glTexCoord2d(1, 0);
  glVertex2f(32, -32);
  glEnd();
  glEndList();
}

ZrExplList::~ZrExplList() {
  if (QuadList != 0) glDeleteLists(QuadList, 1);
  if (FireTexture != 0) glDeleteTextures(1, &FireTexture);
  if (SmokeTexture != 0) glDeleteTextures(1, &SmokeTexture);
}

void ZrExplList::AddExplosion(int32_t count, float x, float y, float fadeStep) {
  Items.push_back(std::make_unique<ZrExpl>(Gfx, FireTexture, SmokeTexture, QuadList));
  Count = static_cast<int32_t>(Items.size());
  Items.back()->Start(count, x, y, fadeStep);
}

void ZrExplList::Animate() {
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  // A finished effect is replaced by the last one, which then takes its turn there.
  AnimateAndSwapRemove(Items, Count, [](std::unique_ptr<ZrExpl>& effect) { return effect->Animate(); });
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void ZrExplList::Clear() {
  Items.clear();
  Count = 0;
}
