// Helpers of the screen and whole-game tests: a working directory with the game's
// files, posted input, passes of the main loop and a clock moved by hand.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

// A fresh temporary directory made the working directory for the life of the object,
// with data/ holding plain generated pictures or the game's own.
class TempGameDir {
 public:
  explicit TempGameDir(bool gamePictures = false);
  ~TempGameDir();
  void PutFile(const std::string& name, const std::string& bytes) const;
  std::string FileText(const std::string& name) const;  // "<missing>" when there is none
  std::filesystem::path Path;

 private:
  std::filesystem::path Previous;
};

// The plain background is opaque mid grey; every other plain picture is transparent,
// so only the screens' own drawing shows over the background.
inline constexpr int PlainGrey = 128;

// Frees the world, puts Game back to its start and TestGfx to a clean state.
void ResetGame();

// A tick source for the frame counter that moves only when a test moves it.
extern uint32_t FakeTickNow;
uint32_t FakeTicks();

void PostKeyDown(uintptr_t vk);
void PostKeyUp(uintptr_t vk);
void PostMouseMove(int x, int y);
void PostLeftClick();  // button down, then up

// Passes of the main loop's dispatch over Game.GameState, the window active.
void RunPasses(int count);

// Pixels near a colour (a little tolerance for rounding); x, y from the bottom left.
bool IsColour(const std::array<uint8_t, 3>& rgb, int r, int g, int b);
int CountColour(int x, int y, int width, int height, int r, int g, int b);
