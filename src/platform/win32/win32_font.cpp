// The game's bitmap font on Windows: a GDI font turned into glyph display lists by WGL.
#include "platform/platform.h"
#include "platform/win32/win32_api.h"
#include "platform/zr_gl.h"

namespace {

// wglUseFontBitmaps compiles an empty glyph (the space, the no-break space) as a
// glBitmap without pixels. Some OpenGL implementations, Mesa among them, drop the
// pen advance of such a bitmap inside a display list, and the words of every text
// run together. These glyphs are compiled again with one blank pixel that carries
// the advance on every implementation.
void RecompileEmptyGlyphs(HDC dc, uint32_t listBase, int count) {
  static const GLubyte blank[4] = {};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  for (int code = 0; code < count; ++code) {
    GLYPHMETRICS gm{};
    // The same ANSI lookup as wglUseFontBitmapsA: the code read in the font's code page.
    if (GetGlyphOutlineA(dc, static_cast<UINT>(code), GGO_BITMAP, &gm, 0, nullptr, &identity) != 0) continue;
    glNewList(listBase + static_cast<GLuint>(code), GL_COMPILE);
    glBitmap(1, 1, 0, 0, static_cast<GLfloat>(gm.gmCellIncX), static_cast<GLfloat>(gm.gmCellIncY), blank);
    glEndList();
  }
}

}  // namespace

namespace Platform {

void BuildFontLists(ZrWnd wnd, uint32_t listBase, int count, int charHeight) {
  if (listBase == 0 || wnd == nullptr) return;
  HDC dc = wnd == Win32::MainWnd && Win32::MainDC != nullptr ? Win32::MainDC : GetDC(static_cast<HWND>(wnd));
  // The texts are Windows-1251. Asking for the Russian character set makes the font
  // mapper read codes 0xC0-0xFF as Cyrillic whatever the system's own code page is;
  // ANSI_CHARSET would give Cyrillic only on Russian Windows and accented Latin elsewhere.
  HFONT font = CreateFontA(-charHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_TT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Courier New");
  // Stays selected for the rest of the run: PrintAt's lists were made from it.
  SelectObject(dc, font);
  // Some drivers fail the first wglUseFontBitmaps of a fresh context and succeed on
  // the next; one retry costs nothing.
  if (!wglUseFontBitmapsA(dc, 0, static_cast<DWORD>(count), listBase) &&
      !wglUseFontBitmapsA(dc, 0, static_cast<DWORD>(count), listBase)) {
    return;
  }
  RecompileEmptyGlyphs(dc, listBase, count);
}

}  // namespace Platform
