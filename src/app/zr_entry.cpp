#include "app/zr_entry.h"

#include <cstdio>
#include <memory>
#include <new>

#include "app/zr_command_line.h"
#include "app/zr_demo_session.h"
#include "app/zr_loading.h"
#include "app/zr_main_loop.h"
#include "app/zr_places.h"
#include "app/zr_verify.h"
#include "app/zr_window_icon.h"
#include "demo/zr_demo_player.h"
#include "platform/platform.h"
#include "platform/zr_path.h"
#include "shell/zr_errors.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_input_source.h"
#include "shell/zr_random.h"

namespace {

void ReportUnhandled(const std::exception& error, ZrGfx* gfx) {
  // The report is read on the desktop as the player left it, never in the game's mode.
  if (gfx != nullptr) gfx->SetFullScreen(false);
  std::string module = Utf8FromPath(PathFromUtf8(Platform::ExecutablePath()).filename());
  if (module.empty()) module = "zr_ironfall";
  const std::string text = FormatErrorReport(error, module);
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
  Platform::ShowMessageBox("Application Error", text, true);
}

}  // namespace

std::string FormatErrorReport(const std::exception& error, const std::string& module) {
  const char* kind = "Exception";
  if (const auto* zr = dynamic_cast<const ZrError*>(&error)) kind = zr->Kind();
  else if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) kind = "EOutOfMemory";
  const char* message = dynamic_cast<const std::bad_alloc*>(&error) != nullptr ? "Out of memory" : error.what();
  // The code address of the fault is not known to a C++ handler; a null address stands
  // in, written as the runtime writes pointers (upper-case hex, full width) on every
  // platform, where the C library's own %p would give "(nil)" on some.
  const int addressDigits = static_cast<int>(2 * sizeof(void*));
  char buf[1024];
  std::snprintf(buf, sizeof buf, "Exception %s in module %s at %0*X.\r\n%s%s\r\n", kind, module.c_str(),
                addressDigits, 0u, message, ".");
  return buf;
}

int RunGame(const std::vector<std::string>& args, ZrPassWatcher* script) {
  const ZrCommandLine line = ParseCommandLine(args);
  switch (line.What) {
    case ZrCommandLine::Action::Help: Platform::PrintToUser(HelpText(), false); return 0;
    case ZrCommandLine::Action::Version: Platform::PrintToUser(VersionText(), false); return 0;
    case ZrCommandLine::Action::Fail:
      Platform::PrintToUser("zr_ironfall: " + line.Error + "\nTry 'zr_ironfall --help' for the options.\n", true);
      return 2;
    case ZrCommandLine::Action::Play: break;
  }
  Platform::MaskFloatExceptions();
  // No window, no pictures and no best score: only the demo's file is read.
  if (line.DemoMode == ZrCommandLine::Demo::Verify) return VerifyDemoFile(line.DemoPath);
  // Outside the try block, so that an error's report shows over the game's window and
  // the window goes only when the report has been read.
  std::unique_ptr<ZrGfx> gfx;
  // Made where its failures are reported, and kept until the report has been shown.
  std::unique_ptr<ZrDemoSession> demo;
  try {
    demo = std::make_unique<ZrDemoSession>(line, script);
    SettleGamePlaces();
    if (const int failed = demo->Load(); failed != 0) return failed;
    gfx = std::make_unique<ZrGfx>();
    // Every message goes to the input source in force: the platform's, the recorder
    // around it, or a demo being played.
    gfx->WndProc = &InputWindowProc;
    Game.Gfx = gfx.get();
    demo->Start(*gfx);
    Randomize();
    gfx->OpenWindow("Zr Ironfall", 800, 600, 32, line.FullScreen);
    PutIconOnWindow();
    gfx->BuildFont();
    MainLoop(*gfx, demo.get());
    demo->Finish();
    FreeGame();
    gfx->KillFont();
    gfx.reset();
    Game.Gfx = nullptr;
    return 0;
  } catch (const ZrDemoOutOfStep& parted) {
    // Not the game's failure but the demo's: a line for whoever compares the two runs.
    Platform::PrintToUser(std::string(parted.what()) + "\n", false);
    FreeGame();
    Game.Gfx = nullptr;
    return 3;
  } catch (const std::exception& error) {
    ReportUnhandled(error, gfx.get());
    return 1;
  }
}
