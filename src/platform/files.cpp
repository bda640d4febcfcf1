// File services of the seam. Every backend shares them: they differ by C library, not
// by window system.
#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

#if defined(_WIN32)
#include <io.h>
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

#include "platform/zr_path.h"

namespace Platform {

std::string NativePath(const std::string& fileName) {
#if defined(_WIN32)
  return fileName;
#else
  std::string path = fileName;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
#endif
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
#if defined(_WIN32)
  // The wide call: the narrow one reads the name in the ANSI code page.
  std::wstring wideMode;
  for (const char* m = mode; *m != 0; ++m) wideMode.push_back(static_cast<wchar_t>(*m));
  std::filesystem::path name;
  try {
    name = PathFromUtf8(path);
  } catch (const std::exception&) {
    errno = EILSEQ;  // not UTF-8: no file has that name
    return nullptr;
  }
  return _wfopen(name.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::string RenameOver(const std::string& from, const std::string& to) {
#if defined(_WIN32)
  // Write-through: the rename is on the disk when the call returns, as the data before it is.
  if (MoveFileExW(PathFromUtf8(from).c_str(), PathFromUtf8(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  wchar_t buf[512] = {};
  const DWORD code = GetLastError();
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                                 512, nullptr);
  std::string text = Utf8FromPath(std::filesystem::path(std::wstring(buf, n)));
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == '.')) text.pop_back();
  return text.empty() ? "system error " + std::to_string(code) : text;
#else
  return std::rename(from.c_str(), to.c_str()) == 0 ? std::string() : std::string(std::strerror(errno));
#endif
}

int64_t FileSize(std::FILE* file) {
#if defined(_WIN32)
  const bool ok = _fseeki64(file, 0, SEEK_END) == 0;
  const int64_t size = ok ? _ftelli64(file) : -1;
  const bool back = _fseeki64(file, 0, SEEK_SET) == 0;
#else
  const bool ok = fseeko(file, 0, SEEK_END) == 0;
  const int64_t size = ok ? static_cast<int64_t>(ftello(file)) : -1;
  const bool back = fseeko(file, 0, SEEK_SET) == 0;
#endif
  return back ? size : -1;
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

}  // namespace Platform
