// Message boxes, the player's folder and the process on Windows: kernel32, shell32 and
// the C runtime.
#include <float.h>
#include <cwchar>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/win32/win32_api.h"
// After windows.h, which they need.
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

namespace Platform {

void ShowMessageBox(const std::string& caption, const std::string& text, bool error) {
  // Owned by the game's window, so that a click on the game cannot lift it above the
  // box the player must read.
  MessageBoxW(Win32::MainWnd, Win32::Wide(text).c_str(), Win32::Wide(caption).c_str(),
              MB_OK | (error ? MB_ICONERROR : 0u));
}

void PrintToUser(const std::string& text, bool error) {
  // A GUI program's standard handles are set only when the caller redirected them; a
  // console it was started from must be joined first.
  HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    out = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  DWORD written = 0;
  if (out != nullptr && out != INVALID_HANDLE_VALUE &&
      WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0) {
    return;
  }
  MessageBoxW(nullptr, Win32::Wide(text).c_str(), L"Zr Ironfall", MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

std::string UserDataDir() {
  // The known folder, not the environment: %APPDATA% may be unset or stale in a process
  // started by another program.
  std::string dir;
  PWSTR known = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &known))) {
    dir = Win32::Utf8(known, wcslen(known));
  } else if (const wchar_t* env = _wgetenv(L"APPDATA")) {
    dir = Win32::Utf8(env, wcslen(env));
  }
  CoTaskMemFree(known);
  return dir.empty() ? dir : dir + "\\Zr Ironfall";
}

bool ScoreLeavesReadOnlyFolder() { return true; }

std::vector<std::string> CommandLineArgs(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Win32::Utf8(wide[i], wcslen(wide[i])));
  LocalFree(wide);
  return args;
}

std::string ExecutablePath() {
  // Long paths (beyond MAX_PATH) exist; the buffer grows until the name fits.
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return Win32::Utf8(buf.data(), n);
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

void MaskFloatExceptions() {
  // Divisions by zero in the geometry are ordinary: they must give inf or NaN, never
  // trap. Precision stays as it is (x64 computes in SSE).
  _control87(_MCW_EM, _MCW_EM);
}

std::string LastErrorText() {
  const DWORD code = GetLastError();
  wchar_t buf[512] = {};
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                                 512, nullptr);
  std::string text = Win32::Utf8(buf, n);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == '.')) text.pop_back();
  return text.empty() ? "system error " + std::to_string(code) : text;
}

}  // namespace Platform
