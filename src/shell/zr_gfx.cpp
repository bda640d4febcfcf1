#include "shell/zr_gfx.h"

#include <cstring>

#include "platform/zr_gl.h"
#include "platform/zr_winmsg.h"
#include "shell/zr_errors.h"
#include "shell/zr_input_source.h"

ZrGfx::ZrGfx() { Terminated = false; }

ZrGfx::~ZrGfx() {
  if (RC != nullptr) ScaledFrame.Release();
  if (Wnd != nullptr) Platform::DestroyWin(Wnd, FullScreen);
}

void ZrGfx::OpenWindow(const std::string& title, int32_t width, int32_t height, int32_t bits, bool fullScreen) {
  Title = title;
  Width = width;
  Height = height;
  Bits = bits;
  FullScreen = fullScreen;
  // Kept for its meaning only: the backends size the window from its client area,
  // so the picture is never cut by the caption.
  CaptionHeight = fullScreen ? 0 : 26;
  ClientWidth = width;
  ClientHeight = height;

  // The window procedure sees WM_SIZE and the first WM_ACTIVATE in here, before any
  // GL context exists.
  Wnd = Platform::CreateWin(title, width, height, bits, fullScreen, WndProc);
  // Without a window or a context the game cannot be seen or played: say so and end,
  // rather than run on unseen.
  if (Wnd == nullptr) throw EOSError("The game window could not be opened", Platform::LastErrorText());
  DC = Wnd;
  RC = Platform::CreateGLContext(Wnd);
  if (RC == nullptr) throw EOSError("No OpenGL context could be created", Platform::LastErrorText());
  Platform::RequestVsync();

  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glClearColor(0, 0, 0, 0);

  // The size the window reported, full screen included, not the size asked for.
  Resize(ClientWidth, ClientHeight);
}

void ZrGfx::OpenHeadless(int32_t width, int32_t height) {
  Headless = true;
  Width = ClientWidth = width;
  Height = ClientHeight = height;
  Bits = 32;
  MinFrameNs = 0;
  if (WndProc != nullptr) WndProc(nullptr, WM_SIZE, SIZE_RESTORED, MakeLParam(static_cast<uint16_t>(width), static_cast<uint16_t>(height)));
}

// The game's Width and Height stay: the world, the texts and the background are laid out
// in them, and a client area of another size shows them scaled.
void ZrGfx::Resize(int32_t clientWidth, int32_t clientHeight) {
  ClientWidth = clientWidth;
  ClientHeight = clientHeight;
  if (RC == nullptr) return;  // called from window creation: nothing to set up yet
  LoadPerspective();
}

void ZrGfx::LoadPerspective() {
  if (IsUnscaled() || HoldsFrame()) {
    // Drawn at the lower-left corner, where EndFrame finds it when it scales.
    glViewport(0, 0, Width, Height);
  } else {
    // A client area smaller than the picture cannot hold the frame: the picture is drawn
    // straight into its place, where the bitmap font keeps its own size.
    const ZrPictureRect r = PictureRect();
    glViewport(r.X, ClientHeight - r.Y - r.Height, r.Width, r.Height);
  }
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double aspect = Height > 0 ? static_cast<double>(Width) / Height : 1.0;
  glFrustum(-aspect, aspect, -1, 1, 1, 100);
  glTranslatef(0, 0, -2);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Projection = 1;
}

void ZrGfx::SetProjection(uint8_t mode) {
  if (mode == Projection) return;
  switch (mode) {
    case 0:
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(0, Width, 0, Height, 0, 100);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      glTranslatef(0, 0, -1);
      break;
    case 1:
      LoadPerspective();
      break;
    case 2:
      SetProjection(PrevProjection);
      return;
    default:
      return;
  }
  PrevProjection = Projection;
  Projection = mode;
}

bool ZrGfx::ProcessMessages() {
  if (!Input().Poll(Msg)) return Active;
  if (Msg.Message == WM_QUIT) {
    Terminated = true;
  } else {
    Input().Dispatch(Msg);
  }
  return false;
}

bool ZrGfx::BeginFrame() {
  if (!ProcessMessages()) return false;
  ClearFrame();
  return true;
}

void ZrGfx::ClearFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
}

void ZrGfx::EndFrame() {
  if (!IsUnscaled() && HoldsFrame()) ScaledFrame.Present(PictureRect(), ClientWidth, ClientHeight, Width, Height);
  // The world moves by the frame-rate reading on every drawn frame, so frames must
  // not come faster than a display would show them, whatever vsync promises. The driver
  // finishes the picture before the wait, not in the swap after it, so the swap comes
  // on time whatever the picture cost; unpaced (a timedemo), each frame is still finished
  // before the next begins, as a display shows it, rather than queued without bound.
  if (!Headless) glFinish();
  Pacer.WaitForFrame(MinFrameNs);
  if (!Headless) Platform::SwapBuffers(Wnd);
  ++FramesShown;
  ++PictureEpoch;
}

void ZrGfx::WaitForNextFrame() { Pacer.WaitForFrameOrMessage(MinFrameNs); }

void ZrGfx::Begin2D() {
  SetProjection(0);
  glDisable(GL_DEPTH_TEST);
  glPushMatrix();
  glTranslatef(0, 0, -1);
}

void ZrGfx::End2D() {
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
  SetProjection(2);
}

void ZrGfx::SetFullScreen(bool fullScreen) {
  if (Wnd == nullptr || fullScreen == FullScreen) return;
  FullScreen = fullScreen;
  CaptionHeight = fullScreen ? 0 : 26;
  Platform::SetFullScreen(Wnd, fullScreen, Width, Height, Bits);
  InvalidatePicture();
}

ZrPictureRect ZrGfx::PictureRect() const { return FitPicture(ClientWidth, ClientHeight, Width, Height); }

// Drawn one to one, a client pixel is the game pixel, as the message gave it. Scaled, a
// word of 32768 or more is a point left of or above the client area, as Windows packs it.
int32_t ZrGfx::GameX(int32_t clientX) const {
  if (IsUnscaled()) return clientX;
  const ZrPictureRect r = PictureRect();
  return ClientToPicture(static_cast<int16_t>(clientX), r.X, r.Width, Width);
}

int32_t ZrGfx::GameY(int32_t clientY) const {
  if (IsUnscaled()) return clientY;
  const ZrPictureRect r = PictureRect();
  return ClientToPicture(static_cast<int16_t>(clientY), r.Y, r.Height, Height);
}

void ZrGfx::BuildFont() {
  FontBase = glGenLists(FontGlyphs);
  Platform::BuildFontLists(Wnd, FontBase, FontGlyphs, FontCharHeight);
}

void ZrGfx::PrintAt(int32_t x, int32_t y, const char* text) {
  glRasterPos2i(x, Height - y);
  glPushAttrib(GL_LIST_BIT);
  glListBase(FontBase);
  glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
  glPopAttrib();
}

void ZrGfx::KillFont() { glDeleteLists(FontBase, FontGlyphs); }

void ZrGfx::StartFps() { LastTick = Input().Ticks(); }

uint32_t ZrGfx::GetFps() {
  const uint32_t now = Input().Ticks();
  FpsElapsed += now - LastTick;  // unsigned: a wrap of the tick count still gives the difference
  if (now != LastTick) ++FpsFrames;
  LastTick = now;
  if (FpsElapsed >= 500) {
    Fps = FpsFrames * 2;
    FpsElapsed = 0;
    FpsFrames = 0;
  }
  return Fps;
}
