// Explosions: ZrExpl, one effect of fire and smoke particles, and ZrExplList, all of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/zr_types.h"

class ZrGfx;

struct ExplParticle {
  float Life = 0;
  float FadeStep = 0;
  float X = 0;
  float Y = 0;
  float Angle = 0;
};

class ZrExpl {
 public:
  ZrExpl(ZrGfx& gfx, ZrGLName fireTexture, ZrGLName smokeTexture, ZrGLName quadList);

  void Start(int32_t count, float x, float y, float fadeStep);
  // Draws and advances the particles once; false when the effect is over.
  bool Animate();

  ZrGfx& Gfx;
  std::vector<ExplParticle> Fire;
  std::vector<ExplParticle> Smoke;
  int32_t FireCount = 0;   // always Fire.size()
  int32_t SmokeCount = 0;  // always Smoke.size()
  float OriginX = 0;
  float OriginY = 0;
  ZrGLName FireTexture = 0;
  ZrGLName SmokeTexture = 0;
  ZrGLName QuadList = 0;
};

class ZrExplList {
 public:
  // Loads the two sprites and compiles the shared quad.
  ZrExplList(ZrGfx& gfx, const std::string& fireFile, const std::string& smokeFile);
  ~ZrExplList();
  ZrExplList(const ZrExplList&) = delete;
  ZrExplList& operator=(const ZrExplList&) = delete;

  // Starts an effect at (x, y) of the pixel projection (y from the bottom).
  void AddExplosion(int32_t count, float x, float y, float fadeStep);
  void Animate();
  void Clear();

  ZrGfx& Gfx;
  std::vector<std::unique_ptr<ZrExpl>> Items;
  int32_t Count = 0;  // always Items.size()
  ZrGLName FireTexture = 0;
  ZrGLName SmokeTexture = 0;
  ZrGLName QuadList = 0;
};
