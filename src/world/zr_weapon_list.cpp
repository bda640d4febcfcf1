#include "images/Textures.h"
#include "platform/zr_gl.h"
#include "shell/zr_gfx.h"
#include "world/zr_quad.h"
#include "world/zr_weapon.h"

ZrWeaponList::ZrWeaponList(ZrGfx& gfx) : Gfx(gfx) {}

ZrWeaponList::~ZrWeaponList() {
  if (QuadList != 0) glDeleteLists(QuadList, 1);
  if (FireballTexture != 0) glDeleteTextures(1, &FireballTexture);
}

void ZrWeaponList::Load() {
  LoadTextureFile("data\\fireball.tga", FireballTexture);
  QuadList = CompileSpriteQuad(8);
}

ZrWeapon& ZrWeaponList::GetFreeWeapon() {
  for (auto& w : Items) {
    if (!w->InFlight) return *w;
  }
  Items.push_back(std::make_unique<ZrWeapon>(Gfx));
  Count = static_cast<int32_t>(Items.size());
  return *Items.back();
}

void ZrWeaponList::Animate() {
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // fireballs glow
  glEnable(GL_BLEND);
  const int32_t n = Count;
  for (int32_t i = 0; i < n; ++i) {
    ZrWeapon& w = *Items[static_cast<size_t>(i)];
    if (!w.InFlight) continue;
    w.Fly();
    // Drawn once more on the frame it bursts.
    glPushMatrix();
    glTranslatef(w.X, static_cast<float>(static_cast<double>(Gfx.Height) - w.Y), 0);
    glRotatef(w.SpinAngle, 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, FireballTexture);
    glCallList(QuadList);
    glPopMatrix();
  }
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}
