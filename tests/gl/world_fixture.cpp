#include "world_fixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "gl_fixture.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_gl.h"
#include "zr_quad.h"
#include "zr_random.h"

namespace {

uint32_t StillClock() { return 1000; }
uint64_t FixedSeedClock() { return 12345; }

ZrGLName PlainTexture(uint8_t alpha) {
  ZrGLName name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  const uint8_t pixel[4] = {255, 255, 255, alpha};
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  return name;
}

// The explosion list loads its sprites by name: a white 2 x 2 TGA serves for both.
struct SpriteFile {
  std::string path = (std::filesystem::temp_directory_path() / ("zr_sprite_" + std::to_string(::getpid()) + ".tga")).string();
  SpriteFile() {
    const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 8};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int i = 0; i < 16; ++i) out.put(static_cast<char>(255));
  }
  ~SpriteFile() { std::remove(path.c_str()); }
};

}  // namespace

// What the test replaces in the shared game, put back afterwards.
struct WorldTest::Saved {
  std::unique_ptr<ZrBase> Base;
  std::unique_ptr<ZrMonstList> Monsters;
  std::unique_ptr<ZrWeaponList> Weapons;
  std::unique_ptr<ZrExplList> Explosions;
  ZrGameState State = Game.GameState;
  uint32_t Score = Game.Score;
};

void WorldTest::FixFps(uint32_t fps) {
  ZrGfx& g = TestGfx();
  g.TickSource = &StillClock;
  g.LastTick = StillClock();
  g.FpsElapsed = g.FpsFrames = 0;
  g.Fps = fps;
}

void WorldTest::SetUp() {
  static const SpriteFile sprite;
  ResetTestGfx();
  FixFps(60);
  RandSeed(1);
  SetRandomClock(&FixedSeedClock);
  saved_ = std::make_shared<Saved>();
  saved_->Base = std::move(Game.Base);
  saved_->Monsters = std::move(Game.Monsters);
  saved_->Weapons = std::move(Game.Weapons);
  saved_->Explosions = std::move(Game.Explosions);

  Game.Base = std::make_unique<ZrBase>(TestGfx());
  base = Game.Base.get();
  base->BodyList = CompileSpriteQuad(32);
  base->TurretList = CompileSpriteQuad(22);
  base->CharTexture = PlainTexture(255);
  base->X = 400;
  base->Y = 300;
  base->Size = 32;
  base->Health = 100;
  NewLists();
  Game.Explosions = std::make_unique<ZrExplList>(TestGfx(), sprite.path, sprite.path);
  explosions = Game.Explosions.get();
  Game.GameState = gsBattle;
  Game.Score = 0;
}

void WorldTest::TearDown() {
  Game.Base = std::move(saved_->Base);
  Game.Monsters = std::move(saved_->Monsters);
  Game.Weapons = std::move(saved_->Weapons);
  Game.Explosions = std::move(saved_->Explosions);
  Game.GameState = saved_->State;
  Game.Score = saved_->Score;
  TestGfx().TickSource = &Platform::TickCount;
  TestGfx().Fps = 0;
  TestGfx().StartFps();
  SetRandomClock(nullptr);
  glDisable(GL_SCISSOR_TEST);
  glColor3f(1, 1, 1);
}

void WorldTest::NewLists() {
  Game.Monsters = std::make_unique<ZrMonstList>(TestGfx());
  monsters = Game.Monsters.get();
  monsters->QuadList = CompileSpriteQuad(64);
  SetTankAlpha(255);
  Game.Weapons = std::make_unique<ZrWeaponList>(TestGfx());
  weapons = Game.Weapons.get();
  weapons->QuadList = CompileSpriteQuad(8);
  weapons->FireballTexture = PlainTexture(255);
}

void WorldTest::SetTankAlpha(uint8_t alpha) {
  for (ZrGLName& t : monsters->MonstTextures) {
    if (t != 0) glDeleteTextures(1, &t);
    t = PlainTexture(alpha);
  }
}

void WorldTest::Frame() {
  TestGfx().Begin2D();
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  base->Animate();
  monsters->Animate();
  weapons->Animate();
  explosions->Animate();
  TestGfx().End2D();
}

void WorldTest::TanksOnly() {
  TestGfx().Begin2D();
  glClear(GL_COLOR_BUFFER_BIT);
  monsters->Animate();
  TestGfx().End2D();
}

ZrMonst& WorldTest::PlaceTank(float x, float y, float targetX, float targetY, bool turning, float speed) {
  monsters->AddMonster();
  ZrMonst& t = *monsters->Items.back();
  t.X = x;
  t.Y = y;
  t.TargetX = targetX;
  t.TargetY = targetY;
  t.Turning = turning;
  t.Speed = speed;
  t.BodyAngle = 0;
  return t;
}
