// File services of the seam. Every backend shares them: they differ by C library, not
// by window system.
#include <cstdio>

#include "platform/platform.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

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
