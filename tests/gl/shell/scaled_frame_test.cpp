// A client area larger than the game's 800 x 600 shows the frame scaled, font included.
#include "gl/screens_fixture.h"
#include "platform/sdl/sdl_state.h"

namespace {

// The offscreen window of the tests cannot grow: a second, larger one borrows the context.
struct ScaledFrame : ScreenTest {
  SDL_Window* Large = nullptr;
  void SetUp() override {
    ScreenTest::SetUp();
    Large = SDL_CreateWindow("large", 0, 0, 1920, 1200, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(Large, nullptr) << SDL_GetError();
    ASSERT_EQ(SDL_GL_MakeCurrent(Large, SdlState::Context), 0) << SDL_GetError();
  }
  void TearDown() override {
    SDL_GL_MakeCurrent(SdlState::Window, SdlState::Context);
    if (Large != nullptr) SDL_DestroyWindow(Large);
    ScreenTest::TearDown();
  }
  // The menu drawn in a client area of width x height, read back before any swap.
  std::vector<uint8_t> Menu(int width, int height) {
    Post(WM_SIZE, 0, MakeLParam(static_cast<uint16_t>(width), static_cast<uint16_t>(height)));
    MenuScreen();  // takes the message
    MenuScreen();
    return ReadRect(0, 0, width, height);
  }
};

}  // namespace

TEST_F(ScaledFrame, TwiceTheSizeIsTheFramePixelForPixelAndBarsAreBlack) {
  const std::vector<uint8_t> frame = Menu(800, 600);
  ASSERT_GT(CountColour(0, 0, 800, 600, 255, 0, 0), 100) << "no red title to compare";
  const std::vector<uint8_t> twice = Menu(1600, 1200);
  int differ = 0;
  for (int i = 0; i < 1600 * 1200 * 3; ++i) {  // pixel (x, y) shows the frame's (x / 2, y / 2)
    const int x = i / 3 % 1600, y = i / 3 / 1600;
    differ += twice[i] != frame[(y / 2 * 800 + x / 2) * 3 + i % 3];
  }
  EXPECT_EQ(differ, 0);

  // 1440 x 1080 in the middle, smoothly scaled over every pixel of it; the bars black.
  Menu(1920, 1080);
  EXPECT_EQ(CountLitPixels(0, 0, 240, 1080) + CountLitPixels(1680, 0, 240, 1080), 0);
  EXPECT_EQ(CountLitPixels(240, 0, 1440, 1080), 1440 * 1080);
  EXPECT_GT(CountColour(240, 0, 1440, 1080, 255, 0, 0), 180) << "the red title scales with the picture";
}
