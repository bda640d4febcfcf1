// The title screen: story text and the three-item menu.
#include <cstdint>

#include "platform/zr_gl.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_screens.h"
#include "screens/zr_texts.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"

namespace {

// The menu's last frame: what it showed, and the picture epoch it left behind. While
// both still hold, that frame is what the player sees, and drawing it again would
// change nothing but the power bill.
struct ShownMenu {
  uint64_t Epoch = UINT64_MAX;
  uint8_t Index = 0;
};
ShownMenu g_shown;

void DrawMenu(ZrGfx& gfx) {
  glColor3f(1, 1, 1);
  DrawBackground();

  const ZrTexts& texts = Texts();
  glColor3f(1, 0, 0);
  gfx.PrintAt(texts.Title.X, texts.Title.Y, texts.Title.Text.c_str());
  glColor3f(1, 1, 1);
  gfx.PrintAt(texts.Subtitle.X, texts.Subtitle.Y, texts.Subtitle.Text.c_str());
  glColor3f(1, 1, 1);
  for (const ZrTextLine& line : texts.Story) gfx.PrintAt(line.X, line.Y, line.Text.c_str());

  for (uint8_t item = 0; item < 3; ++item) {
    if (item == Game.MenuIndex) {
      glColor3f(1, 0, 0);
    } else {
      glColor3f(1, 1, 1);
    }
    gfx.PrintAt(500, 200 + 20 * item, texts.MenuItems[item].c_str());
  }

}

}  // namespace

void MenuScreen() {
  ZrGfx& gfx = *Game.Gfx;
  // A pass that handled a window message draws nothing and leaves the keys for the next one.
  if (!gfx.ProcessMessages()) return;
  const bool draw = gfx.PictureEpoch != g_shown.Epoch || Game.MenuIndex != g_shown.Index;
  const uint8_t shownIndex = Game.MenuIndex;
  if (draw) {
    gfx.ClearFrame();
    gfx.Begin2D();
    DrawMenu(gfx);
  }

  // The keys are read after drawing, so a move shows on the next frame; each arrow
  // flag is cleared so that one key-down moves one item.
  if (gfx.Keys[VK_DOWN]) {
    gfx.Keys[VK_DOWN] = false;
    Game.MenuIndex = Game.MenuIndex < 2 ? Game.MenuIndex + 1 : 0;
  }
  if (gfx.Keys[VK_UP]) {
    gfx.Keys[VK_UP] = false;
    Game.MenuIndex = Game.MenuIndex > 0 ? Game.MenuIndex - 1 : 2;
  }
  // Enter stays set: held down while another screen returns here, it chooses again.
  if (gfx.Keys[VK_RETURN]) {
    switch (Game.MenuIndex) {
      case 0: Game.GameState = gsNewGame; break;
      case 1: Game.GameState = gsRecords; break;
      case 2: Game.GameState = gsQuit; break;
      default: break;
    }
  }

  if (draw) {
    gfx.End2D();
    gfx.EndFrame();
    g_shown = ShownMenu{gfx.PictureEpoch, shownIndex};
  } else {
    gfx.WaitForNextFrame();
  }
}
