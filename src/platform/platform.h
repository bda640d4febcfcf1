// The one seam between the game and the operating system.
//
// Everything the game needs from the platform goes through these functions:
// window and GL context, the Win32-style message queue, the tick count, message
// boxes, the cursor, the display mode and the glyph lists of the font. Exactly one
// backend implements them (platform/sdl for Linux, platform/win32 for Windows);
// the game itself never includes SDL or windows.h. Tests and tools that need no window
// link the null backend (platform/null), whose queue they fill and whose clock they set.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A window handle. On Windows it is the HWND itself.
using ZrWnd = void*;

// The Win32 window-procedure signature, with the Windows calling convention where
// it matters, so the Win32 backend can register the game's procedure directly.
#if defined(_WIN32) && !defined(_WIN64)
#define ZR_WNDPROC_CALL __stdcall
#else
#define ZR_WNDPROC_CALL
#endif
using ZrWndProc = intptr_t(ZR_WNDPROC_CALL*)(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

// One queued window message, laid out like the fields of a Win32 MSG that matter here.
struct ZrMsg {
  ZrWnd Wnd = nullptr;
  uint32_t Message = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
};

namespace Platform {

// --- Window and GL context -------------------------------------------------------
// Registers the window class, optionally switches the display mode, creates and
// shows the window. Like Win32, creation and showing send WM_SIZE and WM_ACTIVATE
// to proc synchronously, before this returns. Returns 0 when no window could be made.
ZrWnd CreateWin(const std::string& title, int width, int height, int bits, bool fullScreen, ZrWndProc proc);
// Gives the window a double-buffered RGBA pixel format with a depth buffer, creates
// an OpenGL compatibility context and makes it current. Returns the context, or 0.
void* CreateGLContext(ZrWnd wnd);
// Asks the driver to sync buffer swaps to the display. The answer is not trusted.
void RequestVsync();
void SwapBuffers(ZrWnd wnd);
void DestroyWin(ZrWnd wnd, bool fullScreen);
// Switches an open window between full screen and a window (the one it was before, or a
// client area of width x height), keeping the window and its GL context. Full screen
// covers the screen: in the display mode width x height x bits where the platform
// switches modes and can, in the desktop's mode otherwise. The new client size arrives
// as WM_SIZE.
void SetFullScreen(ZrWnd wnd, bool fullScreen, int width, int height, int bits);
// A full screen that switched the display mode gives the desktop back while the player
// works elsewhere: YieldFullScreen, when another program takes the activation, returns
// the display to the desktop's mode and minimises the window; ReclaimFullScreen, when the
// window is restored, sets the game's mode again and covers the screen. Where full screen
// keeps the desktop's mode (Linux) neither does anything, nor does ReclaimFullScreen
// after no yield.
void YieldFullScreen(ZrWnd wnd);
void ReclaimFullScreen(ZrWnd wnd, int width, int height, int bits);
// The key that also switches full screen by the desktop's convention (F11 on Linux),
// beside Alt+Enter; 0 for none.
uintptr_t FullScreenKey();

// Puts a picture on the window's title bar and task bar entry: width x height pixels of
// red, green, blue and alpha bytes, the top row first. Where the icon comes with the
// program itself (the Windows resources), or there is no window, nothing happens.
void SetWindowIcon(const uint8_t* rgba, int width, int height);

// --- Message queue ---------------------------------------------------------------
// Takes the oldest pending message off the queue without waiting.
bool PollMessage(ZrMsg& msg);
// Blocks until a message is pending (used while the window is minimised).
void WaitForMessage();
// Blocks until a message is pending or ns nanoseconds have passed, whichever is first.
void WaitForMessageNs(uint64_t ns);
// Appends a message to the queue. Tests drive the game through this.
void QueueMessage(const ZrMsg& msg);
void QueueQuitMessage(int exitCode);
// Translates and hands the message to the window procedure of its window.
intptr_t DeliverMessage(const ZrMsg& msg);
intptr_t DefaultWindowProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
// The answer to WM_SETCURSOR over the client area: no pointer over the game's window
// there. The frame, the title bar and other windows keep their own.
void HidePointer();

// --- Time ------------------------------------------------------------------------
// Milliseconds since start as an unsigned 32-bit value that wraps, advancing in steps
// of the system timer (15.625 ms), like the Windows tick count.
uint32_t TickCount();
// A fine monotonic clock in nanoseconds, for pacing and seeding.
uint64_t FineClockNs();
// Sleeps until FineClockNs() reaches deadlineNs, as precisely as the system allows (at
// once when it has passed): the frames' schedule rests on it.
void SleepUntilNs(uint64_t deadlineNs);

// --- Messages to the player ------------------------------------------------------
// A modal box with an OK button; error selects the error icon. Writes nothing to
// stderr: callers do that. Where no display can show it, nothing happens.
void ShowMessageBox(const std::string& caption, const std::string& text, bool error);
// Text for whoever started the program (--help, --version, a wrong option): on its
// standard output, or its standard error when error is set. A Windows program has no
// console of its own: there it goes to the console it was started from, or into a
// message box when there is none.
void PrintToUser(const std::string& text, bool error);

// --- Font ------------------------------------------------------------------------
// Compiles count display lists from listBase on: list listBase + k draws the
// Windows-1251 character k of a bold monospaced face with the given character height
// at the raster position and advances it by the glyph's width. Needs the GL context.
void BuildFontLists(ZrWnd wnd, uint32_t listBase, int count, int charHeight);

// --- Files -----------------------------------------------------------------------
// Paths are UTF-8 (on Linux, bytes as the system gave them); platform/zr_path.h turns them
// into std::filesystem paths.
// std::fopen for a path of any characters. errno tells why it failed.
std::FILE* OpenFile(const std::string& path, const char* mode);
// Renames from over to in one step, replacing to; empty when that worked, else what failed.
std::string RenameOver(const std::string& from, const std::string& to);
// A file name as the game writes it ("data\\x.tga") in the system's own spelling.
std::string NativePath(const std::string& fileName);
// The size of an open file in bytes, or -1; the file position is back at the start.
int64_t FileSize(std::FILE* file);
// Flushes the file and pushes its data down to the disk; false when either fails.
bool FlushToDisk(std::FILE* file);

// --- The player's own folder -----------------------------------------------------
// The absolute path of the folder where the game keeps the player's files when it may not
// write beside itself (Linux: $XDG_DATA_HOME/zr-ironfall; Windows: %APPDATA%\Zr Ironfall),
// whether or not it exists yet; empty when the system names no such place.
std::string UserDataDir();
// Whether a game run from its own folder keeps its best score in UserDataDir() when that
// folder cannot be written. True on Windows, where a zip is often unpacked into Program
// Files, which only administrators may write.
bool ScoreLeavesReadOnlyFolder();

// --- Process ---------------------------------------------------------------------
// The arguments after the program's name, in UTF-8 as the game keeps paths. Windows keeps
// them in wide characters and hands main() only their ANSI code page's spelling, where a
// name in another script is lost: there they are read from the system; elsewhere argv is
// what the system gave.
std::vector<std::string> CommandLineArgs(int argc, char** argv);
// The full path of the running executable, or empty when unknown.
std::string ExecutablePath();
// Masks all floating-point exceptions, as the game expects for its whole run.
void MaskFloatExceptions();
// What the platform said about its most recent failure, for error reports.
std::string LastErrorText();

}  // namespace Platform
