#include "images/Textures.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "images/tga_image.h"
#include "platform/platform.h"
#include "platform/zr_gl.h"
#include "shell/zr_errors.h"
#include "shell/zr_report.h"

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

// Reads and decodes the file; the file is closed again when this returns, so that a
// refusal is shown only after it. Failures of the file system itself are thrown.
int ReadAndDecode(const std::string& fileName, TgaImage& image) {
  const std::string path = Platform::NativePath(fileName);
  // A directory in a picture's place cannot be read as one. Windows refuses to open it
  // with access denied, and the game says the same everywhere.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw EInOutError("File access denied", fileName);
  FileHandle file(std::fopen(path.c_str(), "rb"));
  // A picture that is there but may not be read is reported as that, not as missing.
  if (!file) throw EInOutError(errno == EACCES || errno == EPERM ? "File access denied" : "File not found", fileName);
  const uint64_t fileSize = FileSize(file.get(), fileName);

  std::vector<uint8_t> bytes(TgaHeaderSize);
  if (std::fread(bytes.data(), 1, TgaHeaderSize, file.get()) != TgaHeaderSize) {
    throw EInOutError(std::ferror(file.get()) ? "Read error" : "Read beyond end of file", fileName);
  }
  const TgaHeader header = ParseTgaHeader(bytes.data());
  // A side beyond GL_MAX_TEXTURE_SIZE is no refusal: gluBuild2DMipmaps scales the image
  // down. The header and the file size decide first, so a crafted header costs no memory.
  const TgaLimits limits;
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

}  // namespace

ZrGLName MakeMipmappedTexture(uint16_t width, uint16_t height, uint32_t format, const void* pixels) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // Modulated by the current colour: sprites are tinted and faded through glColor.
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Decoded rows carry no padding; with the default alignment of 4 a 24-bit image
  // whose width is not a multiple of 4 would be read skewed.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLint components = format == GL_RGBA ? GL_RGBA : 3;
  gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, format, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  return name;
}

bool ReadTgaImage(const std::string& fileName, ZrGLName& texture) {
  TgaImage image;
  const int message = ReadAndDecode(fileName, image);
  if (message != TgaOk) {
    ShowMessage("TGA File Error", TgaMessageText(message, fileName), false);
    return false;
  }
  const GLenum format = image.BytesPerPixel == 3 ? GL_RGB : GL_RGBA;
  texture = MakeMipmappedTexture(image.Width, image.Height, format, image.Pixels.data());
  return true;
}

void LoadTextureFile(const std::string& fileName, ZrGLName& texture) { ReadTgaImage(fileName, texture); }
