#include "demo/scripted_player.h"

#include <algorithm>
#include <cmath>

#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "world/zr_base.h"
#include "world/zr_monst.h"

ScriptedPlayer::ScriptedPlayer(ScriptedGame game, uint32_t kills) : Game_(game), Kills(kills) {}

// Sixty passes a second, read through a timer that moves in steps of 15.625 ms, as the
// Windows tick count does.
uint32_t ScriptedPlayer::Ticks() {
  const double ms = static_cast<double>(Pass) * 1000.0 / 60.0;
  return static_cast<uint32_t>(std::floor(ms / 15.625) * 15.625);
}

uint64_t ScriptedPlayer::Seed() { return 0x5EED0000ull + 7919 * Seeds++; }

void ScriptedPlayer::Key(uintptr_t key) {
  Pending.push_back(ZrMsg{nullptr, WM_KEYDOWN, key, 1});
  // Held for a few passes: a pass that handles a message reads no keys, and a key's
  // character takes a pass of its own.
  for (int i = 0; i < 3; ++i) Pending.push_back(ZrMsg{});
  Pending.push_back(ZrMsg{nullptr, WM_KEYUP, key, static_cast<intptr_t>(0xC0000001u)});
}

void ScriptedPlayer::FireAt(float x, float y) {
  const auto px = static_cast<uint16_t>(std::clamp(x, 0.0f, 799.0f));
  const auto py = static_cast<uint16_t>(std::clamp(y, 0.0f, 599.0f));
  Pending.push_back(ZrMsg{nullptr, WM_MOUSEMOVE, 0, MakeLParam(px, py)});
  Pending.push_back(ZrMsg{nullptr, WM_LBUTTONDOWN, 1, MakeLParam(px, py)});
  Pending.push_back(ZrMsg{nullptr, WM_LBUTTONUP, 0, MakeLParam(px, py)});
}

void ScriptedPlayer::AimAndFire() {
  const ZrMonstList* tanks = Game.Monsters.get();
  if (tanks == nullptr || tanks->Items.empty()) return;
  // The tank nearest the base, where it will be when the fireball gets there, roughly.
  const ZrMonst* target = nullptr;
  float best = 1e30f;
  for (const auto& m : tanks->Items) {
    if (m->X < 0 || m->X >= 800 || m->Y < 0 || m->Y >= 600) continue;
    const float dx = m->X - 400, dy = m->Y - 300, d = dx * dx + dy * dy;
    if (d < best) best = d, target = m.get();
  }
  if (target != nullptr) FireAt(target->X, target->Y);
}

void ScriptedPlayer::Plan() {
  const uint64_t on = Pass - StateSince;  // passes on this screen
  switch (Game.GameState) {
    case gsMenu: {
      if (on != 30) return;
      const bool recordsFirst = Game_ == ScriptedGame::RecordsAndBest;
      if (MenuVisits == 1 && recordsFirst) {
        Key(VK_DOWN);  // the records
      } else if (MenuVisits == 2 && recordsFirst) {
        Key(VK_UP);  // a new game
      } else if (MenuVisits > 1) {
        Key(VK_DOWN);  // Выход, from the new game's item
        Key(VK_DOWN);
      }
      Key(VK_RETURN);
      return;
    }
    case gsRecords:
    case gsGameOver:
      if (on == 240) Key(VK_SPACE);
      return;
    case gsBattle: {
      const uint32_t goal = Game_ == ScriptedGame::LongBattle ? 30 : Game_ == ScriptedGame::LostAtBase ? Kills : 3;
      const bool holding = Game_ == ScriptedGame::LongBattle && Game.Score >= goal && on < 1500;
      if (on % 12 != 0 || !Pending.empty()) return;
      if (Game.Score < goal || holding) {
        AimAndFire();
      } else if (Game_ != ScriptedGame::LongBattle && on % 120 == 0 && Game.Base) {
        // A game that has shown what it came for ends at the base's own centre: two
        // fireballs there destroy it.
        if (on % 240 == 0) Key(VK_UP);
        FireAt(Game.Base->X, Game.Base->Y);
      }
      return;
    }
    default:
      return;
  }
}

void ScriptedPlayer::BeforePass() {
  ++Pass;
  if (ZrGfx* gfx = Game.Gfx) {
    gfx->MinFrameNs = 0;  // no waiting: the clock is the script's
    if (Game.GameState != LastState) {
      LastState = Game.GameState;
      StateSince = Pass;
      if (Game.GameState == gsMenu) ++MenuVisits;
    }
    Plan();
    // One message a pass, as a hand on the keys would give them.
    if (!Pending.empty() && gfx->Wnd != nullptr) {
      ZrMsg msg = Pending.front();
      Pending.pop_front();
      msg.Wnd = gfx->Wnd;
      if (msg.Message != 0) Platform::QueueMessage(msg);
    }
  }
}
