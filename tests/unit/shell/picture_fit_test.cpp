// The 800 x 600 picture in client areas of any size, and the mouse mapped back onto it.
#include <gtest/gtest.h>

#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_wndproc.h"

TEST(PictureFit, ClientSizesGiveTheCentredPictureAndTheMouseLandsOnItsPixels) {
  struct Case {
    int w, h;
    ZrPictureRect rect;
    bool whole;
    int mouseX, mouseY, gameX, gameY;  // a client point and the game pixel under it
  };
  const Case cases[] = {
      {800, 600, {0, 0, 800, 600}, true, 799, 0, 799, 0},
      {1600, 1200, {0, 0, 1600, 1200}, true, 801, 599, 400, 299},
      {1920, 1080, {240, 0, 1440, 1080}, false, 100, 1079, 0, 599},  // a click on the left bar
      {1920, 1080, {240, 0, 1440, 1080}, false, 1919, 540, 799, 300},  // and on the right one
      {1920, 1080, {240, 0, 1440, 1080}, false, 0xFFFF, 0x8000, 0, 0},  // left of and above the window
      {1024, 768, {0, 0, 1024, 768}, false, 512, 384, 400, 300},
      {801, 601, {0, 0, 801, 601}, false, 800, 600, 799, 599},
      {1600, 1300, {0, 50, 1600, 1200}, true, 3, 49, 1, 0},  // above the picture: its top row
      {0, 0, {0, 0, 0, 0}, false, 10, 10, 0, 0},  // minimised
  };
  ZrGfx gfx;
  gfx.Width = 800;
  gfx.Height = 600;
  Game.Gfx = &gfx;
  for (const Case& c : cases) {
    const ZrPictureRect rect = FitPicture(c.w, c.h, 800, 600);
    EXPECT_TRUE(rect == c.rect && IsWholeScale(rect, 800, 600) == c.whole) << c.w << "x" << c.h;
    GameWndProc(nullptr, WM_SIZE, 0, MakeLParam(static_cast<uint16_t>(c.w), static_cast<uint16_t>(c.h)));
    GameWndProc(nullptr, WM_MOUSEMOVE, 0, MakeLParam(static_cast<uint16_t>(c.mouseX), static_cast<uint16_t>(c.mouseY)));
    EXPECT_TRUE(gfx.Width == 800 && gfx.Height == 600) << "the game keeps its own pixels";
    EXPECT_TRUE(gfx.MouseX == c.gameX && gfx.MouseY == c.gameY) << c.w << "x" << c.h << ": " << gfx.MouseX << "," << gfx.MouseY;
  }
  Game.Gfx = nullptr;
}
