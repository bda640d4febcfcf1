#include "world/zr_monst.h"

#include "shell/zr_gfx.h"
#include "shell/zr_random.h"

ZrMonst::ZrMonst(ZrGfx& gfx) : Gfx(gfx) {}

void ZrMonst::Spawn() {
  // Tanks come in from a fixed 800 x 600 field, whatever the window's size.
  const uint32_t side = Random(4);
  switch (side) {
    case 0:  // above the top edge
      X = static_cast<float>(Random(800));
      Y = static_cast<float>(-static_cast<int32_t>(Random(100)));
      break;
    case 1:  // beyond the right edge
      X = static_cast<float>(800 + Random(100));
      Y = static_cast<float>(Random(600));
      break;
    case 2:  // below the bottom edge
      X = static_cast<float>(Random(800));
      Y = static_cast<float>(600 + Random(100));
      break;
    default:  // beyond the left edge
      X = static_cast<float>(-static_cast<int32_t>(Random(100)));
      Y = static_cast<float>(Random(600));
      break;
  }
  BodyAngle = static_cast<float>(Random(360));
  Size = 32;
  Health = 100.0f;
  NewWaypoint();
}

void ZrMonst::NewWaypoint() {
  TargetX = static_cast<float>(Random(static_cast<uint32_t>(Gfx.Width)));
  TargetY = static_cast<float>(Random(static_cast<uint32_t>(Gfx.Height)));
  Speed = static_cast<float>(5 + Random(10));
  Turning = true;
  Crossings = 0;
}
