#include <cmath>

#include "images/Textures.h"
#include "platform/zr_gl.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "world/zr_base.h"
#include "world/zr_collision.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_quad.h"
#include "world/zr_utils.h"

ZrMonstList::ZrMonstList(ZrGfx& gfx) : Gfx(gfx) {}

ZrMonstList::~ZrMonstList() {
  if (QuadList != 0) glDeleteLists(QuadList, 1);
  for (ZrGLName t : MonstTextures) {
    if (t != 0) glDeleteTextures(1, &t);
  }
}

void ZrMonstList::Load() {
  LoadTextureFile("data\\monst_0.tga", MonstTextures[0]);
  LoadTextureFile("data\\monst_1.tga", MonstTextures[1]);
  LoadTextureFile("data\\monst_2.tga", MonstTextures[2]);
  LoadTextureFile("data\\monst_3.tga", MonstTextures[3]);
  LoadTextureFile("data\\monst_4.tga", MonstTextures[4]);
  QuadList = CompileSpriteQuad(64);
}

void ZrMonstList::AddMonster() {
  Items.push_back(std::make_unique<ZrMonst>(Gfx));
  Count = static_cast<int32_t>(Items.size());
  Items.back()->Spawn();
}

void ZrMonstList::AnimateOne(int32_t index) {
  ZrMonst& t = *Items[static_cast<size_t>(index)];
  ZrBase& b = *Game.Base;
  const double height = Gfx.Height;

  // Ramming: a tank touching the base blows up against it every frame, and stays put
  // (and unseen under its explosion) until it is shot.
  const int32_t d = FastDistance(RoundToInt32(static_cast<double>(t.X) - b.X),
                                 RoundToInt32(static_cast<double>(t.Y) - b.Y));
  if (static_cast<float>(d) < static_cast<float>(t.Size + b.Size)) {
    Game.Explosions->AddExplosion(5, t.X, static_cast<float>(height - t.Y), 1.0f);
    b.Health = static_cast<float>(b.Health - 5.0);
    t.NewWaypoint();
    return;
  }

  // At the waypoint: both coordinates round to it. A step longer than the rounding
  // window can jump over that test on every frame and carry the tank to and fro across
  // the waypoint for good: a tank that has crossed it twice untaken takes the next one.
  if ((Round(t.X) == Round(t.TargetX) && Round(t.Y) == Round(t.TargetY)) || t.Crossings >= 2) t.NewWaypoint();
  // The step is the tank's speed scaled by the frame-rate reading, taken once a frame;
  // a new waypoint draws a new speed, and this frame's step is already the new one.
  const float step = static_cast<float>(Gfx.GetFps() * static_cast<double>(t.Speed) / 1000.0);

  const float h = Heading(t.X, t.Y, t.TargetX, t.TargetY);
  if (!t.Turning) {
    // The hull snaps to the heading once it has turned close to it (or past it).
    if (static_cast<double>(t.BodyAngle) - std::fabs(h) < 2.0) t.BodyAngle = h;
    // (A tank on its waypoint has taken the next one above and turns: h is a heading.)
    if (StepAlongPast(t.X, t.Y, h, step, t.TargetX, t.TargetY)) ++t.Crossings;
  } else {
    // Turning on the spot towards |h|, by the sign of the difference: no shorter way.
    // A new waypoint under the tank has no heading: Round(NaN) is negative, the hull
    // turns by +step, and the next frame's test above takes another waypoint.
    const float diff = t.BodyAngle - std::fabs(h);
    const int64_t r = Round(diff);
    float turn = step;
    if (r < 0) turn = -step;
    if (r == 0) t.Turning = false;
    // A turn of more than a degree a frame can jump over the window in which the
    // difference rounds to 0 and swing around |h| for ever: within one step, the hull
    // finishes its turn on |h| (and snaps to the heading when it drives off).
    if (t.Turning && step > 1.0f && std::fabs(diff) <= step) {
      t.BodyAngle = std::fabs(h);
      t.Turning = false;
    }
    if (t.Turning) {
      t.BodyAngle = t.BodyAngle - turn;
      if (t.BodyAngle > 360.0f) t.BodyAngle -= 360.0f;
      if (t.BodyAngle < 0.0f) t.BodyAngle += 360.0f;
    }
  }

  t.TurretAngle = Heading(t.X, t.Y, b.X, b.Y);

  glPushMatrix();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glTranslatef(t.X, static_cast<float>(height - t.Y), 0);
  glRotatef(t.BodyAngle, 0, 0, 1);
  glBindTexture(GL_TEXTURE_2D, MonstTextures[0]);
  glCallList(QuadList);  // hull
  glRotatef(t.BodyAngle, 0, 0, -1);
  glRotatef(t.TurretAngle, 0, 0, 1);
  glBindTexture(GL_TEXTURE_2D, MonstTextures[2]);
  glCallList(QuadList);
  glRotatef(t.TurretAngle, 0, 0, -1);
  glBindTexture(GL_TEXTURE_2D, MonstTextures[3]);
  glCallList(QuadList);  // keeps the screen's orientation
  glRotatef(t.TurretAngle, 0, 0, 1);
  glBindTexture(GL_TEXTURE_2D, MonstTextures[4]);
  glCallList(QuadList);  // turret top
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();

  // The waypoint, as a white dot.
  glPushMatrix();
  glTranslatef(t.TargetX, static_cast<float>(height - t.TargetY), 0);
  glColor3f(1, 1, 1);
  glPointSize(5.0f);
  glBegin(GL_POINTS);
  glVertex2f(0, 0);
  glEnd();
  glPopMatrix();
}

void ZrMonstList::Animate() {
  const int32_t n = Count;
  for (int32_t i = 0; i < n; ++i) AnimateOne(i);
}
