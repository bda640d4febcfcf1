#include "world/zr_expl.h"

#include "platform/zr_gl.h"
#include "shell/zr_gfx.h"
#include "shell/zr_random.h"
#include "world/zr_swap_remove.h"
#include "world/zr_utils.h"

namespace {

// Draws one particle: the shared quad, turned, scaled and faded.
void DrawParticle(const ExplParticle& p, float alpha, double scale, ZrGLName quadList) {
  glPushMatrix();
  glColor4f(1, 1, 1, alpha);
  glTranslatef(p.X, p.Y, 0);
  glRotatef(p.Angle, 0, 0, 1);
  glScaled(scale, scale, 0);
  glCallList(quadList);
  glPopMatrix();
}

// Drift of smoke away from the origin; a particle level with it goes towards larger values.
float Drift(float v, float origin, double amount) {
  return static_cast<float>(v < origin ? v - amount : v + amount);
}

// n new particles around (x, y), each off it by -spread/2 to spread/2 - 1 on either axis
// and randomly turned; the draws come in the order x, y, angle per particle.
void MakeParticles(std::vector<ExplParticle>& particles, int32_t& count, int32_t n, float x, float y,
                   uint32_t spread, float fadeStep) {
  const int32_t half = static_cast<int32_t>(spread / 2);
  particles.assign(static_cast<size_t>(n), ExplParticle{});
  count = n;
  for (ExplParticle& p : particles) {
    p.Life = 100.0f;
    p.FadeStep = fadeStep;
    p.X = static_cast<float>(x + (static_cast<int32_t>(Random(spread)) - half));
    p.Y = static_cast<float>(y + (static_cast<int32_t>(Random(spread)) - half));
    p.Angle = static_cast<float>(Random(360));
  }
}

}  // namespace

ZrExpl::ZrExpl(ZrGfx& gfx, ZrGLName fireTexture, ZrGLName smokeTexture, ZrGLName quadList)
    : Gfx(gfx), FireTexture(fireTexture), SmokeTexture(smokeTexture), QuadList(quadList) {}

void ZrExpl::Start(int32_t count, float x, float y, float fadeStep) {
  // Every explosion reseeds the game's generator from the fine clock.
  Randomize();
  OriginX = x;
  OriginY = y;
  const int32_t n = count > 0 ? count : 0;
  MakeParticles(Fire, FireCount, n, x, y, 60, fadeStep);
  MakeParticles(Smoke, SmokeCount, 2 * n, x, y, 10, fadeStep);
}

bool ZrExpl::Animate() {
  // Over as soon as either kind of particle is gone; the other goes with it.
  if (FireCount == 0 || SmokeCount == 0) return false;

  const float k = static_cast<float>(Gfx.GetFps() / 1000.0);

  // Smoke first, underneath: it drifts apart and fades with the frame-rate reading.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, SmokeTexture);
  AnimateAndSwapRemove(Smoke, SmokeCount, [&](ExplParticle& p) {
    DrawParticle(p, static_cast<float>(p.Life / 2.0 / 100.0), (130.0 - p.Life) / 60.0, QuadList);
    const double drift = static_cast<double>(p.FadeStep) * k * 3;
    p.X = Drift(p.X, OriginX, drift);
    p.Y = Drift(p.Y, OriginY, drift);
    p.Life = static_cast<float>(p.Life - static_cast<double>(k) * 7 * p.FadeStep);
    p.Angle = static_cast<float>(p.Angle + RandomReal());
    return Round(p.Life) > 0;
  });

  // Fire on top, in additive light: it stays put and fades by a fixed amount per frame.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, FireTexture);
  AnimateAndSwapRemove(Fire, FireCount, [&](ExplParticle& p) {
    DrawParticle(p, static_cast<float>(p.Life / 100.0), (150.0 - p.Life) / 70.0, QuadList);
    p.Life = static_cast<float>(p.Life - static_cast<double>(p.FadeStep));
    p.Angle = static_cast<float>(p.Angle + RandomReal());
    return !(p.Life < 0.0f);
  });
  return true;
}
