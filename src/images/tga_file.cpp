#include "images/tga_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/zr_path.h"
#include "shell/zr_errors.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

uint64_t FileSize(std::FILE* f, const std::string& fileName) {
  const int64_t size = Platform::FileSize(f);
  if (size < 0) throw EInOutError("Read error", fileName);
  return static_cast<uint64_t>(size);
}

}  // namespace

int ReadTgaFile(const std::string& fileName, const TgaLimits& limits, TgaImage& image) {
  const std::string path = Platform::NativePath(fileName);
  // A directory in a picture's place cannot be read as one. Windows refuses to open it
  // with access denied, and the game says the same everywhere.
  std::error_code ec;
  if (std::filesystem::is_directory(PathFromUtf8(path), ec)) throw EInOutError("File access denied", fileName);
  FileHandle file(Platform::OpenFile(path, "rb"));
  // A picture that is there but may not be read is reported as that, not as missing.
  if (!file) throw EInOutError(errno == EACCES || errno == EPERM ? "File access denied" : "File not found", fileName);
  const uint64_t fileSize = FileSize(file.get(), fileName);

  std::vector<uint8_t> bytes(TgaHeaderSize);
  if (std::fread(bytes.data(), 1, TgaHeaderSize, file.get()) != TgaHeaderSize) {
    throw EInOutError(std::ferror(file.get()) ? "Read error" : "Read beyond end of file", fileName);
  }
  const TgaHeader header = ParseTgaHeader(bytes.data());
  // The header and the file size decide first, so a crafted header costs no memory.
  if (const int message = CheckTgaHeader(header, fileSize, limits); message != TgaOk) return message;

  // Only the bytes the pixels need: anything after them (a footer) stays unread.
  const uint64_t needed = TgaBytesNeeded(header, fileSize);
  if (needed > static_cast<uint64_t>(PTRDIFF_MAX)) return TgaNoMemory;  // only where size_t is 32 bits
  bytes.resize(static_cast<size_t>(needed));
  const size_t rest = bytes.size() - TgaHeaderSize;
  const size_t got = std::fread(bytes.data() + TgaHeaderSize, 1, rest, file.get());
  if (got != rest) {
    if (std::ferror(file.get())) throw EInOutError("Read error", fileName);
    return TgaCannotRead;  // the file shrank since its size was taken
  }
  return DecodeTga(bytes.data(), bytes.size(), limits, image);
}
