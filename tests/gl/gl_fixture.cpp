#include "gl/gl_fixture.h"

#include <cstdlib>
#include <vector>

#include "app/zr_loading.h"
#include "platform/platform.h"
#include "platform/zr_gl.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_wndproc.h"

namespace {
ZrGfx* g_gfx = nullptr;
}  // namespace

std::vector<uint8_t> ReadRect(int x, int y, int width, int height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

void GlEnvironment::SetUp() {
  g_gfx = new ZrGfx;
  g_gfx->WndProc = &GameWndProc;
  Game.Gfx = g_gfx;
  g_gfx->OpenWindow("Zr Ironfall", 800, 600, 32, false);
  ASSERT_NE(g_gfx->RC, nullptr) << "no offscreen GL context: run with SDL_VIDEODRIVER=offscreen";
  g_gfx->BuildFont();
  g_gfx->MinFrameNs = 0;
  ResetTestGfx();
}

void GlEnvironment::TearDown() {
  FreeGame();
  g_gfx->KillFont();
  delete g_gfx;
  g_gfx = nullptr;
  Game.Gfx = nullptr;
}

ZrGfx& TestGfx() { return *g_gfx; }

void ResetTestGfx() {
  ZrGfx& g = *g_gfx;
  ZrMsg msg;
  while (Platform::PollMessage(msg)) {
  }
  g.Active = true;
  g.Terminated = false;
  g.LeftDown = g.RightDown = false;
  for (bool& k : g.Keys) k = false;
  g.MouseX = g.MouseY = 0;
  g.Resize(800, 600);
  g.InvalidatePicture();
  Game.Gfx = g_gfx;
}

int CountLitPixels(int x, int y, int width, int height) {
  const std::vector<uint8_t> rgb = ReadRect(x, y, width, height);
  int lit = 0;
  for (size_t i = 0; i < rgb.size(); i += 3) lit += (rgb[i] | rgb[i + 1] | rgb[i + 2]) != 0;
  return lit;
}

int CountColour(int x, int y, int width, int height, int r, int g, int b) {
  const std::vector<uint8_t> rgb = ReadRect(x, y, width, height);
  int n = 0;
  for (size_t i = 0; i < rgb.size(); i += 3) {
    n += std::abs(rgb[i] - r) <= 8 && std::abs(rgb[i + 1] - g) <= 8 && std::abs(rgb[i + 2] - b) <= 8;
  }
  return n;
}
