#include "demo/zr_state_hash.h"

#include <cstring>

#include "shell/zr_game.h"
#include "shell/zr_random.h"
#include "world/zr_base.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_weapon.h"

namespace {

// FNV-1a over the bytes of each value, little-endian as the demo file is.
class StateHasher {
 public:
  void Add(uint64_t v, int bytes = 8) {
    for (int i = 0; i < bytes; ++i) {
      Hash ^= (v >> (8 * i)) & 0xFF;
      Hash *= 0x100000001B3ull;
    }
  }
  void Add(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    Add(bits, 4);
  }
  uint64_t Hash = 0xCBF29CE484222325ull;
};

void AddParticles(StateHasher& h, const std::vector<ExplParticle>& particles) {
  h.Add(static_cast<uint64_t>(particles.size()));
  for (const ExplParticle& p : particles) {
    h.Add(p.Life);
    h.Add(p.FadeStep);
    h.Add(p.X);
    h.Add(p.Y);
    h.Add(p.Angle);
  }
}

}  // namespace

uint64_t GameStateHash() {
  StateHasher h;
  h.Add(static_cast<uint64_t>(Game.GameState), 1);
  h.Add(Game.MenuIndex, 1);
  h.Add(Game.Score, 4);
  h.Add(Game.BestScore, 4);
  h.Add(RandomState());
  if (const ZrBase* base = Game.Base.get()) {
    h.Add(base->X);
    h.Add(base->Y);
    h.Add(base->TurretAngle);
    h.Add(base->Health);
  }
  if (const ZrMonstList* tanks = Game.Monsters.get()) {
    h.Add(static_cast<uint64_t>(tanks->Items.size()));
    for (const auto& m : tanks->Items) {
      h.Add(m->X);
      h.Add(m->Y);
      h.Add(m->BodyAngle);
      h.Add(m->TurretAngle);
      h.Add(m->TargetX);
      h.Add(m->TargetY);
      h.Add(m->Speed);
      h.Add(m->Health);
      h.Add(m->Turning ? 1 : 0, 1);
      h.Add(static_cast<uint32_t>(m->Crossings), 4);
    }
  }
  if (const ZrWeaponList* fireballs = Game.Weapons.get()) {
    h.Add(static_cast<uint64_t>(fireballs->Items.size()));
    for (const auto& w : fireballs->Items) {
      h.Add(w->InFlight ? 1 : 0, 1);
      h.Add(w->X);
      h.Add(w->Y);
      h.Add(w->TargetX);
      h.Add(w->TargetY);
      h.Add(w->SpinAngle);
      h.Add(w->Speed);
      h.Add(static_cast<uint32_t>(w->Crossings), 4);
    }
  }
  if (const ZrExplList* explosions = Game.Explosions.get()) {
    h.Add(static_cast<uint64_t>(explosions->Items.size()));
    for (const auto& e : explosions->Items) {
      h.Add(e->OriginX);
      h.Add(e->OriginY);
      AddParticles(h, e->Fire);
      AddParticles(h, e->Smoke);
    }
  }
  return h.Hash;
}
